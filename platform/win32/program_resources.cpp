// The table of the program's own resources, filled before WinMain by the executable.
#include "win32/program_resources.h"

#include <map>

namespace platform::win32 {
namespace {

// Never destroyed, and made on first use: registrations run during static initialisation.
std::map<int, std::vector<IconPicture>>& IconGroups() {
    static auto* groups = new std::map<int, std::vector<IconPicture>>;
    return *groups;
}

constexpr int kLargestIcon = 256;

}  // namespace

bool RegisterIconResource(int id, int width, int height, const uint32_t* argb) {
    // Resource ids are the 16 bits MAKEINTRESOURCE keeps; 0 names nothing.
    if (id <= 0 || id > 0xFFFF || !argb || width <= 0 || height <= 0 || width > kLargestIcon ||
        height > kLargestIcon) {
        return false;
    }
    IconPicture picture;
    picture.width = width;
    picture.height = height;
    picture.argb.assign(argb, argb + static_cast<size_t>(width) * height);
    IconGroups()[id].push_back(std::move(picture));
    return true;
}

std::vector<const IconPicture*> IconResource(int id) {
    std::vector<const IconPicture*> pictures;
    auto group = IconGroups().find(id);
    if (group != IconGroups().end()) {
        for (const IconPicture& picture : group->second) {
            pictures.push_back(&picture);
        }
    }
    return pictures;
}

}  // namespace platform::win32
