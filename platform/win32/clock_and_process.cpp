// The performance counter (the monotonic clock in nanoseconds, or the test seam's virtual
// clock), Sleep, the tick count and the module handle.
#include <chrono>
#include <thread>

#include "seam/hooks.h"
#include "windows.h"

namespace {

int64_t MonotonicNanoseconds() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t Now() {
    const platform::seam::State& seam = platform::seam::GetState();
    return seam.virtualClock ? seam.clockNanoseconds : MonotonicNanoseconds();
}

// The one module: the executable. Its handle only has to be distinct and stable.
HINSTANCE__* const kModule = reinterpret_cast<HINSTANCE__*>(uintptr_t{0x400000});

}  // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) {
        return FALSE;
    }
    frequency->QuadPart = 1000000000;
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count) {
        return FALSE;
    }
    count->QuadPart = Now();
    return TRUE;
}

void Sleep(DWORD milliseconds) {
    platform::seam::State& seam = platform::seam::GetState();
    platform::seam::Trace("Sleep " + std::to_string(milliseconds));
    if (seam.virtualClock) {
        seam.clockNanoseconds += int64_t{milliseconds} * 1000000;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
    return static_cast<DWORD>(Now() / 1000000);
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    return moduleName ? nullptr : kModule;
}
