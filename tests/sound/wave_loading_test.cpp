// Loading WAV files into sounds: every linear-PCM layout, the chunk layouts real files have,
// one sound per name, and the messages of the seven checks with a sound left without a buffer.
#include <sys/stat.h>

#include "SoundTest.h"
#include "sound/WaveLoader.h"

namespace {

using namespace sound_test;
using platform::testing::MessageBoxes;
using Message = std::pair<std::string, std::string>;

const Message kCannotEnter{"最初のチャンク（最上部チャンク)に進入できません", ""};
const Message kNotWave{"これはWAVファイルではありません", " lol "};
const Message kNoFormat{"fmt チャンクが見つかりません", ""};
const Message kFormatUnreadable{"WAVフォーマットの読み込み失敗", ""};
const Message kNotPcm{"本サンプルは標準のリニアPCMフォーマットを想定しています", ""};
const Message kNoData{"dataチャンクが見つかりません", ""};
const Message kNoBuffer{"セカンダリバッファー作成失敗", ""};
const Message kDataTooBig{"dataチャンクが大きすぎます", ""};

using WaveLoading = SoundTest;

TEST_F(WaveLoading, EveryPcmLayoutLoadsItsSamplesUnchanged) {
    for (uint16_t bits : {8, 16, 24}) {
        for (uint16_t channels : {1, 2}) {
            for (uint32_t rate : {22050u, 44100u, 48000u}) {
                std::string name = "Pcm" + std::to_string(bits) + "_" + std::to_string(channels) +
                                   "_" + std::to_string(rate);
                SCOPED_TRACE(name);
                Bytes samples = Pattern(channels * bits / 8 * 301);
                Write(name, Wave(channels, rate, bits, samples));
                CSound* sound = CSound::Load(name);
                ASSERT_NE(sound, nullptr);
                ASSERT_NE(sound->buffer, nullptr);
                EXPECT_EQ(Contents(sound), samples);
            }
        }
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(WaveLoading, LongerFormatChunksLoadLikeSixteenByteOnes) {
    Bytes samples = Pattern(400);
    // cbSize 0, and cbSize 22 with the extensible fields of a 40-byte chunk behind it.
    Write("Fmt18", Riff({Chunk("fmt ", Format(1, 2, 44100, 16, {0, 0})), Chunk("data", samples)}));
    Bytes extra{22, 0};
    Bytes tail = Pattern(22, 99);
    extra.insert(extra.end(), tail.begin(), tail.end());
    Write("Fmt40", Riff({Chunk("fmt ", Format(1, 2, 44100, 16, extra)), Chunk("data", samples)}));
    for (const char* name : {"Fmt18", "Fmt40"}) {
        SCOPED_TRACE(name);
        CSound* sound = CSound::Load(name);
        ASSERT_NE(sound->buffer, nullptr);
        EXPECT_EQ(Contents(sound), samples);
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(WaveLoading, OtherChunksBeforeAndBetweenAreSkippedWithTheirPadBytes) {
    Bytes samples = Pattern(600, 3);
    Bytes oddList = Pattern(7, 200);  // odd size: a pad byte follows in the file
    Write("Listed", Riff({Chunk("LIST", oddList), Chunk("fmt ", Format(1, 1, 48000, 16)),
                          Chunk("LIST", Pattern(13, 5)), Chunk("fact", Pattern(4)),
                          Chunk("data", samples), Chunk("LIST", Pattern(3))}));
    CSound* sound = CSound::Load("Listed");
    ASSERT_NE(sound->buffer, nullptr);
    EXPECT_EQ(Contents(sound), samples);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(WaveLoading, ANameLoadsOnceAndGetNeverLoads) {
    EXPECT_EQ(CSound::Get("Once"), nullptr);
    EXPECT_EQ(registry->sounds.entries.count("Once"), 0u) << "Get inserts nothing";
    Write("Once", Wave(2, 48000, 16, Pattern(40)));
    CSound* first = CSound::Load("Once");
    std::filesystem::remove(folder / "Once.wav");
    EXPECT_EQ(CSound::Load("Once"), first) << "the file is not read again";
    EXPECT_EQ(CSound::Get("Once"), first);
    EXPECT_EQ(registry->Get("Once"), first);
    EXPECT_TRUE(MessageBoxes().empty());
}

// Loads `name` and expects exactly `message`, one log line with the file's path and `reason`,
// and a sound without a buffer in the registry.
void ExpectRejected(const std::string& name, const Message& message, const std::string& reason) {
    SCOPED_TRACE(name);
    platform::testing::ClearMessageBoxes();
    platform::testing::ClearLogLines();
    CSound* sound = CSound::Load(name);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->buffer, nullptr);
    EXPECT_EQ(CSound::Get(name), sound) << "a failed sound stays in the registry";
    ASSERT_EQ(MessageBoxes().size(), 1u) << "one message per file";
    EXPECT_EQ(MessageBoxes()[0].text, message.first);
    EXPECT_EQ(MessageBoxes()[0].caption, message.second);
    EXPECT_EQ(MessageBoxes()[0].type, unsigned{MB_OK});
    const auto& lines = platform::testing::LogLines();
    ASSERT_EQ(lines.size(), 1u) << "one reason per file";
    EXPECT_NE(lines[0].find("/" + name + ".wav: "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
    // Without a buffer, playing and stopping do nothing.
    sound->PlayFromStart();
    sound->Play();
    sound->Stop();
}

TEST_F(WaveLoading, FilesThatCannotBeEnteredFailCheckOne) {
    ExpectRejected("Absent", kCannotEnter, "No such file or directory");
    Write("Empty", {});
    ExpectRejected("Empty", kCannotEnter, "no chunk header");
    Write("Stub", {'R', 'I', 'F', 'F', 4, 0});
    ExpectRejected("Stub", kCannotEnter, "no chunk header");
    std::filesystem::create_directories(folder / "Folder.wav");
    ExpectRejected("Folder", kCannotEnter, "cannot open the file");
}

TEST_F(WaveLoading, FilesThatAreNotRiffWaveFailCheckTwoWithItsCaption) {
    Write("Avi", Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("data", Pattern(8))}, "AVI "));
    ExpectRejected("Avi", kNotWave, "form type \"AVI \"");
    Write("Rifx", Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("data", Pattern(8))}, "WAVE",
                       "RIFX"));
    ExpectRejected("Rifx", kNotWave, "first chunk \"RIFX\"");
    std::string text = "This is a text file, not a sound.\n";
    Write("Text", Bytes(text.begin(), text.end()));
    ExpectRejected("Text", kNotWave, "first chunk \"This\"");
}

TEST_F(WaveLoading, FormatChunkMissingShortOrNotPcmFailsChecksThreeToFive) {
    Write("NoFmt", Riff({Chunk("LIST", Pattern(6)), Chunk("data", Pattern(8))}));
    ExpectRejected("NoFmt", kNoFormat, "no \"fmt \" chunk in the RIFF chunk of 34 bytes");
    // "fmt " outside the RIFF chunk does not count.
    Bytes outside = Riff({Chunk("data", Pattern(8))});
    Bytes format = Chunk("fmt ", Format(1, 2, 48000, 16));
    outside.insert(outside.end(), format.begin(), format.end());
    Write("FmtOutside", outside);
    ExpectRejected("FmtOutside", kNoFormat, "no \"fmt \" chunk");

    Bytes shortFormat = Format(1, 2, 48000, 16);
    shortFormat.resize(14);
    Write("FmtAtEnd", Riff({Chunk("fmt ", shortFormat)}));
    ExpectRejected("FmtAtEnd", kFormatUnreadable, "\"fmt \" chunk of 14 bytes, 16 needed");
    Write("FmtShort", Riff({Chunk("fmt ", shortFormat), Chunk("data", Pattern(8))}));
    ExpectRejected("FmtShort", kFormatUnreadable, "\"fmt \" chunk of 14 bytes, 16 needed");

    Write("Float", Riff({Chunk("fmt ", Format(3, 2, 48000, 32)), Chunk("data", Pattern(16))}));
    ExpectRejected("Float", kNotPcm, "format tag 3 is not linear PCM");
    Bytes extensible{22, 0};
    Bytes tail = Pattern(22);
    extensible.insert(extensible.end(), tail.begin(), tail.end());
    Write("Extensible", Riff({Chunk("fmt ", Format(0xFFFE, 2, 48000, 16, extensible)),
                              Chunk("data", Pattern(16))}));
    ExpectRejected("Extensible", kNotPcm, "format tag 65534 is not linear PCM");
}

TEST_F(WaveLoading, NoDataChunkFailsCheckSix) {
    Write("NoData", Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("LIST", Pattern(9))}));
    ExpectRejected("NoData", kNoData, "no \"data\" chunk");
    // A "data" chunk nested in a LIST is not the sound's data.
    Write("NestedData",
          Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("LIST", Chunk("data", Pattern(8)))}));
    ExpectRejected("NestedData", kNoData, "no \"data\" chunk");
}

