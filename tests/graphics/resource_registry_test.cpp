// The registry pattern, with a small file-backed resource standing in for the resource kinds:
// one object per name, reads counted, side tables kept in step with the name table, Get that
// changes nothing, per-class folder and extension, and release at exit in key order.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/CNamedResource.h"
#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

namespace {

struct Counters {
    int constructed = 0;
    int reads = 0;
    std::vector<std::string> events;  // deletions and registry releases, in order
};

Counters counters;

class CNoteRegistry;

// A resource read from a file (like a texture or a sound) or made with a size (like a render
// target). The registry owns it.
class CNote : public CNamedResource<CNote, CNoteRegistry> {
  public:
    explicit CNote(const std::string& name) : name(name), path(PathOf(name)) {
        ++counters.constructed;
        std::ifstream file(path);
        if (file) {
            ++counters.reads;
            std::getline(file, text);
        }
    }
    CNote(const std::string& name, int width, int height)
        : name(name), width(width), height(height) {
        ++counters.constructed;
    }
    ~CNote() { counters.events.push_back("delete " + name); }

    std::string name;
    std::string path;
    std::string text;
    int width = 0;
    int height = 0;
};

// Shaped like the texture registry: a name table and four side tables.
class CNoteRegistry : public CResourceRegistry<CNoteRegistry> {
  public:
    ~CNoteRegistry() {
        notes.DeleteAll();
        counters.events.push_back("release device objects");
    }

    CNote* Load(std::string name) {
        return notes.FindOrAdd(
            name, [&] { return new CNote(name); },
            [&] {
                widths.emplace(name, 0);
                heights.emplace(name, 0);
                renderTargets.emplace(name, false);
                fromFile.emplace(name, true);
            });
    }

    CNote* Create(int width, int height, std::string name) {
        return notes.FindOrAdd(
            name, [&] { return new CNote(name, width, height); },
            [&] {
                widths.emplace(name, width);
                heights.emplace(name, height);
                renderTargets.emplace(name, true);
                fromFile.emplace(name, false);
            });
    }

    CNote* Get(std::string name) { return notes.Get(name); }

    // Every table holds exactly the names of the name table.
    bool TablesInStep() const {
        for (const auto& [name, note] : notes.entries) {
            if (!widths.count(name) || !heights.count(name) || !renderTargets.count(name) ||
                !fromFile.count(name)) {
                return false;
            }
        }
        size_t size = notes.entries.size();
        return widths.size() == size && heights.size() == size && renderTargets.size() == size &&
               fromFile.size() == size;
    }

    CResourceTable<CNote> notes;
    std::map<std::string, int> widths;
    std::map<std::string, int> heights;
    std::map<std::string, bool> renderTargets;
    std::map<std::string, bool> fromFile;
};

// A second resource class, to show that folders and extensions are per class.
class CTuneRegistry : public CResourceRegistry<CTuneRegistry> {};
class CTune : public CNamedResource<CTune, CTuneRegistry> {};

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        counters = Counters{};
        folder = std::filesystem::temp_directory_path() /
                 ("registry_test_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        CNote::SetDirectory(folder.string() + "/");
        CNote::SetExtension(".txt");
    }

    void TearDown() override {
        std::filesystem::remove_all(folder);
        CNote::SetDirectory("");
        CNote::SetExtension("");
    }

    void Write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path) << text << "\n";
    }

    std::filesystem::path folder;
};

TEST_F(RegistryTest, LoadingANameTwiceReturnsTheSameObjectAndReadsOnce) {
    Write(folder / "Image.txt", "pixels");
    CNoteRegistry registry;
    CNote* first = registry.Load("Image");
    CNote* second = registry.Load("Image");
    EXPECT_EQ(first, second);
    EXPECT_EQ(counters.constructed, 1);
    EXPECT_EQ(counters.reads, 1);
    EXPECT_EQ(first->text, "pixels");
    EXPECT_EQ(registry.widths.at("Image"), 0);
    EXPECT_FALSE(registry.renderTargets.at("Image"));
    EXPECT_TRUE(registry.fromFile.at("Image"));
    EXPECT_TRUE(registry.TablesInStep());
}

TEST_F(RegistryTest, FailedLoadStaysInTheRegistry) {
    CNoteRegistry registry;
    CNote* missing = registry.Load("Missing");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(counters.reads, 0);
    EXPECT_EQ(registry.Get("Missing"), missing);
    EXPECT_EQ(registry.Load("Missing"), missing);
    EXPECT_EQ(counters.constructed, 1) << "no second attempt";
    EXPECT_TRUE(registry.TablesInStep());
}

