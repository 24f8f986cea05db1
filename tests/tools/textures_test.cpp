// The generated textures as the game loads them (CTexture: D3DXCreateTextureFromFileExA with
// the magenta colour key, on a headless device): sizes, the glyph grid of the sprite fonts,
// the atlas cells the play scene draws, and a background dim enough to stay behind the play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "GeneratedTree.h"
#include "frame/SharedContext.h"
#include "graphics/CTexture.h"
#include "test_seam.h"

namespace {

using platform::testing::Image;
using tools_test::GeneratedTree;

constexpr uint32_t kClear = 0x00000000;  // what the colour key leaves of magenta
constexpr uint32_t kWhite = 0xFFFFFFFF;

class GeneratedTextures : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        ASSERT_TRUE(platform::testing::CreateHeadlessDevice(64, 64, &headless));
        SharedContext.hWnd = headless.window;
        SharedContext.device = headless.device;
        CTexture::SetDirectory((GeneratedTree::RunFolder() / "Resource/Texture/").string());
        CTexture::SetExtension(".png");
    }

    void TearDown() override {
        SharedContext.device = nullptr;
        headless.device->Release();
        headless.d3d->Release();
    }

    // Level 0 of the texture as the game would have it, after its size was checked.
    static Image Load(const std::string& name, int width, int height) {
        CTexture texture(name);
        EXPECT_NE(texture.texture, nullptr) << name;
        EXPECT_EQ(texture.width, width) << name;
        EXPECT_EQ(texture.height, height) << name;
        EXPECT_TRUE(platform::testing::MessageBoxes().empty()) << name;
        return texture.texture ? platform::testing::ReadTextureLevel(texture.texture, 0) : Image{};
    }

    // The pixels of one square cell, row by row.
    static std::vector<uint32_t> Cell(const Image& image, int column, int row, int size) {
        std::vector<uint32_t> pixels;
        for (int y = row * size; y < (row + 1) * size; ++y) {
            for (int x = column * size; x < (column + 1) * size; ++x) {
                pixels.push_back(image.At(x, y));
            }
        }
        return pixels;
    }

    static int CountOf(const std::vector<uint32_t>& pixels, uint32_t color) {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), color));
    }

    static bool IsOpaque(uint32_t pixel) { return pixel >> 24 == 0xFF; }

    platform::testing::HeadlessDevice headless;
};

// Each of the three sheets: the 94 characters in code order in a 16-column grid, white on
// transparent, nothing else; and all three drawn from the one design.
TEST_F(GeneratedTextures, SpriteFontSheetsHoldTheNinetyFourGlyphsInCodeOrder) {
    std::vector<std::vector<bool>> designs;  // each glyph of the 16-pixel sheet, as dots
    for (int size : {16, 32, 64}) {
        SCOPED_TRACE(size);
        std::string name = "SpriteFont_" + std::to_string(size) + "_" + std::to_string(size);
        Image sheet = Load(name, size * 16, size * 16);
        ASSERT_EQ(sheet.width, size * 16);
        std::set<std::vector<uint32_t>> distinct;
        for (int index = 0; index < 256; ++index) {
            std::vector<uint32_t> cell = Cell(sheet, index % 16, index / 16, size);
            int white = CountOf(cell, kWhite);
            EXPECT_EQ(white + CountOf(cell, kClear), size * size) << "cell " << index;
            if (index >= 94) {
                EXPECT_EQ(white, 0) << "cell " << index << " lies after '~'";
                continue;
            }
            EXPECT_GT(white, 0) << "no glyph for '" << static_cast<char>('!' + index) << "'";
            distinct.insert(cell);
            // Sampled at the 16-pixel grid, every size shows the same dots.
            std::vector<bool> dots;
            const int step = size / 16;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    dots.push_back(cell[(y * step) * size + x * step] == kWhite);
                }
            }
            if (size == 16) {
                designs.push_back(dots);
            } else {
                EXPECT_EQ(dots, designs[index]) << "'" << static_cast<char>('!' + index) << "'";
            }
        }
        EXPECT_EQ(distinct.size(), 94u) << "two characters look the same";
    }
}

// A glyph never touches the right edge of its cell, so neighbouring characters never merge.
TEST_F(GeneratedTextures, GlyphsKeepAGapToTheNextCharacter) {
    Image sheet = Load("SpriteFont_16_16", 256, 256);
    ASSERT_EQ(sheet.width, 256);
    for (int index = 0; index < 94; ++index) {
        std::vector<uint32_t> cell = Cell(sheet, index % 16, index / 16, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 14; x < 16; ++x) {
                EXPECT_EQ(cell[y * 16 + x], kClear) << "'" << static_cast<char>('!' + index) << "'";
            }
        }
    }
}

