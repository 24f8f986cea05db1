// The Resource/ tree as the generator writes it, made once per test process in a temporary
// run folder of its own and removed when the process's tests are done.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/resource_tree.h"

namespace tools_test {

class GeneratedTree : public ::testing::Environment {
  public:
    // The run folder holding Resource/, generated on first use.
    static const std::filesystem::path& RunFolder() {
        static const std::filesystem::path folder = [] {
            std::filesystem::path path = Scratch("run");
            std::string error;
            EXPECT_TRUE(assets::WriteResourceTree(path.string(), error)) << error;
            return path;
        }();
        return folder;
    }

    // A fresh folder below the process's own temporary folder.
    static std::filesystem::path Scratch(const std::string& name) {
        std::filesystem::path path = Root() / name;
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }

    static std::vector<uint8_t> Bytes(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(Root(), ignored);
    }

  private:
    static std::filesystem::path Root() {
        return std::filesystem::temp_directory_path() /
               ("pokutan_assets_test_" + std::to_string(::getpid()));
    }
};

}  // namespace tools_test
