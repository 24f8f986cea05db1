// Message boxes: shown by the desktop, written to stderr where none can be shown, or captured
// by the test seam.
#include <cstdio>
#include <string>

#include "sdl/backend.h"
#include "seam/hooks.h"
#include "windows.h"

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    std::string body = text ? text : "";
    std::string title = caption ? caption : "Error";
    platform::seam::State& seam = platform::seam::GetState();
    if (seam.captureMessageBoxes) {
        seam.messageBoxes.push_back({body, caption ? caption : "", type});
        return IDOK;
    }
    if (!platform::sdl::ShowMessageBox(title, body)) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    }
    return IDOK;
}
