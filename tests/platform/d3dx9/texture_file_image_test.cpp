// D3DXCreateTextureFromFileExA and D3DXCreateTexture on a device: power-of-two rounding with the
// image stretched, the mip chain, the colour key, the image description; every PngSuite image
// read back from the texture, and every corrupt or malformed file refused cleanly.
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "d3dx9.h"
#include "d3dx9/image_file.h"
#include "platform/d3d9/device_fixture.h"
#include "platform/d3dx9/pngsuite_reference.h"
#include "platform/d3dx9/seam_picture.h"

namespace {

using pokutan_test::ToPicture;

namespace fs = std::filesystem;
using platform::d3dx9::Image;

class TextureFile : public pokutan_test::DeviceFixture {
  protected:
    void TearDown() override {
        std::error_code ignored;
        for (const fs::path& path : written) {
            fs::remove(path, ignored);
        }
        DeviceFixture::TearDown();
    }

    fs::path TempPath(const std::string& stem) {
        fs::path path = fs::temp_directory_path() /
                        ("pokutan_texfile_" + std::to_string(::getpid()) + "_" + stem + ".png");
        written.push_back(path);
        return path;
    }

    std::string SavePicture(const Image& picture, const std::string& stem) {
        const fs::path path = TempPath(stem);
        EXPECT_TRUE(pokutan_test::SavePicturePng(pokutan_test::ToPicture(picture), path.string()));
        return path.string();
    }

    std::string SaveBytes(const std::string& bytes, const std::string& stem) {
        const fs::path path = TempPath(stem);
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // The game's call: default sizes and levels, managed, magenta keyed out.
    HRESULT LoadLikeTheGame(const std::string& path, IDirect3DTexture9** texture,
                            D3DXIMAGE_INFO* info) {
        return D3DXCreateTextureFromFileExA(
            device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
            D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0xFFFF00FF, info, nullptr, texture);
    }

    // The file's own size, one level, no key: the texture holds exactly the decoded pixels.
    HRESULT LoadAsIs(const std::string& path, IDirect3DTexture9** texture) {
        return D3DXCreateTextureFromFileExA(
            device, path.c_str(), D3DX_DEFAULT_NONPOW2, D3DX_DEFAULT_NONPOW2, 1, 0, D3DFMT_A8R8G8B8,
            D3DPOOL_MANAGED, D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0, nullptr, nullptr, texture);
    }

    // Refused, with one log line that names the file and says why (holding `reason`).
    void ExpectRefused(const std::string& path, const std::string& reason = "") {
        SCOPED_TRACE(path);
        platform::testing::ClearLogLines();
        IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
        D3DXIMAGE_INFO info = {};
        EXPECT_EQ(LoadLikeTheGame(path, &texture, &info), D3DXERR_INVALIDDATA);
        EXPECT_EQ(texture, nullptr);
        EXPECT_EQ(info.Width, 0u);
        const auto& lines = platform::testing::LogLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].rfind(path + ": ", 0), 0u) << lines[0];
        EXPECT_GT(lines[0].size(), path.size() + 2) << "a reason follows the path";
        EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
    }

    std::vector<fs::path> written;
};

Image Picture(int width, int height, uint32_t fill) {
    Image picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, fill);
    return picture;
}

TEST_F(TextureFile, ScreenSizedFileBecomesAPowerOfTwoTextureWithTheFilesSizeReported) {
    Image picture = Picture(640, 480, 0xFF336699);
    picture.At(639, 479) = 0xFFFFFFFF;
    IDirect3DTexture9* texture = nullptr;
    D3DXIMAGE_INFO info = {};
    ASSERT_EQ(LoadLikeTheGame(SavePicture(picture, "screen"), &texture, &info), D3D_OK);
    EXPECT_EQ(info.Width, 640u);
    EXPECT_EQ(info.Height, 480u);
    EXPECT_EQ(info.MipLevels, 1u);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    D3DSURFACE_DESC desc;
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 1024u);
    EXPECT_EQ(desc.Height, 512u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetLevelCount(), 11u);
    const auto level0 = platform::testing::ReadTextureLevel(texture, 0);
    EXPECT_EQ(level0.At(0, 0), 0xFF336699u);
    EXPECT_EQ(level0.At(1023, 511), 0xFFFFFFFFu) << "the image is stretched over the whole level";
    const auto last = platform::testing::ReadTextureLevel(texture, 10);
    EXPECT_EQ(last.width, 1);
    EXPECT_EQ(last.height, 1);
    texture->Release();
}

