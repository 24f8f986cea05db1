// Reading PNG files: what a good file reports, and that broken files of every kind (missing,
// empty, truncated, bad checksums, impossible or oversized headers, corrupt data) fail with a
// reason instead of crashing or reading out of bounds.
#include "d3dx9/image_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/d3dx9/seam_picture.h"

namespace {

using pokutan_test::ToPicture;

namespace fs = std::filesystem;
using platform::d3dx9::Image;
using platform::d3dx9::ImageFile;
using platform::d3dx9::ReadPngFile;
using Bytes = std::vector<uint8_t>;

uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

uint32_t GetBigEndian(const Bytes& bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

struct Chunk {
    size_t start;  // offset of the length field
    uint32_t length;
    std::string type;
};

std::vector<Chunk> ChunksOf(const Bytes& png) {
    std::vector<Chunk> chunks;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = GetBigEndian(png, at);
        chunks.push_back({at, length, std::string(png.begin() + at + 4, png.begin() + at + 8)});
        at += 12 + static_cast<size_t>(length);
    }
    return chunks;
}

const Chunk& FindChunk(const std::vector<Chunk>& chunks, const std::string& type) {
    for (const Chunk& chunk : chunks) {
        if (chunk.type == type) {
            return chunk;
        }
    }
    ADD_FAILURE() << "no " << type << " chunk";
    return chunks.front();
}

// Recomputes the CRC of the chunk, so that a deliberate change is judged on its content.
void FixCrc(Bytes& png, const Chunk& chunk) {
    PutBigEndian(png, chunk.start + 8 + chunk.length,
                 Crc32(&png[chunk.start + 4], chunk.length + 4));
}

// A picture that compresses poorly, so that its data spans many bytes.
Image NoisyPicture(int width, int height) {
    Image picture;
    picture.width = width;
    picture.height = height;
    uint32_t state = 12345;
    for (int i = 0; i < width * height; ++i) {
        state = state * 1664525u + 1013904223u;
        picture.pixels.push_back(state);
    }
    return picture;
}

class PngFileTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pokutan_png_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    Bytes ValidFileBytes(const Image& picture) {
        const std::string path = PathOf("valid.png");
        EXPECT_TRUE(pokutan_test::SavePicturePng(pokutan_test::ToPicture(picture), path));
        std::ifstream file(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), {});
    }

    ImageFile ReadBytes(const Bytes& bytes, const std::string& name = "broken.png") {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return ReadPngFile(path);
    }

    // The header of a file whose IHDR fields are replaced (the CRC made to fit).
    Bytes WithHeader(uint32_t width, uint32_t height, uint8_t depth = 8, uint8_t colorType = 6,
                     uint8_t compression = 0, uint8_t interlace = 0) {
        Bytes png = ValidFileBytes(NoisyPicture(4, 4));
        const Chunk ihdr = FindChunk(ChunksOf(png), "IHDR");
        const size_t data = ihdr.start + 8;
        PutBigEndian(png, data, width);
        PutBigEndian(png, data + 4, height);
        png[data + 8] = depth;
        png[data + 9] = colorType;
        png[data + 10] = compression;
        png[data + 12] = interlace;
        FixCrc(png, ihdr);
        return png;
    }

    fs::path folder_;
};

void ExpectCleanFailure(const ImageFile& file) {
    EXPECT_FALSE(file.ok);
    EXPECT_FALSE(file.error.empty());
    EXPECT_TRUE(file.image.pixels.empty());
}

TEST_F(PngFileTest, WrittenPictureReadsBackExactlyWithItsDescription) {
    const Image picture = NoisyPicture(7, 5);
    const ImageFile file = ReadBytes(ValidFileBytes(picture), "roundtrip.png");
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_TRUE(
        pokutan_test::PicturesMatch(ToPicture(file.image), ToPicture(picture), "roundtrip"));
    EXPECT_TRUE(file.hasAlpha);
    EXPECT_EQ(file.info.Width, 7u);
    EXPECT_EQ(file.info.Height, 5u);
    EXPECT_EQ(file.info.Depth, 1u);
    EXPECT_EQ(file.info.MipLevels, 1u);
    EXPECT_EQ(file.info.Format, platform::d3dx9::kFormatA8R8G8B8);
    EXPECT_EQ(file.info.ResourceType, platform::d3dx9::kResourceTypeTexture);
    EXPECT_EQ(file.info.ImageFileFormat, platform::d3dx9::kImageFileFormatPng);
}

