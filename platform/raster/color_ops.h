// Per-channel arithmetic on arrays of packed ARGB pixels, written as plain byte loops so the
// compiler vectorises them. Products are divided by 255 with rounding, so multiplying by 255
// returns the other operand exactly.
#pragma once

#include <cstdint>

namespace platform::raster {

// round(a * b / 255) for a, b in [0, 255].
inline uint32_t MulDiv255(uint32_t a, uint32_t b) {
    const uint32_t x = a * b + 128;
    return (x + (x >> 8)) >> 8;
}

void Modulate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count, int shift);
void AddSaturate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count);
void AddSigned(const uint32_t* a, const uint32_t* b, uint32_t* out, int count);
void SubtractSaturate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count);
void Complement(const uint32_t* a, uint32_t* out, int count);
void ReplicateAlpha(const uint32_t* a, uint32_t* out, int count);
// out = a + (b - a) * weight / 256 per channel, weight in [0, 256].
void LerpColors(const uint32_t* a, const uint32_t* b, uint32_t* out, int count, uint32_t weight);

}  // namespace platform::raster
