// The process entry point: what the C runtime does on Windows before it calls WinMain.
#include <string>

#include "windows.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine.push_back(' ');
        }
        commandLine.append(argv[i]);
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