TEST_F(PngFileTest, AlphaIsReportedFromTheFileKind) {
    const fs::path suite = fs::path(POKUTAN_SHARED_DIR) / "pngsuite" / "png";
    const ImageFile rgb = ReadPngFile((suite / "basn2c08.png").string());
    ASSERT_TRUE(rgb.ok) << rgb.error;
    EXPECT_FALSE(rgb.hasAlpha);
    EXPECT_EQ(rgb.info.Format, platform::d3dx9::kFormatX8R8G8B8);
    EXPECT_EQ(rgb.image.At(0, 0) >> 24, 0xFFu);

    const ImageFile transparencyChunk = ReadPngFile((suite / "tbbn3p08.png").string());
    ASSERT_TRUE(transparencyChunk.ok) << transparencyChunk.error;
    EXPECT_TRUE(transparencyChunk.hasAlpha);
    EXPECT_EQ(transparencyChunk.info.Format, platform::d3dx9::kFormatA8R8G8B8);
}

TEST_F(PngFileTest, MissingEmptyAndNonFilePathsFail) {
    const ImageFile missing = ReadPngFile(PathOf("no_such_file.png"));
    ExpectCleanFailure(missing);
    EXPECT_NE(missing.error.find("no_such_file.png"), std::string::npos) << missing.error;

    ExpectCleanFailure(ReadBytes({}, "empty.png"));
    ExpectCleanFailure(ReadPngFile(folder_.string()));
    ExpectCleanFailure(ReadBytes(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '\n'}));
}

TEST_F(PngFileTest, FileCutShortAnywhereFails) {
    const Bytes png = ValidFileBytes(NoisyPicture(64, 64));
    const Chunk idat = FindChunk(ChunksOf(png), "IDAT");
    ASSERT_GT(idat.length, 1000u);
    const size_t idatData = idat.start + 8;
    for (size_t cut : {size_t{1}, size_t{7}, size_t{8}, size_t{16}, size_t{20}, size_t{33},
                       idat.start + 4, idatData + 2, idatData + idat.length / 2,
                       idatData + idat.length - 1, idatData + idat.length + 2}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        ExpectCleanFailure(ReadBytes(Bytes(png.begin(), png.begin() + cut)));
    }
}

TEST_F(PngFileTest, BadChecksumsFail) {
    const Bytes png = ValidFileBytes(NoisyPicture(16, 16));
    const std::vector<Chunk> chunks = ChunksOf(png);
    for (const std::string type : {"IHDR", "IDAT"}) {
        SCOPED_TRACE(type);
        const Chunk& chunk = FindChunk(chunks, type);
        Bytes wrongCrc = png;
        wrongCrc[chunk.start + 8 + chunk.length] ^= 0x5A;
        ExpectCleanFailure(ReadBytes(wrongCrc));

        Bytes changedData = png;  // the content changed under the old CRC
        changedData[chunk.start + 8 + chunk.length / 2] ^= 0x01;
        ExpectCleanFailure(ReadBytes(changedData));
    }
}

TEST_F(PngFileTest, CorruptCompressedDataFails) {
    const Bytes png = ValidFileBytes(NoisyPicture(32, 32));
    const Chunk idat = FindChunk(ChunksOf(png), "IDAT");
    for (uint32_t at : {0u, 1u, idat.length / 3, idat.length - 2}) {
        SCOPED_TRACE("data byte " + std::to_string(at));
        Bytes corrupt = png;
        corrupt[idat.start + 8 + at] ^= 0xFF;
        FixCrc(corrupt, idat);
        ExpectCleanFailure(ReadBytes(corrupt));
    }
}

// A chunk whose length claims more than the file holds is refused before libpng would reserve
// that much: 45 bytes once made the loader allocate and clear 2 GiB before failing.
TEST_F(PngFileTest, ChunkRunningPastTheEndIsRefusedUpFront) {
    const Bytes png = ValidFileBytes(NoisyPicture(4, 4));
    const Chunk idat = FindChunk(ChunksOf(png), "IDAT");
    Bytes claim(png.begin(), png.begin() + 33);  // the signature and IHDR
    claim.insert(claim.end(), {0x7F, 0xFF, 0xFF, 0xFF, 'i', 'T', 'X', 't'});
    ASSERT_EQ(claim.size(), 41u);
    claim.insert(claim.end(), {0, 0, 0, 0});
    // The file may also end before the chunk's CRC would: a few data bytes, or none.
    const Bytes cutShort(claim.begin(), claim.begin() + 44);
    const Bytes headerOnly(claim.begin(), claim.begin() + 41);
    for (const Bytes& bytes : {claim, cutShort, headerOnly, [&] {
                                   Bytes beforeIend = png;  // an IDAT that claims one byte too many
                                   PutBigEndian(beforeIend, idat.start, idat.length + 13);
                                   return beforeIend;
                               }()}) {
        const ImageFile file = ReadBytes(bytes);
        ExpectCleanFailure(file);
        EXPECT_NE(file.error.find("runs past the end"), std::string::npos) << file.error;
    }
}