TEST_F(GeneratedTextures, AtlasHasEveryCellThePlaySceneDraws) {
    Image atlas = Load("Image", 256, 128);
    ASSERT_EQ(atlas.width, 256);
    auto opaqueCount = [&](int column, int row) {
        std::vector<uint32_t> cell = Cell(atlas, column, row, 32);
        return static_cast<int>(std::count_if(cell.begin(), cell.end(), IsOpaque));
    };
    // Floor, wall, stairs and the goal's floor cover their whole cell; the stairs marker is
    // an overlay drawn over the stairs, so it must let them show through.
    for (int column : {0, 1, 3, 4}) {
        EXPECT_EQ(opaqueCount(column, 0), 32 * 32) << "row 0, column " << column;
    }
    EXPECT_GT(opaqueCount(2, 0), 40);
    EXPECT_LT(opaqueCount(2, 0), 32 * 32 / 2);
    // Marker frames, goal frames and arrows: sprites on a transparent ground.
    const int used[] = {2, 4, 4};
    for (int row = 1; row <= 3; ++row) {
        for (int column = 0; column < 8; ++column) {
            int opaque = opaqueCount(column, row);
            if (column < used[row - 1]) {
                EXPECT_GT(opaque, 100) << "row " << row << ", column " << column;
                EXPECT_LT(opaque, 32 * 32) << "row " << row << ", column " << column;
            } else {
                EXPECT_EQ(opaque, 0) << "row " << row << ", column " << column;
            }
        }
    }
    for (int column = 5; column < 8; ++column) {
        EXPECT_EQ(opaqueCount(column, 0), 0) << "row 0, column " << column;
    }
    EXPECT_NE(Cell(atlas, 0, 1, 32), Cell(atlas, 1, 1, 32)) << "the marker must move";
    for (int frame = 1; frame < 4; ++frame) {
        EXPECT_NE(Cell(atlas, frame - 1, 2, 32), Cell(atlas, frame, 2, 32)) << frame;
    }
}

// The rhythm arrows are grey (the game tints the running one red) and point right, left, up
// and down: each is the right arrow turned, judged by where its tip lies.
TEST_F(GeneratedTextures, RhythmArrowsAreGreyAndPointTheirWay) {
    Image atlas = Load("Image", 256, 128);
    ASSERT_EQ(atlas.width, 256);
    struct Extent {
        int left = 32, right = -1, top = 32, bottom = -1;
        int count = 0;
    };
    std::vector<Extent> extents(4);
    for (int arrow = 0; arrow < 4; ++arrow) {
        Extent& e = extents[arrow];
        int brightest = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                uint32_t pixel = atlas.At(arrow * 32 + x, 96 + y);
                if (!IsOpaque(pixel)) {
                    continue;
                }
                int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
                EXPECT_TRUE(r == g && g == b) << "arrow " << arrow << " is not grey";
                brightest = std::max(brightest, r);
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
                ++e.count;
            }
        }
        EXPECT_GE(brightest, 230) << "arrow " << arrow << " is too dark to show the red tint";
        ASSERT_GT(e.count, 0);
    }
    // The tip is a point; the shaft's end opposite it is a flat edge as wide as the shaft.
    auto column = [&](int arrow, int x) {
        int count = 0;
        for (int y = 0; y < 32; ++y) {
            count += IsOpaque(atlas.At(arrow * 32 + x, 96 + y));
        }
        return count;
    };
    auto row = [&](int arrow, int y) {
        int count = 0;
        for (int x = 0; x < 32; ++x) {
            count += IsOpaque(atlas.At(arrow * 32 + x, 96 + y));
        }
        return count;
    };
    const int flat = 8;
    EXPECT_GE(column(0, extents[0].left), flat) << "right";
    EXPECT_LT(column(0, extents[0].right), flat) << "right";
    EXPECT_GE(column(1, extents[1].right), flat) << "left";
    EXPECT_LT(column(1, extents[1].left), flat) << "left";
    EXPECT_GE(row(2, extents[2].bottom), flat) << "up";
    EXPECT_LT(row(2, extents[2].top), flat) << "up";
    EXPECT_GE(row(3, extents[3].top), flat) << "down";
    EXPECT_LT(row(3, extents[3].bottom), flat) << "down";
}

// Eight copies are added with a tint of at most 64/255 per channel: the picture must be grey,
// opaque and dark on average, with soft detail rather than a flat field.
TEST_F(GeneratedTextures, BackgroundIsADimGreyPattern) {
    Image background = Load("Background", 512, 512);
    ASSERT_EQ(background.width, 512);
    double sum = 0.0;
    double squares = 0.0;
    int brightest = 0;
    for (uint32_t pixel : background.pixels) {
        int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        ASSERT_TRUE(IsOpaque(pixel));
        ASSERT_TRUE(r == g && g == b);
        sum += r;
        squares += static_cast<double>(r) * r;
        brightest = std::max(brightest, r);
    }
    double count = static_cast<double>(background.pixels.size());
    double mean = sum / count;
    double deviation = std::sqrt(squares / count - mean * mean);
    // Eight layers at 64/255: a mean of 40 adds to about 80 of 255 on screen at most.
    EXPECT_LT(mean, 40.0);
    EXPECT_GT(mean, 5.0);
    EXPECT_LT(brightest, 160);
    EXPECT_GT(deviation, 5.0) << "a flat background gives the rotation nothing to show";
}

}  // namespace
