// The HID usage -> DIK_ table.
#include "dinput/dik_codes.h"

#include <iterator>

#include "dinput.h"

namespace platform::dinput {
namespace {

constexpr UsageToDik kTable[] = {
    {4, DIK_A},
    {5, DIK_B},
    {6, DIK_C},
    {7, DIK_D},
    {8, DIK_E},
    {9, DIK_F},
    {10, DIK_G},
    {11, DIK_H},
    {12, DIK_I},
    {13, DIK_J},
    {14, DIK_K},
    {15, DIK_L},
    {16, DIK_M},
    {17, DIK_N},
    {18, DIK_O},
    {19, DIK_P},
    {20, DIK_Q},
    {21, DIK_R},
    {22, DIK_S},
    {23, DIK_T},
    {24, DIK_U},
    {25, DIK_V},
    {26, DIK_W},
    {27, DIK_X},
    {28, DIK_Y},
    {29, DIK_Z},
    {30, DIK_1},
    {31, DIK_2},
    {32, DIK_3},
    {33, DIK_4},
    {34, DIK_5},
    {35, DIK_6},
    {36, DIK_7},
    {37, DIK_8},
    {38, DIK_9},
    {39, DIK_0},
    {40, DIK_RETURN},
    {41, DIK_ESCAPE},
    {42, DIK_BACK},
    {43, DIK_TAB},
    {44, DIK_SPACE},
    {45, DIK_MINUS},
    {46, DIK_EQUALS},
    {47, DIK_LBRACKET},
    {48, DIK_RBRACKET},
    {49, DIK_BACKSLASH},
    {50, DIK_BACKSLASH},  // the ISO key beside Return shares the ANSI backslash's scan code
    {51, DIK_SEMICOLON},
    {52, DIK_APOSTROPHE},
    {53, DIK_GRAVE},
    {54, DIK_COMMA},
    {55, DIK_PERIOD},
    {56, DIK_SLASH},
    {57, DIK_CAPITAL},
    {58, DIK_F1},
    {59, DIK_F2},
    {60, DIK_F3},
    {61, DIK_F4},
    {62, DIK_F5},
    {63, DIK_F6},
    {64, DIK_F7},
    {65, DIK_F8},
    {66, DIK_F9},
    {67, DIK_F10},
    {68, DIK_F11},
    {69, DIK_F12},
    {70, DIK_SYSRQ},
    {71, DIK_SCROLL},
    {72, DIK_PAUSE},
    {73, DIK_INSERT},
    {74, DIK_HOME},
    {75, DIK_PRIOR},
    {76, DIK_DELETE},
    {77, DIK_END},
    {78, DIK_NEXT},
    {79, DIK_RIGHT},
    {80, DIK_LEFT},
    {81, DIK_DOWN},
    {82, DIK_UP},
    {83, DIK_NUMLOCK},
    {84, DIK_DIVIDE},
    {85, DIK_MULTIPLY},
    {86, DIK_SUBTRACT},
    {87, DIK_ADD},
    {88, DIK_NUMPADENTER},
    {89, DIK_NUMPAD1},
    {90, DIK_NUMPAD2},
    {91, DIK_NUMPAD3},
    {92, DIK_NUMPAD4},
    {93, DIK_NUMPAD5},
    {94, DIK_NUMPAD6},
    {95, DIK_NUMPAD7},
    {96, DIK_NUMPAD8},
    {97, DIK_NUMPAD9},
    {98, DIK_NUMPAD0},
    {99, DIK_DECIMAL},
    {100, DIK_OEM_102},
    {101, DIK_APPS},
    {102, DIK_POWER},
    {103, DIK_NUMPADEQUALS},
    {104, DIK_F13},
    {105, DIK_F14},
    {106, DIK_F15},
    {133, DIK_NUMPADCOMMA},
    {135, DIK_ABNT_C1},
    {136, DIK_KANA},
    {137, DIK_YEN},
    {138, DIK_CONVERT},
    {139, DIK_NOCONVERT},
    {224, DIK_LCONTROL},
    {225, DIK_LSHIFT},
    {226, DIK_LMENU},
    {227, DIK_LWIN},
    {228, DIK_RCONTROL},
    {229, DIK_RSHIFT},
    {230, DIK_RMENU},
    {231, DIK_RWIN},
};

}  // namespace

const UsageToDik* MappedUsages(int* count) {
    *count = static_cast<int>(std::size(kTable));
    return kTable;
}

int DikFromHidUsage(int usage) {
    for (const UsageToDik& entry : kTable) {
        if (entry.usage == usage) {
            return entry.dik;
        }
    }
    return 0;
}

}  // namespace platform::dinput
