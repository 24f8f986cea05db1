// The RIFF reader: chunk walk, searching inside a parent, pad bytes, data offsets, and files
// whose sizes lie or that end early. The WAV files are built here byte by byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mmsystem.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutU32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutU16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutId(Bytes& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// A chunk with its true size and, for an odd size, its pad byte.
Bytes Chunk(const char* id, const Bytes& data) {
    Bytes out;
    PutId(out, id);
    PutU32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) {
        out.push_back(0);
    }
    return out;
}

// A chunk whose header declares `declared` bytes whatever follows.
Bytes LyingChunk(const char* id, uint32_t declared, const Bytes& data) {
    Bytes out;
    PutId(out, id);
    PutU32(out, declared);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Bytes FormChunk(const char* id, const char* type, const Bytes& children) {
    Bytes data;
    PutId(data, type);
    data.insert(data.end(), children.begin(), children.end());
    return Chunk(id, data);
}

Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, bool withCbSize) {
    Bytes out;
    uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    PutU16(out, tag);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, bits);
    if (withCbSize) {
        PutU16(out, 0);
    }
    return out;
}

Bytes Samples(size_t count, uint8_t seed) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return out;
}

class RiffReader : public ::testing::Test {
  protected:
    void TearDown() override {
        if (file) {
            mmioClose(file, 0);
        }
        std::filesystem::remove(path);
    }

    HMMIO OpenBytes(const Bytes& bytes) {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');  // parameterised names hold slashes
        path = ::testing::TempDir() + "riff_reader_" + name + ".wav";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        file = mmioOpenA(path.data(), nullptr, MMIO_ALLOCBUF | MMIO_READ);
        return file;
    }

    LONG Position() { return mmioSeek(file, 0, SEEK_CUR); }

    MMRESULT Find(const char* id, MMCKINFO& chunk, const MMCKINFO* parent) {
        chunk = {};
        chunk.ckid = mmioFOURCC(id[0], id[1], id[2], id[3]);
        return mmioDescend(file, &chunk, parent, MMIO_FINDCHUNK);
    }

    Bytes ReadAll(const MMCKINFO& chunk) {
        Bytes out(chunk.cksize);
        LONG got = mmioRead(file, reinterpret_cast<HPSTR>(out.data()), LONG(out.size()));
        out.resize(got < 0 ? 0 : size_t(got));
        return out;
    }

    std::string path;
    HMMIO file = nullptr;
};

TEST_F(RiffReader, OpensOnlyReadableFiles) {
    std::string missing = ::testing::TempDir() + "riff_reader_missing.wav";
    EXPECT_EQ(mmioOpenA(missing.data(), nullptr, MMIO_ALLOCBUF), nullptr);
    std::string folder = ::testing::TempDir();
    EXPECT_EQ(mmioOpenA(folder.data(), nullptr, MMIO_ALLOCBUF), nullptr);
    ASSERT_NE(OpenBytes(Chunk("abcd", {})), nullptr);
    EXPECT_EQ(mmioOpenA(path.data(), nullptr, MMIO_WRITE), nullptr);
    EXPECT_EQ(mmioOpenA(path.data(), nullptr, MMIO_READWRITE), nullptr);
    EXPECT_EQ(mmioOpenA(path.data(), nullptr, MMIO_CREATE), nullptr);
    EXPECT_EQ(mmioOpenA(path.data(), nullptr, 0x00000200 /* MMIO_DELETE */), nullptr);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(mmioClose(nullptr, 0), MMRESULT(MMSYSERR_INVALHANDLE));
    EXPECT_EQ(mmioRead(nullptr, nullptr, 4), -1);
}

