// The whole game started headless with each asset in turn missing, empty, cut short, replaced by
// random bytes, of the wrong type, or with an absurd size in its header. Each run shows the
// message the game defines for that failure (a texture's one message with its name; the WAV
// loader's message for the check that failed; none for a WAV whose chunk sizes overstate the
// file, which loads what is there), writes the reason with the file's path in the log, and plays
// a scripted stretch (title, a play, one floor) without a crash or a sanitizer report. Each run
// is a child process of its own.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "support/PlayDriver.h"
#include "support/ScriptedPlay.h"
#include "test_seam.h"

namespace fs = std::filesystem;

namespace {

enum class Damage { Missing, Empty, CutShort, RandomBytes, WrongType, AbsurdHeader };
constexpr Damage kDamages[] = {Damage::Missing,     Damage::Empty,     Damage::CutShort,
                               Damage::RandomBytes, Damage::WrongType, Damage::AbsurdHeader};

const char* NameOf(Damage damage) {
    switch (damage) {
        case Damage::Missing:
            return "missing";
        case Damage::Empty:
            return "empty";
        case Damage::CutShort:
            return "cut short";
        case Damage::RandomBytes:
            return "random bytes";
        case Damage::WrongType:
            return "wrong type";
        case Damage::AbsurdHeader:
            return "absurd header";
    }
    return "?";
}

struct Asset {
    const char* stem;
    bool texture;
    fs::path Path() const {
        return fs::path("Resource") / (texture ? "Texture" : "Sound") /
               (std::string(stem) + (texture ? ".png" : ".wav"));
    }
};

const Asset kAssets[] = {{"Image", true},
                         {"Background", true},
                         {"SpriteFont_16_16", true},
                         {"SpriteFont_32_32", true},
                         {"SpriteFont_64_64", true},
                         {"BGMGame", false},
                         {"BGMScene", false},
                         {"Rhythm01", false},
                         {"Rhythm02", false},
                         {"Rhythm03", false},
                         {"Rhythm04", false},
                         {"Scene", false}};

// Test names and failure messages show the asset by its name.
void PrintTo(const Asset& asset, std::ostream* out) {
    *out << asset.stem;
}

using Bytes = std::string;

Bytes ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void PutLe32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
}

void PutBe32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
    }
}

// Damages the asset's file in the current run folder.
void Apply(const Asset& asset, Damage damage) {
    const fs::path path = asset.Path();
    Bytes bytes = ReadAll(path);
    switch (damage) {
        case Damage::Missing:
            fs::remove(path);
            return;
        case Damage::Empty:
            bytes.clear();
            break;
        case Damage::CutShort:  // a PNG within its pixel data, a WAV within its "fmt " chunk
            bytes.resize(asset.texture ? bytes.size() / 2 : 30);
            break;
        case Damage::RandomBytes: {
            std::mt19937 random(static_cast<unsigned>(bytes.size()));
            for (char& byte : bytes) {
                byte = static_cast<char>(random());
            }
            bytes[0] = 'X';  // never a signature by chance
            break;
        }
        case Damage::WrongType:  // the other kind of asset under this name
            bytes = ReadAll(asset.texture ? fs::path("Resource/Sound/Scene.wav")
                                          : fs::path("Resource/Texture/Background.png"));
            break;
        case Damage::AbsurdHeader:
            if (asset.texture) {
                PutBe32(bytes, 16, 0x7FFFFFFF);  // IHDR width (its CRC left stale)
            } else {
                PutLe32(bytes, 4, 0xFFFFFFF0);  // RIFF size
                const size_t data = bytes.find("data");
                PutLe32(bytes, data + 4, 0x7FFFFFF0);  // "data" size
            }
            break;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The message the game defines for the damage, or "" when the asset still loads.
std::string ExpectedMessage(const Asset& asset, Damage damage) {
    if (asset.texture) {
        return "テクスチャの読み込み失敗しました";
    }
    switch (damage) {
        case Damage::Missing:
        case Damage::Empty:
            return "最初のチャンク（最上部チャンク)に進入できません";
        case Damage::CutShort:
            return "WAVフォーマットの読み込み失敗";
        case Damage::RandomBytes:
        case Damage::WrongType:
            return "これはWAVファイルではありません";
        case Damage::AbsurdHeader:
            return "";
    }
    return "?";
}

struct MatrixRun {
    bool started = false;
    bool played = false;
    int messageBoxes = 0;
    bool messageAsDefined = false;
    bool reasonLogged = false;
    int logLines = 0;
};

MatrixRun RunWithDamagedAsset(const Asset& asset, Damage damage) {
    platform::testing::StartHeadless();
    platform::testing::SetClock(1000000000);
    ScratchRunFolder folder("bad_assets");
    folder.WriteTestAssets();
    std::ofstream(folder.RecordPath(), std::ios::binary) << "12\r\n";
    Apply(asset, damage);
    MatrixRun run;
    TestGame game;
    run.started = game.StartUp();
    if (run.started) {
        ScriptedPlay play(game);
        // Drawing is most of a frame's cost under the sanitizers; every eighth frame still draws
        // each screen the stretch passes through many times.
        play.beforeFrame = [&game](int64_t frame) { game.drawing = frame % 8 == 0; };
        run.played = play.WalkFloors(1);
    }
    const auto& boxes = platform::testing::MessageBoxes();
    const std::string expected = ExpectedMessage(asset, damage);
    run.messageBoxes = static_cast<int>(boxes.size());
    run.messageAsDefined = expected.empty()
                               ? boxes.empty()
                               : boxes.size() == 1 && boxes[0].text == expected &&
                                     (!asset.texture || boxes[0].caption.find(asset.stem) == 0);
    const auto& lines = platform::testing::LogLines();
    run.logLines = static_cast<int>(lines.size());
    const std::string path = asset.Path().string() + ": ";
    for (const std::string& line : lines) {
        run.reasonLogged |= line.find(path) != std::string::npos && line.size() > path.size() + 4;
    }
    return run;
}

class BadAssets : public ::testing::TestWithParam<Asset> {};

TEST_P(BadAssets, EachDamageShowsItsMessageLogsWhyAndThePlayGoesOn) {
    const Asset asset = GetParam();
    for (Damage damage : kDamages) {
        SCOPED_TRACE(std::string(asset.stem) + " " + NameOf(damage));
        const auto run = RunInChild<MatrixRun>([&] { return RunWithDamagedAsset(asset, damage); });
        ASSERT_TRUE(run.exitedCleanly) << "status " << run.status;
        EXPECT_TRUE(run.result.started);
        EXPECT_TRUE(run.result.played);
        EXPECT_TRUE(run.result.messageAsDefined) << run.result.messageBoxes << " message(s)";
        const bool loads = ExpectedMessage(asset, damage).empty();
        EXPECT_EQ(run.result.reasonLogged, !loads) << run.result.logLines << " log line(s)";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryAsset, BadAssets, ::testing::ValuesIn(kAssets),
                         [](const ::testing::TestParamInfo<Asset>& info) {
                             return std::string(info.param.stem);
                         });

}  // namespace
