// The D3DX math helpers: matrix layouts in Direct3D's row-vector convention, the order in which
// multiplied transforms apply, and the packing of float colours.
#include "d3dx9math.h"  // first, to show the header stands on its own

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

D3DXVECTOR3 Transform(const D3DXMATRIX& matrix, float x, float y, float z = 0.0f) {
    const D3DXVECTOR3 point(x, y, z);
    D3DXVECTOR3 result;
    D3DXVec3TransformCoord(&result, &point, &matrix);
    return result;
}

void ExpectNear(const D3DXVECTOR3& actual, float x, float y, float z = 0.0f) {
    EXPECT_NEAR(actual.x, x, 1e-5f);
    EXPECT_NEAR(actual.y, y, 1e-5f);
    EXPECT_NEAR(actual.z, z, 1e-5f);
}

TEST(D3dxMath, TypesHaveTheDocumentedLayout) {
    EXPECT_EQ(sizeof(D3DXVECTOR2), 8u);
    EXPECT_EQ(sizeof(D3DXVECTOR3), 12u);
    EXPECT_EQ(sizeof(D3DXMATRIX), 64u);
    EXPECT_EQ(sizeof(D3DXCOLOR), 16u);
    D3DXMATRIX matrix;
    D3DXMatrixTranslation(&matrix, 7.0f, 8.0f, 9.0f);
    const FLOAT* elements = matrix;
    EXPECT_EQ(elements[12], 7.0f);  // the fourth row holds the translation
    EXPECT_EQ(matrix(3, 1), 8.0f);
    EXPECT_EQ(matrix._43, 9.0f);
}

TEST(D3dxMath, IdentityLeavesPointsAlone) {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    ExpectNear(Transform(identity, 3.0f, -4.0f, 5.0f), 3.0f, -4.0f, 5.0f);
    EXPECT_EQ(identity, D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
}

TEST(D3dxMath, QuarterTurnAboutZTakesXToY) {
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, D3DX_PI / 2);
    ExpectNear(Transform(rotation, 1.0f, 0.0f), 0.0f, 1.0f);
    ExpectNear(Transform(rotation, 0.0f, 1.0f), -1.0f, 0.0f);
    ExpectNear(Transform(rotation, 0.0f, 0.0f, 1.0f), 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(rotation._12, 1.0f, 1e-6f);
    EXPECT_NEAR(rotation._21, -1.0f, 1e-6f);

    D3DXMATRIX fromDegrees;
    D3DXMatrixRotationZ(&fromDegrees, D3DXToRadian(90.0f));
    ExpectNear(Transform(fromDegrees, 1.0f, 0.0f), 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(D3DXToRadian(180.0f), D3DX_PI);
}

TEST(D3dxMath, ProductAppliesTheFirstMatrixFirst) {
    D3DXMATRIX scaling, translation, product;
    D3DXMatrixScaling(&scaling, 2.0f, 3.0f, 1.0f);
    D3DXMatrixTranslation(&translation, 10.0f, 20.0f, 0.5f);
    D3DXMatrixMultiply(&product, &scaling, &translation);
    ExpectNear(Transform(product, 1.0f, 1.0f), 12.0f, 23.0f, 0.5f);
    D3DXMatrixMultiply(&product, &translation, &scaling);
    ExpectNear(Transform(product, 1.0f, 1.0f), 22.0f, 63.0f, 0.5f);
    EXPECT_EQ(product, translation * scaling);
}

TEST(D3dxMath, SpriteTransformScalesThenTurnsThenMoves) {
    // The order the game builds a sprite's transform in: scale, rotate about z, translate.
    D3DXMATRIX m, step;
    D3DXMatrixIdentity(&m);
    D3DXMatrixScaling(&step, 2.0f, 2.0f, 1.0f);
    D3DXMatrixMultiply(&m, &m, &step);
    D3DXMatrixRotationZ(&step, D3DXToRadian(90.0f));
    D3DXMatrixMultiply(&m, &m, &step);
    D3DXMatrixTranslation(&step, 320.0f, 240.0f, 1.0f);
    D3DXMatrixMultiply(&m, &m, &step);
    // One unit right of the centre: doubled, turned clockwise on a y-down screen, then moved.
    ExpectNear(Transform(m, 1.0f, 0.0f), 320.0f, 242.0f, 1.0f);
    ExpectNear(Transform(m, 0.0f, 1.0f), 318.0f, 240.0f, 1.0f);
}

TEST(D3dxMath, MultiplyMayWriteOverEitherInput) {
    D3DXMATRIX a, b, expected;
    D3DXMatrixRotationZ(&a, 0.3f);
    D3DXMatrixTranslation(&b, 1.0f, 2.0f, 3.0f);
    D3DXMatrixMultiply(&expected, &a, &b);
    D3DXMATRIX first = a;
    D3DXMatrixMultiply(&first, &first, &b);
    EXPECT_EQ(first, expected);
    D3DXMATRIX second = b;
    D3DXMatrixMultiply(&second, &a, &second);
    EXPECT_EQ(second, expected);
}

TEST(D3dxMath, TransformCoordDividesByW) {
    D3DXMATRIX matrix;
    D3DXMatrixIdentity(&matrix);
    matrix._44 = 2.0f;
    ExpectNear(Transform(matrix, 4.0f, 6.0f, 8.0f), 2.0f, 3.0f, 4.0f);
}

TEST(D3dxColor, PacksEachChannelClampedAndRounded) {
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(0, 0, 0, 0)), 0x00000000u);
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(1, 1, 1, 1)), 0xFFFFFFFFu);
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.5f)), 0x80808080u);
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(1, 0, 0, 0)), 0x00FF0000u);  // r, g, b, a order
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(0, 0, 1, 0)), 0x000000FFu);
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(-0.5f, 2.0f, 0.25f, 1.5f)), 0xFF00FF40u);
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(0.999f, 0.001f, 0, 1)), 0xFFFF0000u);
    // 64/255 and 16/255, the background's channel values, come back as 64 and 16.
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(64 / 255.0f, 16 / 255.0f, 16 / 255.0f, 1)), 0xFF401010u);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(nan, 1, nan, nan)), 0x0000FF00u);
}

TEST(D3dxColor, EveryPackedValueSurvivesARoundTrip) {
    for (DWORD value = 0; value < 256; ++value) {
        const DWORD packed = (value << 24) | ((255 - value) << 16) | (value << 8) | (value / 2);
        EXPECT_EQ(static_cast<DWORD>(D3DXCOLOR(packed)), packed) << std::hex << packed;
    }
    const D3DXCOLOR white(0xFFFFFFFFu);
    EXPECT_EQ(white.r, 1.0f);
    EXPECT_EQ(white.a, 1.0f);
}

}  // namespace
