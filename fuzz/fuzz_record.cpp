// Fuzzes the miss record file's reader: any content gives a usable record (0 or more) or
// "no record", the same answer every time, and never a crash.
#include <cstdint>
#include <string>

#include "fuzz_file.h"
#include "game/MissRecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::WriteInputFile(data, size);
    const int record = ReadMissRecord(path.c_str());
    if (record < 0) {
        fuzz::Fail("a negative record: " + std::to_string(record));
    }
    if (ReadMissRecord(path.c_str()) != record) {
        fuzz::Fail("the same file read twice gave two records");
    }
    return 0;
}
