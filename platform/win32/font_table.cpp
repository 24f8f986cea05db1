// AddFontResourceA and RemoveFontResourceA: a table of font files by the path they were added
// with, counted like GDI counts them. Only the file's leading bytes are checked; the faces are
// not read, since nothing in the layer renders text with them.
#include "win32/font_table.h"

#include <cstdint>
#include <cstdio>
#include <map>

#include "seam/hooks.h"
#include "windows.h"

namespace platform::win32 {
namespace {

// Never destroyed: fonts released by the runtime after main returns may still remove theirs.
std::map<std::string, int>& Table() {
    static auto* table = new std::map<std::string, int>;
    return *table;
}

uint32_t BigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

// The number of fonts the file holds: 1 for a TrueType or OpenType file, the collection's count
// for a TrueType collection, 0 for anything else.
int FontsInFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        return 0;
    }
    unsigned char header[12] = {};
    size_t read = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    if (read < 4) {
        return 0;
    }
    uint32_t tag = BigEndian32(header);
    if (tag == 0x00010000u || tag == 0x74727565u /* 'true' */ || tag == 0x4F54544Fu /* 'OTTO' */) {
        return 1;
    }
    if (tag == 0x74746366u /* 'ttcf' */ && read == sizeof header) {
        uint32_t count = BigEndian32(header + 8);
        return count >= 1 && count <= 0xFFFF ? static_cast<int>(count) : 0;
    }
    return 0;
}

}  // namespace

int FontFileCount(const std::string& path) {
    auto found = Table().find(path);
    return found == Table().end() ? 0 : found->second;
}

}  // namespace platform::win32

int AddFontResourceA(LPCSTR fileName) {
    if (!fileName) {
        return 0;
    }
    platform::seam::Trace(std::string("AddFontResourceA ") + fileName);
    int fonts = platform::win32::FontsInFile(fileName);
    if (fonts > 0) {
        ++platform::win32::Table()[fileName];
    }
    return fonts;
}

BOOL RemoveFontResourceA(LPCSTR fileName) {
    if (!fileName) {
        return FALSE;
    }
    platform::seam::Trace(std::string("RemoveFontResourceA ") + fileName);
    auto& table = platform::win32::Table();
    auto found = table.find(fileName);
    if (found == table.end()) {
        return FALSE;
    }
    if (--found->second == 0) {
        table.erase(found);
    }
    return TRUE;
}