TEST_F(WaveLoading, BuffersDirectSoundRefusesFailCheckSeven) {
    Write("ThreeChannels",
          Riff({Chunk("fmt ", Format(1, 3, 48000, 16)), Chunk("data", Pattern(60))}));
    ExpectRejected("ThreeChannels", kNoBuffer, "60 bytes of 3 channel(s), 16 bits, 48000 Hz");
    Write("TwelveBits", Riff({Chunk("fmt ", Format(1, 1, 48000, 12)), Chunk("data", Pattern(8))}));
    ExpectRejected("TwelveBits", kNoBuffer, "12 bits");
    Write("EmptyData", Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("data", {})}));
    ExpectRejected("EmptyData", kNoBuffer, "no sound buffer for 0 bytes");
    Write("HalfFrame", Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("data", Pattern(6))}));
    ExpectRejected("HalfFrame", kNoBuffer, "6 bytes of 2 channel(s), 16 bits, 48000 Hz, block 4");
}

TEST_F(WaveLoading, WithoutADirectSoundObjectEveryLoadFailsCheckSeven) {
    Write("Orphan", Wave(2, 48000, 16, Pattern(40)));
    IDirectSound8* kept = registry->directSound;
    registry->directSound = nullptr;  // as when DirectSoundCreate8 failed
    ExpectRejected("Orphan", kNoBuffer, "no DirectSound");
    registry->directSound = kept;
}

