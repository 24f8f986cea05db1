// What the test seam can change inside the layer: a virtual clock, captured message boxes,
// injected failures and a trace of the calls tests check the order of. The shipped game
// never turns any of it on, so every hook is a cheap "not enabled" test there.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform::seam {

enum class Failure {
    RegisterClass,
    CreateWindow,
    Direct3DCreate,
    CreateDeviceHalHardware,
    CreateDeviceHalSoftware,
    CreateDeviceRef,
    SetViewport,
    CreateSprite,
    CreateFont,
    JoystickCapabilities,
    DirectSoundCreate,
    SoundCooperativeLevel,
    Reset,
    BeginScene,
    Present,
    GlContext,  // the GL renderer's context cannot be made
    GlShader,   // a shader of the GL renderer does not compile
    Count
};

struct CapturedMessageBox {
    std::string text;
    std::string caption;
    unsigned type = 0;
};

struct State {
    bool headless = false;
    bool virtualClock = false;
    int64_t clockNanoseconds = 0;
    bool captureMessageBoxes = false;
    std::vector<CapturedMessageBox> messageBoxes;
    int failures[static_cast<int>(Failure::Count)] = {};  // remaining; negative = always
    bool tracing = false;
    std::vector<std::string> trace;
    std::map<std::string, int64_t> counters;  // events too frequent for the trace, by name
    bool captureLog = false;                  // log lines kept here instead of written to stderr
    std::vector<std::string> logLines;
};

// Never destroyed: the layer may ask after main returns. Inline, so that the hot paths'
// "is it on" tests cost no call.
inline State& GetState() {
    static auto* state = new State;
    return *state;
}

// True (and one injected failure used up) when the test seam made this call fail.
bool ShouldFail(Failure failure);

// Adds an entry to the call trace when tracing is on.
void Trace(const std::string& entry);

void CountTraced(const char* name);

// Counts an event under `name` when tracing is on; one test of a flag when it is off, so hot
// paths may call it.
inline void Count(const char* name) {
    if (GetState().tracing) {
        CountTraced(name);
    }
}

}  // namespace platform::seam
