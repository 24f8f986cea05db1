// The steps of loading a texture file put together as D3DX does with default sizes: read, key
// out magenta, stretch to powers of two, build the mip chain. Checks what the steps only show
// together: the reported size is the file's, and keyed pixels leave no fringe after filtering.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "d3dx9/color_key.h"
#include "d3dx9/image_file.h"
#include "d3dx9/mip_chain.h"
#include "d3dx9/resample.h"
#include "platform/d3dx9/seam_picture.h"

namespace {

namespace fs = std::filesystem;
using namespace platform::d3dx9;

constexpr uint32_t kMagenta = 0xFFFF00FFu;

struct Texture {
    ImageInfo info;
    std::vector<Image> levels;
};

Texture LoadLikeD3dx(const std::string& path) {
    ImageFile file = ReadPngFile(path);
    EXPECT_TRUE(file.ok) << file.error;
    ApplyColorKey(file.image, kMagenta);
    std::optional<Image> level0 = Resample(file.image, NextPowerOfTwo(file.image.width),
                                           NextPowerOfTwo(file.image.height), Filter::kTriangle);
    EXPECT_TRUE(level0);
    return {file.info, level0 ? BuildMipChain(std::move(*level0)) : std::vector<Image>{}};
}

class TextureRecipe : public testing::Test {
  protected:
    std::string Save(const Image& picture) {
        const fs::path path =
            fs::temp_directory_path() / ("pokutan_recipe_" + std::to_string(::getpid()) + ".png");
        EXPECT_TRUE(pokutan_test::SavePicturePng(pokutan_test::ToPicture(picture), path.string()));
        path_ = path;
        return path.string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    fs::path path_;
};

TEST_F(TextureRecipe, ScreenSizedFileReportsItsOwnSizeAndFillsTheTexture) {
    Image picture;
    picture.width = 640;
    picture.height = 480;
    picture.pixels.assign(640 * 480, 0xFF204080u);
    picture.At(639, 479) = 0xFFFFFFFFu;
    const Texture texture = LoadLikeD3dx(Save(picture));
    EXPECT_EQ(texture.info.Width, 640u);
    EXPECT_EQ(texture.info.Height, 480u);
    EXPECT_EQ(texture.info.Format, kFormatA8R8G8B8);  // written with an alpha channel
    ASSERT_EQ(texture.levels.size(), 11u);
    EXPECT_EQ(texture.levels[0].width, 1024);
    EXPECT_EQ(texture.levels[0].height, 512);
    EXPECT_EQ(texture.levels[0].At(0, 0), 0xFF204080u);
    EXPECT_EQ(texture.levels[0].At(1023, 511), 0xFFFFFFFFu);  // the corner pixel reaches the corner
    EXPECT_EQ(texture.levels[10].width, 1);
    EXPECT_EQ(texture.levels[10].height, 1);
}

TEST_F(TextureRecipe, MagentaIsKeyedOutBeforeFilteringSoNoFringeRemains) {
    // White with a magenta frame, at a size that must be stretched.
    Image picture;
    picture.width = 30;
    picture.height = 20;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool frame = x < 4 || y < 4 || x >= 26 || y >= 16;
            picture.pixels.push_back(frame ? kMagenta : 0xFFFFFFFFu);
        }
    }
    const Texture texture = LoadLikeD3dx(Save(picture));
    ASSERT_FALSE(texture.levels.empty());
    EXPECT_EQ(texture.levels[0].width, 32);
    EXPECT_EQ(texture.levels[0].height, 32);
    EXPECT_EQ(texture.levels[0].At(0, 0), 0u);
    EXPECT_EQ(texture.levels[0].At(16, 16), 0xFFFFFFFFu);
    for (const Image& level : texture.levels) {
        for (uint32_t pixel : level.pixels) {
            if (pixel >> 24 != 0) {
                EXPECT_EQ(pixel & 0xFFFFFF, 0xFFFFFFu)
                    << std::hex << pixel << " in a " << level.width << " x " << level.height
                    << " level";
            }
        }
    }
}

}  // namespace