TEST_F(RegistryTest, CreateWithAnExistingNameKeepsTheFirstSize) {
    CNoteRegistry registry;
    CNote* target = registry.Create(640, 480, "Render");
    EXPECT_EQ(registry.Create(320, 240, "Render"), target);
    EXPECT_EQ(counters.constructed, 1);
    EXPECT_EQ(target->width, 640);
    EXPECT_EQ(registry.widths.at("Render"), 640);
    EXPECT_EQ(registry.heights.at("Render"), 480);
    EXPECT_TRUE(registry.renderTargets.at("Render"));
    EXPECT_FALSE(registry.fromFile.at("Render"));
    // A loaded name is not turned into a render target by a later Create either.
    Write(folder / "Image.txt", "x");
    CNote* image = registry.Load("Image");
    EXPECT_EQ(registry.Create(16, 16, "Image"), image);
    EXPECT_EQ(registry.widths.at("Image"), 0);
    EXPECT_TRUE(registry.TablesInStep());
}

TEST_F(RegistryTest, GetOfAnAbsentNameChangesNoTable) {
    CNoteRegistry registry;
    registry.Create(8, 8, "Render");
    EXPECT_EQ(registry.Get("Absent"), nullptr);
    EXPECT_EQ(registry.Get("render"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(registry.notes.entries.size(), 1u);
    EXPECT_TRUE(registry.TablesInStep());
    EXPECT_EQ(counters.constructed, 1);
}

TEST_F(RegistryTest, GetOfAReleasedEntryIsNull) {
    CNoteRegistry registry;
    CNote* target = registry.Create(8, 8, "Render");
    registry.notes.entries["Render"] = nullptr;  // as while the device is lost
    delete target;
    EXPECT_EQ(registry.Get("Render"), nullptr);
    EXPECT_EQ(registry.Create(8, 8, "Render"), nullptr) << "the entry exists; nothing is made";
    EXPECT_EQ(counters.constructed, 1);
}

TEST_F(RegistryTest, PathIsDirectoryNameAndExtensionVerbatim) {
    EXPECT_EQ(CNote::PathOf("Image"), folder.string() + "/Image.txt");
    CNote::SetDirectory("Resource/Texture/");
    CNote::SetExtension(".png");
    EXPECT_EQ(CNote::PathOf("Image"), "Resource/Texture/Image.png");
    EXPECT_EQ(CNote::PathOf("../x"), "Resource/Texture/../x.png");
    CNote::SetDirectory("");
    CNote::SetExtension("");
    EXPECT_EQ(CNote::PathOf("Image"), "Image");

    // With an empty folder and extension the name itself is opened in the working directory.
    std::string name = "registry_test_" + std::to_string(::getpid()) + "_Image";
    Write(name, "here");
    CNoteRegistry registry;
    CNote* note = registry.Load(name);
    std::filesystem::remove(name);
    EXPECT_EQ(note->path, name);
    EXPECT_EQ(note->text, "here");
}

TEST_F(RegistryTest, FolderAndExtensionArePerClass) {
    CTune::SetDirectory("Resource/Sound/");
    CTune::SetExtension(".wav");
    CNote::SetDirectory("Resource/Texture/");
    CNote::SetExtension(".png");
    EXPECT_EQ(CTune::PathOf("BGMGame"), "Resource/Sound/BGMGame.wav");
    EXPECT_EQ(CNote::PathOf("Image"), "Resource/Texture/Image.png");
    EXPECT_EQ(CTune::Directory(), "Resource/Sound/");
    EXPECT_EQ(CNote::Extension(), ".png");
}

TEST_F(RegistryTest, StaticEntryPointsUseTheOneRegistry) {
    Write(folder / "Shared.txt", "one");
    CNoteRegistry* registry = CNoteRegistry::GetInstance();
    EXPECT_EQ(registry, CNoteRegistry::GetInstance());
    CNote* note = CNote::Load("Shared");
    EXPECT_EQ(registry->Get("Shared"), note);
    EXPECT_EQ(CNote::Get("Shared"), note);
    EXPECT_EQ(CNote::Create(1, 1, "Shared"), note);
    EXPECT_EQ(CNote::Get("Nothing"), nullptr);
    EXPECT_EQ(counters.reads, 1);
}

TEST_F(RegistryTest, ReleaseAtExitDeletesLiveObjectsOnceInKeyOrder) {
    {
        CNoteRegistry registry;
        registry.Create(1, 1, "b");
        registry.Create(1, 1, "a");
        registry.Create(1, 1, "C");  // upper case sorts before lower case
        CNote* released = registry.Create(1, 1, "B");
        registry.notes.entries["B"] = nullptr;
        delete released;
        counters.events.clear();
    }
    EXPECT_EQ(counters.events, (std::vector<std::string>{"delete C", "delete a", "delete b",
                                                         "release device objects"}));
}

TEST(ResourceTable, DeleteAllTwiceDeletesOnce) {
    counters = Counters{};
    CResourceTable<CNote> table;
    table.FindOrAdd(
        "x", [] { return new CNote("x", 1, 1); }, [] {});
    table.DeleteAll();
    table.DeleteAll();
    EXPECT_EQ(counters.events, (std::vector<std::string>{"delete x"}));
    EXPECT_TRUE(table.Contains("x"));
    EXPECT_EQ(table.Get("x"), nullptr);
}

}  // namespace
