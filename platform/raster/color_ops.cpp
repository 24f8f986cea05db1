// Byte-wise colour arithmetic over pixel arrays (vectorised by the compiler at -O2 and up).
#include "raster/color_ops.h"

#include <algorithm>
#include <cstring>

namespace platform::raster {

namespace {

// The pixel arrays viewed as bytes; channel order does not matter for these operations.
inline const uint8_t* Bytes(const uint32_t* p) {
    return reinterpret_cast<const uint8_t*>(p);
}
inline uint8_t* Bytes(uint32_t* p) {
    return reinterpret_cast<uint8_t*>(p);
}

}  // namespace

void Modulate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count, int shift) {
    const uint8_t* x = Bytes(a);
    const uint8_t* y = Bytes(b);
    uint8_t* o = Bytes(out);
    const int n = count * 4;
    if (shift == 0) {
        // The same as MulDiv255, kept in 16 bits so that it vectorises eight lanes wide.
        for (int i = 0; i < n; ++i) {
            const uint16_t product = static_cast<uint16_t>(x[i] * y[i] + 128);
            o[i] = static_cast<uint8_t>((product + (product >> 8)) >> 8);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        o[i] = static_cast<uint8_t>(std::min<uint32_t>(MulDiv255(x[i], y[i]) << shift, 255));
    }
}

void AddSaturate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count) {
    const uint8_t* x = Bytes(a);
    const uint8_t* y = Bytes(b);
    uint8_t* o = Bytes(out);
    for (int i = 0; i < count * 4; ++i) {
        o[i] = static_cast<uint8_t>(std::min(x[i] + y[i], 255));
    }
}

void AddSigned(const uint32_t* a, const uint32_t* b, uint32_t* out, int count) {
    const uint8_t* x = Bytes(a);
    const uint8_t* y = Bytes(b);
    uint8_t* o = Bytes(out);
    for (int i = 0; i < count * 4; ++i) {
        o[i] = static_cast<uint8_t>(std::clamp(x[i] + y[i] - 128, 0, 255));
    }
}

void SubtractSaturate(const uint32_t* a, const uint32_t* b, uint32_t* out, int count) {
    const uint8_t* x = Bytes(a);
    const uint8_t* y = Bytes(b);
    uint8_t* o = Bytes(out);
    for (int i = 0; i < count * 4; ++i) {
        o[i] = static_cast<uint8_t>(std::max(x[i] - y[i], 0));
    }
}

void Complement(const uint32_t* a, uint32_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = ~a[i];
    }
}

void ReplicateAlpha(const uint32_t* a, uint32_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = (a[i] >> 24) * 0x01010101u;
    }
}

void LerpColors(const uint32_t* a, const uint32_t* b, uint32_t* out, int count, uint32_t weight) {
    const uint8_t* x = Bytes(a);
    const uint8_t* y = Bytes(b);
    uint8_t* o = Bytes(out);
    const uint32_t keep = 256 - weight;
    for (int i = 0; i < count * 4; ++i) {
        o[i] = static_cast<uint8_t>((x[i] * keep + y[i] * weight + 128) >> 8);
    }
}

}  // namespace platform::raster
