// Measures the heap a call takes at its peak, through the sanitizer allocator's hooks, so that a
// fuzz target checks a loader's memory bound on every input it runs. Without AddressSanitizer
// (the plain replay build) there are no hooks and the peak reads 0.
#pragma once

#include <cstddef>

namespace fuzz {

// Starts a measurement: the peak is reset to the bytes live now.
void StartMeasuring();
// The most bytes live at once since StartMeasuring, beyond those live when it was called.
size_t PeakSinceStart();

}  // namespace fuzz
