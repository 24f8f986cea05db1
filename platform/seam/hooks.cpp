// State of the test seam's hooks inside the layer.
#include "seam/hooks.h"

namespace platform::seam {

bool ShouldFail(Failure failure) {
    int& remaining = GetState().failures[static_cast<int>(failure)];
    if (remaining == 0) {
        return false;
    }
    if (remaining > 0) {
        --remaining;
    }
    return true;
}

void Trace(const std::string& entry) {
    State& state = GetState();
    if (state.tracing) {
        state.trace.push_back(entry);
    }
}

void CountTraced(const char* name) {
    ++GetState().counters[name];
}

}  // namespace platform::seam
