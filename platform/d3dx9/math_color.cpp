// D3DXCOLOR: conversion from and to packed 0xAARRGGBB values, and arithmetic.
#include "d3dx9math.h"

namespace {

DWORD PackChannel(FLOAT channel) {
    if (channel >= 1.0f) {
        return 255;
    }
    if (!(channel > 0.0f)) {  // also catches NaN, which has no byte value
        return 0;
    }
    return static_cast<DWORD>(channel * 255.0f + 0.5f);
}

FLOAT UnpackChannel(DWORD argb, int shift) {
    return static_cast<FLOAT>((argb >> shift) & 0xFF) * (1.0f / 255.0f);
}

}  // namespace

D3DXCOLOR::D3DXCOLOR(DWORD argb)
    : r(UnpackChannel(argb, 16)),
      g(UnpackChannel(argb, 8)),
      b(UnpackChannel(argb, 0)),
      a(UnpackChannel(argb, 24)) {}
D3DXCOLOR::D3DXCOLOR(const FLOAT* values)
    : r(values[0]), g(values[1]), b(values[2]), a(values[3]) {}
D3DXCOLOR::D3DXCOLOR(FLOAT r, FLOAT g, FLOAT b, FLOAT a) : r(r), g(g), b(b), a(a) {}

D3DXCOLOR::operator DWORD() const {
    return (PackChannel(a) << 24) | (PackChannel(r) << 16) | (PackChannel(g) << 8) | PackChannel(b);
}

D3DXCOLOR::operator FLOAT*() {
    return &r;
}
D3DXCOLOR::operator const FLOAT*() const {
    return &r;
}

D3DXCOLOR& D3DXCOLOR::operator+=(const D3DXCOLOR& other) {
    return *this = *this + other;
}
D3DXCOLOR& D3DXCOLOR::operator-=(const D3DXCOLOR& other) {
    return *this = *this - other;
}
D3DXCOLOR& D3DXCOLOR::operator*=(FLOAT factor) {
    return *this = *this * factor;
}
D3DXCOLOR& D3DXCOLOR::operator/=(FLOAT divisor) {
    return *this = *this / divisor;
}

D3DXCOLOR D3DXCOLOR::operator+() const {
    return *this;
}
D3DXCOLOR D3DXCOLOR::operator-() const {
    return {-r, -g, -b, -a};
}
D3DXCOLOR D3DXCOLOR::operator+(const D3DXCOLOR& other) const {
    return {r + other.r, g + other.g, b + other.b, a + other.a};
}
D3DXCOLOR D3DXCOLOR::operator-(const D3DXCOLOR& other) const {
    return {r - other.r, g - other.g, b - other.b, a - other.a};
}
D3DXCOLOR D3DXCOLOR::operator*(FLOAT factor) const {
    return {r * factor, g * factor, b * factor, a * factor};
}
D3DXCOLOR D3DXCOLOR::operator/(FLOAT divisor) const {
    return {r / divisor, g / divisor, b / divisor, a / divisor};
}
D3DXCOLOR operator*(FLOAT factor, const D3DXCOLOR& color) {
    return color * factor;
}

BOOL D3DXCOLOR::operator==(const D3DXCOLOR& other) const {
    return r == other.r && g == other.g && b == other.b && a == other.a;
}
BOOL D3DXCOLOR::operator!=(const D3DXCOLOR& other) const {
    return !(*this == other);
}
