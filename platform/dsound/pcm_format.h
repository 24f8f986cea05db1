// The linear PCM layouts a secondary buffer can hold, and the conversion of one sample to the
// mixer's scale (16-bit full scale, as float). Integer PCM only: 8-bit unsigned, 16/24/32-bit
// signed little-endian, mono or stereo.
#pragma once

#include <cstdint>

#include "dsound.h"

namespace platform::dsound {

struct PcmFormat {
    int channels = 0;
    int bitsPerSample = 0;
    uint32_t samplesPerSecond = 0;
    int blockAlign = 0;  // bytes per frame
};

constexpr uint32_t kLowestRate = 100;
constexpr uint32_t kHighestRate = 200000;

// DS_OK and the format, or DSERR_BADFORMAT for anything but a consistent PCM layout.
HRESULT ReadPcmFormat(const WAVEFORMATEX& wave, PcmFormat* format);

// One sample at `bytes`, scaled so that 16-bit full scale is -32768..32767.
inline float DecodeSample(const uint8_t* bytes, int bitsPerSample) {
    switch (bitsPerSample) {
        case 8:
            return (int{bytes[0]} - 128) * 256.0f;
        case 16:
            return static_cast<float>(static_cast<int16_t>(bytes[0] | bytes[1] << 8));
        case 24: {
            uint32_t raw =
                uint32_t{bytes[0]} << 8 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 24;
            return static_cast<float>(static_cast<int32_t>(raw)) * (1.0f / 65536.0f);
        }
        default: {
            uint32_t raw = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                           uint32_t{bytes[3]} << 24;
            return static_cast<float>(static_cast<int32_t>(raw)) * (1.0f / 65536.0f);
        }
    }
}

}  // namespace platform::dsound
