// The per-process input file and the failure exit of the fuzz targets.
#include "fuzz_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {
namespace {

std::string InputPath() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    return (folder / ("pokutan-fuzz-" + std::to_string(getpid()) + ".bin")).string();
}

struct InputFile {
    std::string path = InputPath();
    ~InputFile() { std::remove(path.c_str()); }
};

}  // namespace

const std::string& WriteInputFile(const uint8_t* data, size_t size) {
    static InputFile file;
    std::FILE* out = std::fopen(file.path.c_str(), "wb");
    if (!out || (size > 0 && std::fwrite(data, 1, size, out) != size) || std::fclose(out) != 0) {
        Fail("cannot write " + file.path);
    }
    return file.path;
}

void Fail(const std::string& why) {
    std::fprintf(stderr, "fuzz target check failed: %s\n", why.c_str());
    std::abort();
}

}  // namespace fuzz
