// The HID usage <-> virtual-key table.
#include "win32/key_codes.h"

#include <utility>

#include "windows.h"

namespace platform::win32 {
namespace {

// Keys other than the letters, digits, F-keys and keypad digits, which follow simple ranges.
constexpr std::pair<int, int> kNamedKeys[] = {
    {40, VK_RETURN},    {41, VK_ESCAPE},    {42, VK_BACK},       {43, VK_TAB},
    {44, VK_SPACE},     {45, VK_OEM_MINUS}, {46, VK_OEM_PLUS},   {47, VK_OEM_4},
    {48, VK_OEM_6},     {49, VK_OEM_5},     {51, VK_OEM_1},      {52, VK_OEM_7},
    {53, VK_OEM_3},     {54, VK_OEM_COMMA}, {55, VK_OEM_PERIOD}, {56, VK_OEM_2},
    {57, VK_CAPITAL},   {71, VK_SCROLL},    {72, VK_PAUSE},      {73, VK_INSERT},
    {74, VK_HOME},      {75, VK_PRIOR},     {76, VK_DELETE},     {77, VK_END},
    {78, VK_NEXT},      {79, VK_RIGHT},     {80, VK_LEFT},       {81, VK_DOWN},
    {82, VK_UP},        {83, VK_NUMLOCK},   {84, VK_DIVIDE},     {85, VK_MULTIPLY},
    {86, VK_SUBTRACT},  {87, VK_ADD},       {88, VK_RETURN},     {99, VK_DECIMAL},
    {224, VK_LCONTROL}, {225, VK_LSHIFT},   {226, VK_LMENU},     {227, VK_LWIN},
    {228, VK_RCONTROL}, {229, VK_RSHIFT},   {230, VK_RMENU},     {231, VK_RWIN},
};

constexpr int kHidA = 4, kHidZ = 29, kHid1 = 30, kHid0 = 39;
constexpr int kHidF1 = 58, kHidF12 = 69, kHidKeypad1 = 89, kHidKeypad0 = 98;

}  // namespace

int VirtualKeyFromHidUsage(int usage) {
    if (usage >= kHidA && usage <= kHidZ) {
        return 'A' + (usage - kHidA);
    }
    if (usage >= kHid1 && usage < kHid0) {
        return '1' + (usage - kHid1);
    }
    if (usage == kHid0) {
        return '0';
    }
    if (usage >= kHidF1 && usage <= kHidF12) {
        return VK_F1 + (usage - kHidF1);
    }
    if (usage >= kHidKeypad1 && usage < kHidKeypad0) {
        return VK_NUMPAD0 + 1 + (usage - kHidKeypad1);
    }
    if (usage == kHidKeypad0) {
        return VK_NUMPAD0;
    }
    for (const auto& [hid, vk] : kNamedKeys) {
        if (hid == usage) {
            return vk;
        }
    }
    return 0;
}

int HidUsageFromVirtualKey(int virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
            return 225;
        case VK_CONTROL:
            return 224;
        case VK_MENU:
            return 226;
        default:
            break;
    }
    for (int usage = 0; usage < 256; ++usage) {
        if (VirtualKeyFromHidUsage(usage) == virtualKey) {
            return usage;
        }
    }
    return 0;
}

int GenericModifierOf(int virtualKey) {
    switch (virtualKey) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return 0;
    }
}

}  // namespace platform::win32
