// The loaders read files by path, so each input is written to a file of this process's own
// (in /dev/shm where there is one, to spare the disk) and read back from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Writes the bytes to the process's input file and returns its path; aborts when it cannot.
const std::string& WriteInputFile(const uint8_t* data, size_t size);

// Stops the run with a message on stderr: libFuzzer saves the input that got here.
[[noreturn]] void Fail(const std::string& why);

}  // namespace fuzz
