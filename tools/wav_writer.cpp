// RIFF WAVE output, little-endian throughout as the format requires.
#include "tools/wav_writer.h"

#include <fstream>

namespace assets {

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

}  // namespace

std::vector<uint8_t> WaveFileBytes(const std::vector<int16_t>& samples) {
    constexpr uint32_t kChannels = 1;
    constexpr uint32_t kBytesPerSample = 2;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * kBytesPerSample);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutId(out, "RIFF");
    PutLe(out, 36 + dataBytes, 4);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // linear PCM
    PutLe(out, kChannels, 2);
    PutLe(out, kSampleRate, 4);
    PutLe(out, kSampleRate * kChannels * kBytesPerSample, 4);
    PutLe(out, kChannels * kBytesPerSample, 2);
    PutLe(out, 8 * kBytesPerSample, 2);
    PutId(out, "data");
    PutLe(out, dataBytes, 4);
    for (int16_t sample : samples) {
        PutLe(out, static_cast<uint16_t>(sample), 2);
    }
    return out;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes = WaveFileBytes(samples);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace assets
