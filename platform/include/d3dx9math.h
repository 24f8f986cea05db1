// D3DX 9 math: the vector, matrix and colour types and the matrix helpers the game uses, with
// the names, layouts and signatures of the public documentation. Matrices follow Direct3D's
// row-vector convention (a point is a row multiplied on the left, translation in the fourth row).
// Includable on its own (on Windows, over the SDK's windows.h and d3d9types.h). Default-constructed
// vectors and matrices are left uninitialised, as documented; a colour channel that is not a
// number packs as 0.
#pragma once

#include <windows.h>
// windows.h first: the SDK's d3d9types.h needs its types
#include <d3d9types.h>

#define D3DX_PI ((FLOAT)3.141592654f)
#define D3DX_1BYPI ((FLOAT)0.318309886f)
#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))
#define D3DXToDegree(radian) ((radian) * (180.0f / D3DX_PI))

typedef struct D3DXVECTOR2 {
    D3DXVECTOR2() = default;
    D3DXVECTOR2(const FLOAT* values);
    D3DXVECTOR2(FLOAT x, FLOAT y);

    operator FLOAT*();
    operator const FLOAT*() const;

    D3DXVECTOR2& operator+=(const D3DXVECTOR2& other);
    D3DXVECTOR2& operator-=(const D3DXVECTOR2& other);
    D3DXVECTOR2& operator*=(FLOAT factor);
    D3DXVECTOR2& operator/=(FLOAT divisor);

    D3DXVECTOR2 operator+() const;
    D3DXVECTOR2 operator-() const;
    D3DXVECTOR2 operator+(const D3DXVECTOR2& other) const;
    D3DXVECTOR2 operator-(const D3DXVECTOR2& other) const;
    D3DXVECTOR2 operator*(FLOAT factor) const;
    D3DXVECTOR2 operator/(FLOAT divisor) const;
    friend D3DXVECTOR2 operator*(FLOAT factor, const D3DXVECTOR2& vector);

    BOOL operator==(const D3DXVECTOR2& other) const;
    BOOL operator!=(const D3DXVECTOR2& other) const;

    FLOAT x, y;
} D3DXVECTOR2, *LPD3DXVECTOR2;

typedef struct D3DXVECTOR3 : public D3DVECTOR {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(const FLOAT* values);
    D3DXVECTOR3(const D3DVECTOR& vector);
    D3DXVECTOR3(FLOAT x, FLOAT y, FLOAT z);

    operator FLOAT*();
    operator const FLOAT*() const;

    D3DXVECTOR3& operator+=(const D3DXVECTOR3& other);
    D3DXVECTOR3& operator-=(const D3DXVECTOR3& other);
    D3DXVECTOR3& operator*=(FLOAT factor);
    D3DXVECTOR3& operator/=(FLOAT divisor);

    D3DXVECTOR3 operator+() const;
    D3DXVECTOR3 operator-() const;
    D3DXVECTOR3 operator+(const D3DXVECTOR3& other) const;
    D3DXVECTOR3 operator-(const D3DXVECTOR3& other) const;
    D3DXVECTOR3 operator*(FLOAT factor) const;
    D3DXVECTOR3 operator/(FLOAT divisor) const;
    friend D3DXVECTOR3 operator*(FLOAT factor, const D3DXVECTOR3& vector);

    BOOL operator==(const D3DXVECTOR3& other) const;
    BOOL operator!=(const D3DXVECTOR3& other) const;
} D3DXVECTOR3, *LPD3DXVECTOR3;

typedef struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
    D3DXMATRIX(const FLOAT* values);  // 16 values, row by row
    D3DXMATRIX(const D3DMATRIX& matrix);
    D3DXMATRIX(FLOAT m11, FLOAT m12, FLOAT m13, FLOAT m14, FLOAT m21, FLOAT m22, FLOAT m23,
               FLOAT m24, FLOAT m31, FLOAT m32, FLOAT m33, FLOAT m34, FLOAT m41, FLOAT m42,
               FLOAT m43, FLOAT m44);

    FLOAT& operator()(UINT row, UINT column);
    FLOAT operator()(UINT row, UINT column) const;

    operator FLOAT*();
    operator const FLOAT*() const;

    D3DXMATRIX& operator*=(const D3DXMATRIX& other);
    D3DXMATRIX& operator+=(const D3DXMATRIX& other);
    D3DXMATRIX& operator-=(const D3DXMATRIX& other);
    D3DXMATRIX& operator*=(FLOAT factor);
    D3DXMATRIX& operator/=(FLOAT divisor);

    D3DXMATRIX operator+() const;
    D3DXMATRIX operator-() const;
    D3DXMATRIX operator*(const D3DXMATRIX& other) const;  // this first, then other
    D3DXMATRIX operator+(const D3DXMATRIX& other) const;
    D3DXMATRIX operator-(const D3DXMATRIX& other) const;
    D3DXMATRIX operator*(FLOAT factor) const;
    D3DXMATRIX operator/(FLOAT divisor) const;
    friend D3DXMATRIX operator*(FLOAT factor, const D3DXMATRIX& matrix);

    BOOL operator==(const D3DXMATRIX& other) const;
    BOOL operator!=(const D3DXMATRIX& other) const;
} D3DXMATRIX, *LPD3DXMATRIX;

// A colour as four floats, 0 to 1 for the displayable range.
typedef struct D3DXCOLOR {
    D3DXCOLOR() = default;
    D3DXCOLOR(DWORD argb);  // channels of 0xAARRGGBB divided by 255
    D3DXCOLOR(const FLOAT* values);
    D3DXCOLOR(FLOAT r, FLOAT g, FLOAT b, FLOAT a);

    // Packs to 0xAARRGGBB: a channel at or above 1 gives 255, at or below 0 gives 0, otherwise
    // channel * 255 + 0.5 truncated.
    operator DWORD() const;

    operator FLOAT*();
    operator const FLOAT*() const;

    D3DXCOLOR& operator+=(const D3DXCOLOR& other);
    D3DXCOLOR& operator-=(const D3DXCOLOR& other);
    D3DXCOLOR& operator*=(FLOAT factor);
    D3DXCOLOR& operator/=(FLOAT divisor);

    D3DXCOLOR operator+() const;
    D3DXCOLOR operator-() const;
    D3DXCOLOR operator+(const D3DXCOLOR& other) const;
    D3DXCOLOR operator-(const D3DXCOLOR& other) const;
    D3DXCOLOR operator*(FLOAT factor) const;
    D3DXCOLOR operator/(FLOAT divisor) const;
    friend D3DXCOLOR operator*(FLOAT factor, const D3DXCOLOR& color);

    BOOL operator==(const D3DXCOLOR& other) const;
    BOOL operator!=(const D3DXCOLOR& other) const;

    FLOAT r, g, b, a;
} D3DXCOLOR, *LPD3DXCOLOR;

// Each returns pOut. The output may be one of the inputs.
D3DXMATRIX* WINAPI D3DXMatrixIdentity(D3DXMATRIX* pOut);
D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz);
// Angle in radians; (1, 0, 0) turns towards (0, 1, 0): x' = x cos - y sin, y' = x sin + y cos.
D3DXMATRIX* WINAPI D3DXMatrixRotationZ(D3DXMATRIX* pOut, FLOAT Angle);
D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z);
// pOut = pM1 * pM2: a point transformed by the result goes through pM1 first, then pM2.
D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1,
                                      const D3DXMATRIX* pM2);
// Transforms (x, y, z, 1) by the matrix and divides by the resulting w (unless it is 0).
D3DXVECTOR3* WINAPI D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV,
                                           const D3DXMATRIX* pM);
