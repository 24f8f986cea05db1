// Keyboard numbering for DirectInput: USB HID keyboard usages (what the desktop reports) to
// DIK_ codes (the PC keyboard's scan codes).
#pragma once

namespace platform::dinput {

// Calls `visit(usage, dik)` for every usage that has a DIK_ code.
template <typename Visit>
void ForEachMappedUsage(Visit visit);

struct UsageToDik {
    int usage;
    int dik;
};

// The table, in increasing usage order; several usages may share a code.
const UsageToDik* MappedUsages(int* count);

template <typename Visit>
void ForEachMappedUsage(Visit visit) {
    int count = 0;
    const UsageToDik* table = MappedUsages(&count);
    for (int i = 0; i < count; ++i) {
        visit(table[i].usage, table[i].dik);
    }
}

}  // namespace platform::dinput
