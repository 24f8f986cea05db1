// Shared set-up of the sound tests: a headless layer with the mix pulled by the test, a window
// bound to the process's one sound registry, WAV files written into a folder of the test's own,
// and a way to read back what a sound's buffer holds.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio_seam.h"
#include "frame/SharedContext.h"
#include "sound/CSound.h"
#include "sound/CSoundRegistry.h"
#include "test_seam.h"

namespace sound_test {

using Bytes = std::vector<uint8_t>;

inline void PutLe(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline void PutId(Bytes& out, const char* id) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

// A chunk as it stands in the file: id, size (the body's unless told), body and pad byte.
inline Bytes Chunk(const char* id, const Bytes& body, int64_t declaredSize = -1) {
    Bytes out;
    PutId(out, id);
    PutLe(out, static_cast<uint32_t>(declaredSize < 0 ? body.size() : declaredSize), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) {
        out.push_back(0);
    }
    return out;
}

// The 16 format bytes, then `extra` bytes (a cbSize field and what follows it) if any.
inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                    const Bytes& extra = {}) {
    Bytes out;
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    PutLe(out, tag, 2);
    PutLe(out, channels, 2);
    PutLe(out, rate, 4);
    PutLe(out, rate * blockAlign, 4);
    PutLe(out, blockAlign, 2);
    PutLe(out, bits, 2);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

// A RIFF file of form `form` holding `chunks` (each already laid out by Chunk).
inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE",
                  const char* id = "RIFF") {
    Bytes body;
    PutId(body, form);
    for (const Bytes& chunk : chunks) {
        body.insert(body.end(), chunk.begin(), chunk.end());
    }
    Bytes out;
    PutId(out, id);
    PutLe(out, static_cast<uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// Sample bytes that differ from their neighbours, so a shift or a lost byte shows.
inline Bytes Pattern(size_t count, uint8_t seed = 11) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(i * 37 + seed + i / 256);
    }
    return out;
}

// A whole linear-PCM WAV file: "fmt " then "data".
inline Bytes Wave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples) {
    return Riff({Chunk("fmt ", Format(1, channels, rate, bits)), Chunk("data", samples)});
}

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::UsePulledAudio();
        registry = Registry();
        folder = std::filesystem::temp_directory_path() /
                 ("sound_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        CSound::SetDirectory(folder.string() + "/");
        CSound::SetExtension(".wav");
    }

    void TearDown() override {
        // Sounds outlive the test in the registry; none may sound in the next one's mix.
        for (auto& [name, sound] : registry->sounds.entries) {
            if (sound) {
                sound->Stop();
            }
        }
        std::filesystem::remove_all(folder);
    }

    // The registry as the game has it after its first PublishContext: bound to a window.
    static CSoundRegistry* Registry() {
        static CSoundRegistry* instance = [] {
            WNDCLASSEXA wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcA;
            wc.lpszClassName = "SoundTest";
            RegisterClassExA(&wc);
            SharedContext.hWnd = CreateWindowExA(0, "SoundTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 64,
                                                 48, nullptr, nullptr, nullptr, nullptr);
            return CSoundRegistry::GetInstance();
        }();
        SharedContext.soundRegistry = instance;
        return instance;
    }

    void Write(const std::string& name, const Bytes& bytes) {
        std::ofstream file(folder / (name + ".wav"), std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    // What the sound's buffer holds, read with a lock of the whole buffer.
    static Bytes Contents(CSound* sound) {
        void* region = nullptr;
        DWORD length = 0;
        EXPECT_EQ(
            sound->buffer->Lock(0, 0, &region, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER),
            DS_OK);
        Bytes out(static_cast<uint8_t*>(region), static_cast<uint8_t*>(region) + length);
        sound->buffer->Unlock(region, 0, nullptr, 0);
        return out;
    }

    // Message and caption of every box shown so far.
    static std::vector<std::pair<std::string, std::string>> Messages() {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& box : platform::testing::MessageBoxes()) {
            out.emplace_back(box.text, box.caption);
        }
        return out;
    }

    CSoundRegistry* registry = nullptr;
    std::filesystem::path folder;
};

}  // namespace sound_test
