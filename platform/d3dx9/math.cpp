// D3DXMATRIX and the D3DX matrix helpers (identity, scaling, rotation about z, translation,
// multiplication, point transform), in Direct3D's row-vector convention.
#include <cmath>

#include "d3dx9math.h"

namespace {

void Fill(D3DXMATRIX& out, const FLOAT (&values)[16]) {
    for (int i = 0; i < 16; ++i) {
        out.m[i / 4][i % 4] = values[i];
    }
}

D3DXMATRIX Product(const D3DXMATRIX& first, const D3DXMATRIX& second) {
    D3DXMATRIX result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            FLOAT sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += first.m[row][k] * second.m[k][column];
            }
            result.m[row][column] = sum;
        }
    }
    return result;
}

template <typename Operation>
D3DXMATRIX EachElement(const D3DXMATRIX& matrix, Operation operation) {
    D3DXMATRIX result;
    for (int i = 0; i < 16; ++i) {
        result.m[i / 4][i % 4] = operation(matrix.m[i / 4][i % 4], i);
    }
    return result;
}

}  // namespace

D3DXMATRIX::D3DXMATRIX(const FLOAT* values) {
    for (int i = 0; i < 16; ++i) {
        m[i / 4][i % 4] = values[i];
    }
}

D3DXMATRIX::D3DXMATRIX(const D3DMATRIX& matrix) : D3DMATRIX(matrix) {}

D3DXMATRIX::D3DXMATRIX(FLOAT m11, FLOAT m12, FLOAT m13, FLOAT m14, FLOAT m21, FLOAT m22, FLOAT m23,
                       FLOAT m24, FLOAT m31, FLOAT m32, FLOAT m33, FLOAT m34, FLOAT m41, FLOAT m42,
                       FLOAT m43, FLOAT m44) {
    Fill(*this, {m11, m12, m13, m14, m21, m22, m23, m24, m31, m32, m33, m34, m41, m42, m43, m44});
}

FLOAT& D3DXMATRIX::operator()(UINT row, UINT column) {
    return m[row][column];
}
FLOAT D3DXMATRIX::operator()(UINT row, UINT column) const {
    return m[row][column];
}

D3DXMATRIX::operator FLOAT*() {
    return &m[0][0];
}
D3DXMATRIX::operator const FLOAT*() const {
    return &m[0][0];
}

D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& other) {
    return *this = Product(*this, other);
}
D3DXMATRIX& D3DXMATRIX::operator+=(const D3DXMATRIX& other) {
    return *this = *this + other;
}
D3DXMATRIX& D3DXMATRIX::operator-=(const D3DXMATRIX& other) {
    return *this = *this - other;
}
D3DXMATRIX& D3DXMATRIX::operator*=(FLOAT factor) {
    return *this = *this * factor;
}
D3DXMATRIX& D3DXMATRIX::operator/=(FLOAT divisor) {
    return *this = *this / divisor;
}

D3DXMATRIX D3DXMATRIX::operator+() const {
    return *this;
}
D3DXMATRIX D3DXMATRIX::operator-() const {
    return EachElement(*this, [](FLOAT value, int) { return -value; });
}
D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const {
    return Product(*this, other);
}
D3DXMATRIX D3DXMATRIX::operator+(const D3DXMATRIX& other) const {
    return EachElement(*this, [&](FLOAT value, int i) { return value + other.m[i / 4][i % 4]; });
}
D3DXMATRIX D3DXMATRIX::operator-(const D3DXMATRIX& other) const {
    return EachElement(*this, [&](FLOAT value, int i) { return value - other.m[i / 4][i % 4]; });
}
D3DXMATRIX D3DXMATRIX::operator*(FLOAT factor) const {
    return EachElement(*this, [=](FLOAT value, int) { return value * factor; });
}
D3DXMATRIX D3DXMATRIX::operator/(FLOAT divisor) const {
    return EachElement(*this, [=](FLOAT value, int) { return value / divisor; });
}
D3DXMATRIX operator*(FLOAT factor, const D3DXMATRIX& matrix) {
    return matrix * factor;
}

BOOL D3DXMATRIX::operator==(const D3DXMATRIX& other) const {
    for (int i = 0; i < 16; ++i) {
        if (m[i / 4][i % 4] != other.m[i / 4][i % 4]) {
            return FALSE;
        }
    }
    return TRUE;
}
BOOL D3DXMATRIX::operator!=(const D3DXMATRIX& other) const {
    return !(*this == other);
}

D3DXMATRIX* WINAPI D3DXMatrixIdentity(D3DXMATRIX* pOut) {
    Fill(*pOut, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz) {
    Fill(*pOut, {sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1});
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT Angle) {
    const FLOAT c = std::cos(Angle);
    const FLOAT s = std::sin(Angle);
    Fill(*pOut, {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z) {
    Fill(*pOut, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1,
                                      const D3DXMATRIX* pM2) {
    *pOut = Product(*pM1, *pM2);  // computed aside first, so pOut may alias either input
    return pOut;
}

D3DXVECTOR3* WINAPI D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV,
                                           const D3DXMATRIX* pM) {
    const FLOAT in[4] = {pV->x, pV->y, pV->z, 1.0f};
    FLOAT out[4];
    for (int column = 0; column < 4; ++column) {
        out[column] = 0.0f;
        for (int k = 0; k < 4; ++k) {
            out[column] += in[k] * pM->m[k][column];
        }
    }
    const FLOAT w = out[3] != 0.0f ? out[3] : 1.0f;
    *pOut = D3DXVECTOR3(out[0] / w, out[1] / w, out[2] / w);
    return pOut;
}
