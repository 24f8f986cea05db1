// D3DXVECTOR2 and D3DXVECTOR3: constructors, element access and arithmetic.
#include "d3dx9math.h"

D3DXVECTOR2::D3DXVECTOR2(const FLOAT* values) : x(values[0]), y(values[1]) {}
D3DXVECTOR2::D3DXVECTOR2(FLOAT x, FLOAT y) : x(x), y(y) {}

D3DXVECTOR2::operator FLOAT*() {
    return &x;
}
D3DXVECTOR2::operator const FLOAT*() const {
    return &x;
}

D3DXVECTOR2& D3DXVECTOR2::operator+=(const D3DXVECTOR2& other) {
    return *this = *this + other;
}
D3DXVECTOR2& D3DXVECTOR2::operator-=(const D3DXVECTOR2& other) {
    return *this = *this - other;
}
D3DXVECTOR2& D3DXVECTOR2::operator*=(FLOAT factor) {
    return *this = *this * factor;
}
D3DXVECTOR2& D3DXVECTOR2::operator/=(FLOAT divisor) {
    return *this = *this / divisor;
}

D3DXVECTOR2 D3DXVECTOR2::operator+() const {
    return *this;
}
D3DXVECTOR2 D3DXVECTOR2::operator-() const {
    return {-x, -y};
}
D3DXVECTOR2 D3DXVECTOR2::operator+(const D3DXVECTOR2& other) const {
    return {x + other.x, y + other.y};
}
D3DXVECTOR2 D3DXVECTOR2::operator-(const D3DXVECTOR2& other) const {
    return {x - other.x, y - other.y};
}
D3DXVECTOR2 D3DXVECTOR2::operator*(FLOAT factor) const {
    return {x * factor, y * factor};
}
D3DXVECTOR2 D3DXVECTOR2::operator/(FLOAT divisor) const {
    return {x / divisor, y / divisor};
}
D3DXVECTOR2 operator*(FLOAT factor, const D3DXVECTOR2& vector) {
    return vector * factor;
}

BOOL D3DXVECTOR2::operator==(const D3DXVECTOR2& other) const {
    return x == other.x && y == other.y;
}
BOOL D3DXVECTOR2::operator!=(const D3DXVECTOR2& other) const {
    return !(*this == other);
}

D3DXVECTOR3::D3DXVECTOR3(const FLOAT* values) : D3DVECTOR{values[0], values[1], values[2]} {}
D3DXVECTOR3::D3DXVECTOR3(const D3DVECTOR& vector) : D3DVECTOR(vector) {}
D3DXVECTOR3::D3DXVECTOR3(FLOAT x, FLOAT y, FLOAT z) : D3DVECTOR{x, y, z} {}

D3DXVECTOR3::operator FLOAT*() {
    return &x;
}
D3DXVECTOR3::operator const FLOAT*() const {
    return &x;
}

D3DXVECTOR3& D3DXVECTOR3::operator+=(const D3DXVECTOR3& other) {
    return *this = *this + other;
}
D3DXVECTOR3& D3DXVECTOR3::operator-=(const D3DXVECTOR3& other) {
    return *this = *this - other;
}
D3DXVECTOR3& D3DXVECTOR3::operator*=(FLOAT factor) {
    return *this = *this * factor;
}
D3DXVECTOR3& D3DXVECTOR3::operator/=(FLOAT divisor) {
    return *this = *this / divisor;
}

D3DXVECTOR3 D3DXVECTOR3::operator+() const {
    return *this;
}
D3DXVECTOR3 D3DXVECTOR3::operator-() const {
    return {-x, -y, -z};
}
D3DXVECTOR3 D3DXVECTOR3::operator+(const D3DXVECTOR3& other) const {
    return {x + other.x, y + other.y, z + other.z};
}
D3DXVECTOR3 D3DXVECTOR3::operator-(const D3DXVECTOR3& other) const {
    return {x - other.x, y - other.y, z - other.z};
}
D3DXVECTOR3 D3DXVECTOR3::operator*(FLOAT factor) const {
    return {x * factor, y * factor, z * factor};
}
D3DXVECTOR3 D3DXVECTOR3::operator/(FLOAT divisor) const {
    return {x / divisor, y / divisor, z / divisor};
}
D3DXVECTOR3 operator*(FLOAT factor, const D3DXVECTOR3& vector) {
    return vector * factor;
}

BOOL D3DXVECTOR3::operator==(const D3DXVECTOR3& other) const {
    return x == other.x && y == other.y && z == other.z;
}
BOOL D3DXVECTOR3::operator!=(const D3DXVECTOR3& other) const {
    return !(*this == other);
}
