// Shared set-up of the DirectSound tests: a DirectSound object with its cooperative level set,
// the mix pulled by the test, and buffers filled with given sample bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "audio_seam.h"
#include "dsound.h"
#include "test_seam.h"

namespace dsound_test {

// DirectSound only checks that some window is given; it never uses it.
inline HWND AnyWindow() {
    return reinterpret_cast<HWND>(uintptr_t{0x10});
}

inline WAVEFORMATEX Pcm(WORD channels, WORD bits, DWORD rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    format.wBitsPerSample = bits;
    return format;
}

// The description the game fills in.
inline DSBUFFERDESC Description(WAVEFORMATEX* format, DWORD bytes) {
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof(DSBUFFERDESC);
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = format;
    return desc;
}

inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

class DirectSoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::UsePulledAudio();
        ASSERT_EQ(DirectSoundCreate8(nullptr, &directSound, nullptr), DS_OK);
        ASSERT_EQ(directSound->SetCooperativeLevel(AnyWindow(), DSSCL_EXCLUSIVE), DS_OK);
    }

    void TearDown() override {
        for (IDirectSoundBuffer* buffer : buffers) {
            buffer->Release();
        }
        if (directSound) {
            directSound->Release();
        }
    }

    // A buffer holding `bytes`, written through Lock and Unlock as the game does.
    IDirectSoundBuffer* MakeBuffer(WAVEFORMATEX format, const std::vector<uint8_t>& bytes,
                                   IDirectSound8* owner = nullptr) {
        DSBUFFERDESC desc = Description(&format, static_cast<DWORD>(bytes.size()));
        IDirectSoundBuffer* buffer = nullptr;
        HRESULT result = (owner ? owner : directSound)->CreateSoundBuffer(&desc, &buffer, nullptr);
        EXPECT_EQ(result, DS_OK);
        if (!buffer) {
            return nullptr;
        }
        buffers.push_back(buffer);
        void* region = nullptr;
        DWORD length = 0;
        EXPECT_EQ(buffer->Lock(0, desc.dwBufferBytes, &region, &length, nullptr, nullptr, 0),
                  DS_OK);
        EXPECT_EQ(length, bytes.size());
        std::memcpy(region, bytes.data(), length);
        EXPECT_EQ(buffer->Unlock(region, length, nullptr, 0), DS_OK);
        return buffer;
    }

    IDirectSoundBuffer* MakeStereo16(const std::vector<int16_t>& interleaved) {
        return MakeBuffer(Pcm(2, 16, 48000), Pcm16(interleaved));
    }

    static DWORD PlayCursor(IDirectSoundBuffer* buffer) {
        DWORD play = 0xFFFFFFFF;
        DWORD write = 0xFFFFFFFF;
        EXPECT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
        return play;
    }

    static DWORD Status(IDirectSoundBuffer* buffer) {
        DWORD status = 0xFFFFFFFF;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return status;
    }

    IDirectSound8* directSound = nullptr;
    std::vector<IDirectSoundBuffer*> buffers;
};

// Interleaved stereo: left i * 101 - 3000, right -(i * 57) + 20, distinct in every frame.
inline std::vector<int16_t> Ramp(int frames) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(static_cast<int16_t>(i * 101 - 3000));
        samples.push_back(static_cast<int16_t>(-(i * 57) + 20));
    }
    return samples;
}

}  // namespace dsound_test
