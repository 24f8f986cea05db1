// The process-wide table of private font files added with AddFontResourceA.
#pragma once

#include <string>

namespace platform::win32 {

// How many times the file (by the path it was added with) is in the table now.
int FontFileCount(const std::string& path);

}  // namespace platform::win32