// libpng reads nothing after IEND, so what follows it (here the start of a chunk claiming
// 2 GiB) does not stop the picture loading.
TEST_F(PngFileTest, BytesAfterTheEndChunkAreIgnored) {
    Bytes png = ValidFileBytes(NoisyPicture(4, 4));
    png.insert(png.end(), {0x7F, 0xFF, 0xFF, 0xFF, 'i', 'T', 'X', 't', 0, 0, 0, 0, 0});
    EXPECT_TRUE(ReadBytes(png).ok);
}

TEST_F(PngFileTest, ImpossibleHeadersFail) {
    ExpectCleanFailure(ReadBytes(WithHeader(0, 4)));
    ExpectCleanFailure(ReadBytes(WithHeader(4, 0)));
    ExpectCleanFailure(ReadBytes(WithHeader(0x80000000u, 4)));
    ExpectCleanFailure(ReadBytes(WithHeader(4, 4, 3)));           // no such bit depth
    ExpectCleanFailure(ReadBytes(WithHeader(4, 4, 8, 5)));        // no such colour type
    ExpectCleanFailure(ReadBytes(WithHeader(4, 4, 16, 3)));       // 16-bit palette
    ExpectCleanFailure(ReadBytes(WithHeader(4, 4, 8, 6, 1)));     // unknown compression
    ExpectCleanFailure(ReadBytes(WithHeader(4, 4, 8, 6, 0, 2)));  // unknown interlacing
}

TEST_F(PngFileTest, OversizedHeadersAreRefusedBeforeDecoding) {
    for (const auto& [width, height] :
         {std::pair<uint32_t, uint32_t>{16385, 1}, {1, 16385}, {8192, 8193}, {16384, 16384}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const ImageFile file = ReadBytes(WithHeader(width, height));
        ExpectCleanFailure(file);
        EXPECT_NE(file.error.find("too large"), std::string::npos) << file.error;
    }
    ExpectCleanFailure(ReadBytes(WithHeader(2000000, 2000000)));  // beyond libpng's own limit
}

// A header may declare a picture of 256 MiB over a few bytes of pixel data; such a file is refused
// before the picture is allocated, while files that really compress that well still read.
TEST_F(PngFileTest, PixelDataTooShortForTheHeaderIsRefusedBeforeDecoding) {
    for (const auto& [width, height] :
         {std::pair<uint32_t, uint32_t>{8192, 8192}, {16384, 512}, {4096, 40}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const ImageFile file = ReadBytes(WithHeader(width, height));
        ExpectCleanFailure(file);
        EXPECT_NE(file.error.find("IDAT data"), std::string::npos) << file.error;
    }
    Image uniform;
    uniform.width = 2048;
    uniform.height = 1024;
    uniform.pixels.assign(size_t{2048} * 1024, 0xFF000000u);
    const ImageFile file = ReadBytes(ValidFileBytes(uniform), "uniform.png");
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_EQ(file.image.pixels, uniform.pixels);
}

TEST_F(PngFileTest, WidestAcceptedPictureReads) {
    const Image picture = NoisyPicture(16384, 1);
    const ImageFile file = ReadBytes(ValidFileBytes(picture), "wide.png");
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_EQ(file.image.width, 16384);
    EXPECT_EQ(file.image.pixels, picture.pixels);
}

TEST(ImageLimits, BoundsOfTheAcceptedSizes) {
    using platform::d3dx9::FitsImageLimits;
    EXPECT_TRUE(FitsImageLimits(1, 1));
    EXPECT_TRUE(FitsImageLimits(16384, 4096));
    EXPECT_TRUE(FitsImageLimits(8192, 8192));
    EXPECT_FALSE(FitsImageLimits(8192, 8193));
    EXPECT_FALSE(FitsImageLimits(16385, 1));
    EXPECT_FALSE(FitsImageLimits(0, 5));
    EXPECT_FALSE(FitsImageLimits(5, -1));
}

}  // namespace
