// Whether the tests run under a processor emulator (a cross build's qemu-user, named by the
// build in POKUTAN_TEST_EMULATOR): programs a test starts go through it, and a test that
// re-executes its own binary cannot run, as qemu-user cannot start another guest program.
#pragma once

#include <string>

namespace test_support {

inline std::string EmulatorPrefix() {
    const std::string emulator = POKUTAN_TEST_EMULATOR;
    return emulator.empty() ? "" : emulator + " ";
}

inline bool UnderEmulator() {
    return !EmulatorPrefix().empty();
}

}  // namespace test_support
