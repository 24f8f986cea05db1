// Icons: the stock application icon and the program's own icon resources, loaded at a size.
// The program declares no DestroyIcon, so icons live as long as the process: every load of
// the same resource at the same size answers the same handle (as shared icons do on Windows).
#include <map>
#include <utility>

#include "win32/program_resources.h"
#include "windows.h"

namespace win32 = platform::win32;

namespace {

HICON const kApplicationIcon = reinterpret_cast<HICON>(uintptr_t{0x30002});
constexpr int kSystemIconSize = 32;  // what LoadIconA loads, as SM_CXICON on Windows

struct LoadedIcons {
    std::map<uintptr_t, win32::IconPicture> pictures;                 // by handle
    std::map<std::pair<int, std::pair<int, int>>, HICON> byResource;  // id, width, height
    uintptr_t nextHandle = 0x40000;
};

LoadedIcons& Loaded() {
    static auto* loaded = new LoadedIcons;  // never destroyed, like the window table
    return *loaded;
}

bool IsIntResource(LPCSTR name) {
    return reinterpret_cast<uintptr_t>(name) >> 16 == 0;
}

// The picture to scale from: the same size if there is one, else the smallest larger one, else
// the largest. A width of 0 asks for the largest at its own size.
const win32::IconPicture* Choose(const std::vector<const win32::IconPicture*>& group, int width) {
    const win32::IconPicture* larger = nullptr;
    const win32::IconPicture* largest = nullptr;
    for (const win32::IconPicture* picture : group) {
        if (picture->width == width) {
            return picture;
        }
        if (picture->width > width && (!larger || picture->width < larger->width)) {
            larger = picture;
        }
        if (!largest || picture->width > largest->width) {
            largest = picture;
        }
    }
    return width > 0 && larger ? larger : largest;
}

// Nearest-neighbour scaling: whole-pixel art stays crisp at whole multiples.
win32::IconPicture Scaled(const win32::IconPicture& source, int width, int height) {
    win32::IconPicture picture;
    picture.width = width;
    picture.height = height;
    picture.argb.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        int sourceY = (2 * y + 1) * source.height / (2 * height);
        for (int x = 0; x < width; ++x) {
            int sourceX = (2 * x + 1) * source.width / (2 * width);
            picture.argb[static_cast<size_t>(y) * width + x] =
                source.argb[static_cast<size_t>(sourceY) * source.width + sourceX];
        }
    }
    return picture;
}

HICON LoadProgramIcon(HINSTANCE instance, LPCSTR name, int width, int height) {
    if (instance != GetModuleHandleA(nullptr) || !IsIntResource(name) || width < 0 || height < 0) {
        return nullptr;
    }
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    std::vector<const win32::IconPicture*> group = win32::IconResource(id);
    if (group.empty()) {
        return nullptr;
    }
    const win32::IconPicture* source = Choose(group, width);
    width = width > 0 ? width : source->width;
    height = height > 0 ? height : source->height;
    LoadedIcons& loaded = Loaded();
    auto key = std::make_pair(id, std::make_pair(width, height));
    auto known = loaded.byResource.find(key);
    if (known != loaded.byResource.end()) {
        return known->second;
    }
    uintptr_t handle = loaded.nextHandle;
    loaded.nextHandle += 0x10;
    loaded.pictures[handle] = Scaled(*source, width, height);
    HICON icon = reinterpret_cast<HICON>(handle);
    loaded.byResource[key] = icon;
    return icon;
}

}  // namespace

namespace platform::win32 {

const IconPicture* IconPictureOf(HICON icon) {
    auto found = Loaded().pictures.find(reinterpret_cast<uintptr_t>(icon));
    return found == Loaded().pictures.end() ? nullptr : &found->second;
}

}  // namespace platform::win32

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!instance) {
        return name == IDI_APPLICATION ? kApplicationIcon : nullptr;
    }
    return LoadProgramIcon(instance, name, kSystemIconSize, kSystemIconSize);
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT) {
    if (type == IMAGE_ICON) {
        return instance ? LoadProgramIcon(instance, name, width, height)
                        : LoadIconA(instance, name);
    }
    if (type == IMAGE_CURSOR) {
        return LoadCursorA(instance, name);
    }
    return nullptr;
}
