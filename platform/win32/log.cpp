// The logging function and OutputDebugStringA, which the game calls to say why a load failed.
// On Windows the debugger shows those strings; here they are the same lines on stderr.
#include "win32/log.h"

#include <algorithm>
#include <cstdio>

#include "seam/hooks.h"
#include "windows.h"

namespace platform::win32 {

void WriteLogLine(const std::string& line) {
    std::string oneLine = line;
    while (!oneLine.empty() && (oneLine.back() == '\n' || oneLine.back() == '\r')) {
        oneLine.pop_back();
    }
    if (oneLine.empty()) {
        return;
    }
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    seam::State& seam = seam::GetState();
    if (seam.captureLog) {
        seam.logLines.push_back(oneLine);
        return;
    }
    oneLine += '\n';
    std::fputs(oneLine.c_str(), stderr);  // one write of the whole line, stderr being unbuffered
}

}  // namespace platform::win32

void OutputDebugStringA(LPCSTR outputString) {
    if (outputString) {
        platform::win32::WriteLogLine(outputString);
    }
}