TEST_F(RiffReader, WalksAWaveFileTheWayTheGameDoes) {
    Bytes data = Samples(100, 3);
    ASSERT_NE(OpenBytes(FormChunk(
                  "RIFF", "WAVE",
                  Concat({Chunk("fmt ", Format(1, 2, 44100, 16, false)), Chunk("data", data)}))),
              nullptr);
    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(riff.cksize, 4u + 24u + 108u);
    EXPECT_EQ(riff.dwDataOffset, 8u);
    EXPECT_EQ(Position(), 12);

    MMCKINFO sub{};
    ASSERT_EQ(Find("fmt ", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, 16u);
    EXPECT_EQ(sub.dwDataOffset, 20u);
    uint8_t format[16];
    ASSERT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(format), 16), 16);
    EXPECT_EQ(std::memcmp(format, Format(1, 2, 44100, 16, false).data(), 16), 0);
    ASSERT_EQ(mmioAscend(file, &sub, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(Position(), 36);

    ASSERT_EQ(Find("data", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, 100u);
    EXPECT_EQ(sub.dwDataOffset, 44u);
    EXPECT_EQ(ReadAll(sub), data);
    EXPECT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(format), 16), 0);
}

TEST_F(RiffReader, FindsChunksPastListsLongFormatsAndOddSizedChunks) {
    Bytes data = Samples(64, 9);
    Bytes list = FormChunk("LIST", "INFO", Chunk("INAM", Bytes{'t', 'u', 'n', 'e', 0}));
    Bytes odd = Chunk("junk", Bytes{1, 2, 3});
    Bytes fmt = Chunk("fmt ", Format(1, 1, 22050, 8, true));
    ASSERT_NE(
        OpenBytes(FormChunk("RIFF", "WAVE", Concat({list, fmt, odd, list, Chunk("data", data)}))),
        nullptr);
    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO sub{};
    ASSERT_EQ(Find("fmt ", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, 18u);
    EXPECT_EQ(sub.dwDataOffset, 12u + list.size() + 8u);
    ASSERT_EQ(mmioAscend(file, &sub, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(Position(), LONG(12 + list.size() + fmt.size()));

    MMCKINFO junk{};
    ASSERT_EQ(Find("junk", junk, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(junk.cksize, 3u);
    ASSERT_EQ(mmioAscend(file, &junk, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(Position() % 2, 0) << "ascending skips the pad byte";

    ASSERT_EQ(Find("data", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.dwDataOffset, 12u + 2 * list.size() + fmt.size() + odd.size() + 8u);
    EXPECT_EQ(ReadAll(sub), data);
}

TEST_F(RiffReader, DescendsIntoListsAndFindsFormsByType) {
    Bytes info = FormChunk("LIST", "INFO", Chunk("ICMT", Bytes{'h', 'i', 0, 0}));
    Bytes adtl = FormChunk("LIST", "adtl", Chunk("labl", Bytes{9, 9}));
    ASSERT_NE(OpenBytes(FormChunk("RIFF", "WAVE", Concat({info, adtl}))), nullptr);

    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO list{};
    list.fccType = mmioFOURCC('a', 'd', 't', 'l');
    ASSERT_EQ(mmioDescend(file, &list, &riff, MMIO_FINDLIST), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(list.dwDataOffset, 12u + info.size() + 8u);
    EXPECT_EQ(Position(), LONG(list.dwDataOffset + 4));
    MMCKINFO label{};
    ASSERT_EQ(mmioDescend(file, &label, &list, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(label.ckid, mmioFOURCC('l', 'a', 'b', 'l'));
    EXPECT_EQ(label.cksize, 2u);

    mmioSeek(file, 12, SEEK_SET);
    MMCKINFO first{};
    ASSERT_EQ(mmioDescend(file, &first, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(first.ckid, FOURCC_LIST);
    EXPECT_EQ(first.fccType, mmioFOURCC('I', 'N', 'F', 'O'));

    MMCKINFO missing{};
    missing.fccType = mmioFOURCC('n', 'o', 'n', 'e');
    mmioSeek(file, 12, SEEK_SET);
    EXPECT_EQ(mmioDescend(file, &missing, &riff, MMIO_FINDLIST), MMRESULT(MMIOERR_CHUNKNOTFOUND));
}

TEST_F(RiffReader, SearchStopsAtTheEndOfTheParent) {
    Bytes inside = FormChunk("RIFF", "WAVE", Chunk("fmt ", Format(1, 1, 48000, 16, false)));
    ASSERT_NE(OpenBytes(Concat({inside, Chunk("data", Samples(8, 1))})), nullptr);
    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO sub{};
    EXPECT_EQ(Find("data", sub, &riff), MMRESULT(MMIOERR_CHUNKNOTFOUND));
    mmioSeek(file, 12, SEEK_SET);
    EXPECT_EQ(Find("data", sub, nullptr), MMRESULT(MMSYSERR_NOERROR))
        << "without a parent the search goes on to the end of the file";
    EXPECT_EQ(sub.dwDataOffset, inside.size() + 8u);
}

TEST_F(RiffReader, SizesPastTheFileAreCutToWhatTheFileHolds) {
    Bytes head;
    PutId(head, "RIFF");
    PutU32(head, 0xFFFFFFF0u);
    PutId(head, "WAVE");
    Bytes fmt = Chunk("fmt ", Format(1, 1, 48000, 16, false));
    Bytes data = LyingChunk("data", 100000, Samples(10, 5));
    ASSERT_NE(OpenBytes(Concat({head, fmt, data})), nullptr);

    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(riff.cksize, 4u + fmt.size() + data.size());
    MMCKINFO sub{};
    ASSERT_EQ(Find("data", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, 10u);
    Bytes declared(100000);
    EXPECT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(declared.data()), 100000), 10);
    declared.resize(10);
    EXPECT_EQ(declared, Samples(10, 5));
    mmioSeek(file, 12, SEEK_SET);
    EXPECT_EQ(Find("LIST", sub, &riff), MMRESULT(MMIOERR_CHUNKNOTFOUND));
}

TEST_F(RiffReader, SizesPastTheParentAreCutToTheParent) {
    Bytes children = Concat(
        {Chunk("fmt ", Format(1, 1, 48000, 16, false)), LyingChunk("big ", 5000, Samples(6, 0))});
    Bytes riff;
    PutId(riff, "RIFF");
    PutU32(riff, static_cast<uint32_t>(4 + children.size()));
    PutId(riff, "WAVE");
    ASSERT_NE(OpenBytes(Concat({riff, children, Chunk("data", Samples(40, 2))})), nullptr);

    MMCKINFO parent{};
    ASSERT_EQ(mmioDescend(file, &parent, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO big{};
    ASSERT_EQ(Find("big ", big, &parent), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(big.cksize, 6u);
    ASSERT_EQ(mmioAscend(file, &big, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO data{};
    EXPECT_EQ(Find("data", data, &parent), MMRESULT(MMIOERR_CHUNKNOTFOUND));
}

TEST_F(RiffReader, HugeChunkSizesEndTheSearchInsteadOfWrappingAround) {
    Bytes children = Concat({LyingChunk("pad ", 0xFFFFFFFFu, Samples(20, 0))});
    ASSERT_NE(OpenBytes(FormChunk("RIFF", "WAVE", children)), nullptr);
    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO sub{};
    EXPECT_EQ(Find("data", sub, &riff), MMRESULT(MMIOERR_CHUNKNOTFOUND));
    mmioSeek(file, 12, SEEK_SET);
    ASSERT_EQ(Find("pad ", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, 20u);
}

TEST_F(RiffReader, TruncatedFilesFailCleanly) {
    Bytes whole = FormChunk(
        "RIFF", "WAVE",
        Concat({Chunk("fmt ", Format(1, 2, 48000, 16, false)), Chunk("data", Samples(32, 4))}));
    // Cut inside the RIFF header, inside the form type, inside "fmt "'s header and data.
    for (size_t length : {size_t{0}, size_t{4}, size_t{10}, size_t{16}, size_t{30}}) {
        SCOPED_TRACE(length);
        if (file) {
            mmioClose(file, 0);
        }
        ASSERT_NE(OpenBytes(Bytes(whole.begin(), whole.begin() + long(length))), nullptr);
        MMCKINFO riff{};
        MMRESULT result = mmioDescend(file, &riff, nullptr, 0);
        if (length < 12) {
            EXPECT_EQ(result, MMRESULT(MMIOERR_CHUNKNOTFOUND));
            continue;
        }
        ASSERT_EQ(result, MMRESULT(MMSYSERR_NOERROR));
        EXPECT_EQ(riff.cksize, length - 8);
        MMCKINFO sub{};
        MMRESULT fmt = Find("fmt ", sub, &riff);
        if (length < 20) {
            EXPECT_EQ(fmt, MMRESULT(MMIOERR_CHUNKNOTFOUND));
            continue;
        }
        ASSERT_EQ(fmt, MMRESULT(MMSYSERR_NOERROR));
        EXPECT_EQ(sub.cksize, length - 20);
        uint8_t format[16];
        EXPECT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(format), 16), LONG(length - 20));
        mmioAscend(file, &sub, 0);
        EXPECT_EQ(Find("data", sub, &riff), MMRESULT(MMIOERR_CHUNKNOTFOUND));
    }
}

TEST_F(RiffReader, ReadAndSeekRejectBadArguments) {
    ASSERT_NE(OpenBytes(Chunk("abcd", Samples(4, 0))), nullptr);
    char byte;
    EXPECT_EQ(mmioRead(file, &byte, -1), -1);
    EXPECT_EQ(mmioSeek(file, -1, SEEK_SET), -1);
    EXPECT_EQ(mmioSeek(file, 2, SEEK_END), 14);
    EXPECT_EQ(mmioRead(file, &byte, 1), 0);
    EXPECT_EQ(mmioDescend(file, nullptr, nullptr, 0), MMRESULT(MMSYSERR_INVALPARAM));
    HMMIO closed = file;
    EXPECT_EQ(mmioClose(file, 0), MMRESULT(MMSYSERR_NOERROR));
    file = nullptr;
    EXPECT_EQ(mmioClose(closed, 0), MMRESULT(MMSYSERR_INVALHANDLE));
    EXPECT_EQ(mmioRead(closed, &byte, 1), -1);
}

struct WaveLayout {
    uint16_t channels;
    uint16_t bits;
    uint32_t rate;
};

class RiffReaderFormats : public RiffReader, public ::testing::WithParamInterface<WaveLayout> {};

TEST_P(RiffReaderFormats, ReadsFormatAndSamplesOfEveryLinearPcmLayout) {
    WaveLayout layout = GetParam();
    Bytes format = Format(1, layout.channels, layout.rate, layout.bits, false);
    Bytes data = Samples(size_t{layout.channels} * layout.bits / 8 * 37, 11);
    ASSERT_NE(
        OpenBytes(FormChunk("RIFF", "WAVE", Concat({Chunk("fmt ", format), Chunk("data", data)}))),
        nullptr);
    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(file, &riff, nullptr, 0), MMRESULT(MMSYSERR_NOERROR));
    MMCKINFO sub{};
    ASSERT_EQ(Find("fmt ", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    Bytes read(16);
    ASSERT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(read.data()), 16), 16);
    EXPECT_EQ(read, format);
    mmioAscend(file, &sub, 0);
    ASSERT_EQ(Find("data", sub, &riff), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(sub.cksize, data.size());
    EXPECT_EQ(ReadAll(sub), data);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RiffReaderFormats,
                         ::testing::Values(WaveLayout{1, 8, 22050}, WaveLayout{2, 8, 44100},
                                           WaveLayout{1, 16, 48000}, WaveLayout{2, 16, 44100},
                                           WaveLayout{1, 24, 22050}, WaveLayout{2, 24, 48000},
                                           WaveLayout{1, 32, 44100}, WaveLayout{2, 32, 22050}));

}  // namespace
