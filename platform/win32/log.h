// The layer's one logging function: why something failed, as one line on stderr. A message box
// tells a player that a file failed; this line tells the path and the reason. The test seam may
// capture the lines instead.
#pragma once

#include <string>

namespace platform::win32 {

// Writes `line` and a line end to stderr. Line breaks inside it become spaces, so one call is
// always one line; an empty line is not written.
void WriteLogLine(const std::string& line);

}  // namespace platform::win32
