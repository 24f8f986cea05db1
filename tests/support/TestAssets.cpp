// The stand-in textures (through the tests' PNG writer) and WAV files (written by hand).
#include "support/TestAssets.h"

#include <fstream>
#include <string>
#include <vector>

#include "support/PicturePng.h"
#include "test_seam.h"

namespace fs = std::filesystem;

namespace test_assets {
namespace {

using platform::testing::Image;

// Distinct, mid-bright colours, none black, white, red or magenta.
constexpr uint32_t kAtlas[4][8] = {
    {0xFF3060A0, 0xFFA07030, 0xFF30A050, 0xFF9040B0, 0xFFD0D030, 0xFF506070, 0xFF607050,
     0xFF705060},
    {0xFFF08080, 0xFF80F0F0, 0xFF2080C0, 0xFFC08020, 0xFF20C080, 0xFF8020C0, 0xFFC02080,
     0xFF80C020},
    {0xFFE0A000, 0xFFA0E000, 0xFF00A0E0, 0xFF00E0A0, 0xFF7090B0, 0xFF90B070, 0xFFB07090,
     0xFF709070},
    {0xFFF0F0F0, 0xFFD0D0D0, 0xFFB0B0B0, 0xFF909090, 0xFF405060, 0xFF506040, 0xFF604050,
     0xFF504060},
};

Image Blank(int width, int height, uint32_t colour) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, colour);
    return image;
}

void Fill(Image& image, int left, int top, int size, uint32_t colour) {
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            image.pixels[static_cast<size_t>(y) * image.width + x] = colour;
        }
    }
}

uint32_t Darker(uint32_t colour) {
    return 0xFF000000 | ((colour >> 1) & 0x007F7F7F);
}

Image Atlas() {
    Image atlas = Blank(256, 128, MAGENTA);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 8; ++column) {
            Fill(atlas, column * 32, row * 32, 32, AtlasColor(column, row));
            Fill(atlas, column * 32 + 4, row * 32 + 4, 4, Darker(AtlasColor(column, row)));
        }
    }
    return atlas;
}

Image GlyphSheet(int g) {
    Image sheet = Blank(16 * g, 16 * g, MAGENTA);
    for (int c = '!'; c <= '~'; ++c) {
        const int index = c - '!';
        const int left = index % 16 * g;
        const int top = index / 16 * g;
        Fill(sheet, left, top, g * 3 / 4, 0xFFFFFFFF);
        const auto code = static_cast<unsigned char>(c);
        Fill(sheet, left + NotchX(code, g), top + NotchY(code, g), g / 8, MAGENTA);
    }
    return sheet;
}

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// 16-bit mono linear PCM at 48 kHz: a quiet square wave of `frames` samples.
std::string Wave(int frames) {
    std::string data;
    for (int i = 0; i < frames; ++i) {
        PutLe(data, static_cast<uint16_t>(i / 24 % 2 ? 2000 : -2000), 2);
    }
    std::string format;
    PutLe(format, 1, 2);          // PCM
    PutLe(format, 1, 2);          // mono
    PutLe(format, 48000, 4);      // rate
    PutLe(format, 48000 * 2, 4);  // bytes per second
    PutLe(format, 2, 2);          // block
    PutLe(format, 16, 2);         // bits
    std::string body = "WAVEfmt ";
    PutLe(body, static_cast<uint32_t>(format.size()), 4);
    body += format + "data";
    PutLe(body, static_cast<uint32_t>(data.size()), 4);
    body += data;
    std::string file = "RIFF";
    PutLe(file, static_cast<uint32_t>(body.size()), 4);
    return file + body;
}

void WriteTexture(const fs::path& folder, const char* name, const Image& image) {
    pokutan_test::SavePicturePng(image, (folder / (std::string(name) + ".png")).string());
}

}  // namespace

uint32_t AtlasColor(int column, int row) {
    return kAtlas[row][column];
}

int NotchX(unsigned char c, int g) {
    return c % 5 * g / 8;
}

int NotchY(unsigned char c, int g) {
    return c / 5 % 5 * g / 8;
}

void WriteTestAssets(const fs::path& runFolder) {
    const fs::path textures = runFolder / "Resource" / "Texture";
    const fs::path sounds = runFolder / "Resource" / "Sound";
    fs::create_directories(textures);
    fs::create_directories(sounds);
    WriteTexture(textures, "Image", Atlas());
    WriteTexture(textures, "Background", Blank(512, 512, BACKGROUND_TEXEL));
    WriteTexture(textures, "SpriteFont_16_16", GlyphSheet(16));
    WriteTexture(textures, "SpriteFont_32_32", GlyphSheet(32));
    WriteTexture(textures, "SpriteFont_64_64", GlyphSheet(64));
    for (const char* name : {"BGMGame", "BGMScene"}) {
        std::ofstream(sounds / (std::string(name) + ".wav"), std::ios::binary) << Wave(24000);
    }
    for (const char* name : {"Rhythm01", "Rhythm02", "Rhythm03", "Rhythm04", "Scene"}) {
        std::ofstream(sounds / (std::string(name) + ".wav"), std::ios::binary) << Wave(2400);
    }
}

}  // namespace test_assets
