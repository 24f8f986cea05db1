// Writing sounds as RIFF WAVE files: one "fmt " chunk of 16-bit linear PCM and one "data"
// chunk, mono at the generator's sample rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

constexpr int kSampleRate = 48000;

// The file's bytes for these samples.
std::vector<uint8_t> WaveFileBytes(const std::vector<int16_t>& samples);
// False when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<int16_t>& samples);

}  // namespace assets