TEST_F(WaveLoading, ADataChunkClaimingMoreThanTheFileHoldsLoadsWhatIsThere) {
    Bytes samples = Pattern(400);
    Write("Overclaim",
          Riff({Chunk("fmt ", Format(1, 2, 48000, 16)), Chunk("data", samples, 1000000)}));
    CSound* sound = CSound::Load("Overclaim");
    ASSERT_NE(sound->buffer, nullptr);
    EXPECT_EQ(Contents(sound), samples);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(WaveLoading, ADataSizeNoBufferCanHoldIsRefusedBeforeAnythingIsAllocated) {
    // A sparse file really as long as its "data" chunk says: a quarter gigabyte and a block.
    const uint32_t size = kMaxWaveDataBytes + 1;
    Bytes head = Riff({Chunk("fmt ", Format(1, 1, 48000, 8))});
    PutId(head, "data");
    PutLe(head, size, 4);
    uint32_t riffSize = static_cast<uint32_t>(head.size() - 8) + size;
    std::memcpy(head.data() + 4, &riffSize, 4);
    Write("Huge", head);
    std::filesystem::resize_file(folder / "Huge.wav", head.size() + size);
    ExpectRejected("Huge", kDataTooBig,
                   "\"data\" chunk of " + std::to_string(size) + " bytes, at most " +
                       std::to_string(kMaxWaveDataBytes) + " allowed");
}

TEST_F(WaveLoading, EveryTruncationOfAFileGivesItsSamplesOrOneMessage) {
    Bytes samples = Pattern(64);
    Bytes whole = Riff({Chunk("LIST", Pattern(5)), Chunk("fmt ", Format(1, 2, 48000, 16)),
                        Chunk("data", samples)});
    const size_t dataStart = whole.size() - samples.size();
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string name = "Cut" + std::to_string(length);
        SCOPED_TRACE(name);
        Write(name, Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
        platform::testing::ClearMessageBoxes();
        platform::testing::ClearLogLines();
        CSound* sound = CSound::Load(name);
        if (sound->buffer) {
            EXPECT_TRUE(MessageBoxes().empty());
            EXPECT_TRUE(platform::testing::LogLines().empty());
            ASSERT_GT(length, dataStart);
            Bytes held(samples.begin(), samples.begin() + static_cast<long>(length - dataStart));
            EXPECT_EQ(Contents(sound), held);
            EXPECT_EQ((length - dataStart) % 4, 0u) << "only whole frames make a buffer";
        } else {
            EXPECT_EQ(MessageBoxes().size(), 1u);
            EXPECT_EQ(platform::testing::LogLines().size(), 1u);
        }
    }
}

TEST(ReadFileBytes, CopiesOnlyWhatTheFileHolds) {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("read_bytes_" + std::to_string(::getpid()) + ".bin");
    Bytes file = Pattern(10);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<long>(file.size()));
    Bytes destination(8, 0xEE);
    EXPECT_EQ(ReadFileBytes(path.string(), 6, 8, destination.data()), 4u);
    EXPECT_EQ(destination, (Bytes{file[6], file[7], file[8], file[9], 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(ReadFileBytes(path.string(), 20, 8, destination.data()), 0u);
    EXPECT_EQ(ReadFileBytes(path.string() + ".absent", 0, 8, destination.data()), 0u);
    std::filesystem::remove(path);
}

}  // namespace
