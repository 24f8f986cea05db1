// The generator's output as a whole: every file and folder the game expects, the same bytes on
// every run, and a player's record left alone.
#include <filesystem>
#include <fstream>
#include <string>

#include "GeneratedTree.h"

namespace {

using tools_test::GeneratedTree;
namespace fs = std::filesystem;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GeneratedTree);

TEST(ResourceTree, HoldsTheFiveTexturesTheSevenSoundsAndTheAssetFolders) {
    const fs::path resource = GeneratedTree::RunFolder() / "Resource";
    for (const char* name :
         {"SpriteFont_16_16", "SpriteFont_32_32", "SpriteFont_64_64", "Image", "Background"}) {
        EXPECT_TRUE(fs::is_regular_file(resource / "Texture" / (std::string(name) + ".png")))
            << name;
    }
    for (const char* name :
         {"BGMGame", "BGMScene", "Rhythm01", "Rhythm02", "Rhythm03", "Rhythm04", "Scene"}) {
        EXPECT_TRUE(fs::is_regular_file(resource / "Sound" / (std::string(name) + ".wav"))) << name;
    }
    for (const char* folder : {"Binary", "Model", "Effect", "Shader", "Font"}) {
        EXPECT_TRUE(fs::is_directory(resource / folder)) << folder;
        EXPECT_TRUE(fs::is_empty(resource / folder)) << folder;
    }
    EXPECT_EQ(assets::GeneratedFiles().size(), 12u);
}

TEST(ResourceTree, TwoRunsWriteTheSameBytesAndKeepTheRecord) {
    const fs::path again = GeneratedTree::Scratch("again");
    fs::create_directories(again / "Resource/Binary");
    { std::ofstream(again / "Resource/Binary/Miss.bin") << "7\n"; }
    std::string error;
    ASSERT_TRUE(assets::WriteResourceTree(again.string(), error)) << error;
    for (const std::string& file : assets::GeneratedFiles()) {
        SCOPED_TRACE(file);
        std::vector<uint8_t> first = GeneratedTree::Bytes(GeneratedTree::RunFolder() / file);
        ASSERT_FALSE(first.empty());
        EXPECT_TRUE(first == GeneratedTree::Bytes(again / file));
    }
    std::ifstream record(again / "Resource/Binary/Miss.bin");
    std::string text((std::istreambuf_iterator<char>(record)), {});
    EXPECT_EQ(text, "7\n");
}

TEST(ResourceTree, AnUnwritableRunFolderIsReported) {
    const fs::path blocked = GeneratedTree::Scratch("blocked");
    { std::ofstream(blocked / "Resource") << "a file where the folder should be"; }
    std::string error;
    EXPECT_FALSE(assets::WriteResourceTree(blocked.string(), error));
    EXPECT_NE(error.find("Resource"), std::string::npos) << error;
}

}  // namespace