TEST_F(TextureFile, MagentaIsKeyedToTransparentBlackAndOtherColoursStay) {
    Image picture = Picture(8, 8, 0xFF00FF00);
    for (int x = 0; x < 8; ++x) {
        picture.At(x, 0) = 0xFFFF00FF;
    }
    picture.At(0, 1) = 0xFEFF00FF;  // not opaque: not the key
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(LoadLikeTheGame(SavePicture(picture, "key"), &texture, nullptr), D3D_OK);
    const auto level0 = platform::testing::ReadTextureLevel(texture, 0);
    EXPECT_EQ(level0.At(3, 0), 0u);
    EXPECT_EQ(level0.At(0, 1), 0xFEFF00FFu);
    EXPECT_EQ(level0.At(3, 5), 0xFF00FF00u);
    texture->Release();
}

TEST_F(TextureFile, CreateTextureKeepsTheSizeAskedFor) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device, 640, 480, 1, D3DUSAGE_RENDERTARGET, D3DFMT_UNKNOWN,
                                D3DPOOL_DEFAULT, &texture),
              D3D_OK);
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 480u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_RENDERTARGET));
    EXPECT_EQ(texture->GetLevelCount(), 1u);
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 1);
    texture->Release();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
}

class SuiteTexture : public TextureFile, public testing::WithParamInterface<std::string> {};

TEST_P(SuiteTexture, HoldsTheListedPixels) {
    using namespace pokutan_test::pngsuite;
    const std::string& name = GetParam();
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(LoadAsIs((kSuite / "png" / (name + ".png")).string(), &texture), D3D_OK);
    const platform::testing::Image actual = platform::testing::ReadTextureLevel(texture, 0);
    texture->Release();
    Image expected;
    ASSERT_TRUE(ReferencePicture(name, actual.width, actual.height, expected));
    const int tolerance = BitDepthOf(name) == 16 ? 1 : 0;
    EXPECT_TRUE(
        pokutan_test::PicturesMatch(actual, ToPicture(expected), "texture_" + name, tolerance));
}

INSTANTIATE_TEST_SUITE_P(PngSuite, SuiteTexture,
                         testing::ValuesIn(pokutan_test::pngsuite::SuiteNames(false)),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

TEST_F(TextureFile, EveryCorruptSuiteFileIsRefused) {
    using namespace pokutan_test::pngsuite;
    ASSERT_FALSE(SuiteNames(true).empty());
    for (const std::string& name : SuiteNames(true)) {
        SCOPED_TRACE(name);
        ExpectRefused((kSuite / "png" / (name + ".png")).string());
    }
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
}

uint32_t Crc32(const std::string& bytes, size_t from, size_t to) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < to; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
    }
}

// Changes IHDR's width, height and bit depth and gives the chunk a correct CRC again.
std::string WithHeader(std::string bytes, uint32_t width, uint32_t height, uint8_t depth) {
    // Signature (8), length (4), "IHDR" (4), then width, height, depth...; CRC after 13 bytes.
    PutBigEndian(bytes, 16, width);
    PutBigEndian(bytes, 20, height);
    bytes[24] = static_cast<char>(depth);
    PutBigEndian(bytes, 29, Crc32(bytes, 12, 29));
    return bytes;
}

TEST_F(TextureFile, MalformedFilesAreRefused) {
    Image picture = Picture(16, 16, 0xFF808080);
    picture.At(3, 3) = 0xFF000000;
    std::ifstream in(SavePicture(picture, "good"), std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(good.size(), 60u);
    ASSERT_EQ(good.substr(12, 4), "IHDR");

    ExpectRefused(SaveBytes(good.substr(0, good.size() / 2), "truncated"));
    ExpectRefused(SaveBytes(good.substr(0, 8), "signature_only"));
    ExpectRefused(SaveBytes("", "empty"), "file is empty");
    std::string badCrc = good;
    badCrc[30] ^= 0x5A;  // IHDR's CRC
    ExpectRefused(SaveBytes(badCrc, "bad_crc"), "IHDR: CRC error");
    std::string badData = good;
    const size_t idat = good.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    badData[idat + 6] ^= 0x01;  // inside the compressed data, CRC left stale
    ExpectRefused(SaveBytes(badData, "bad_idat_crc"), "IDAT: ");
    ExpectRefused(SaveBytes(WithHeader(good, 0, 16, 8), "zero_width"));
    ExpectRefused(SaveBytes(WithHeader(good, 16, 16, 3), "bad_depth"));
    ExpectRefused(SaveBytes(WithHeader(good, 1000000, 1000000, 8), "huge"), "too large");
    // A valid file whose texture would be wider than the device makes textures.
    ExpectRefused(SavePicture(Picture(9000, 1, 0xFF000000), "wider_than_the_device"),
                  "larger than the device's largest");
    ExpectRefused(fs::path(TempPath("missing")).string(), "No such file or directory");
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
}

}  // namespace
