// "Rhythm03": walking into a wall. A dull thud under a short, falling, out-of-tune buzz: it
// sounds wrong at once, even over the music.
#include <cmath>

#include "tools/instruments.h"
#include "tools/sounds.h"

namespace assets {

Signal WallBump() {
    constexpr double kSeconds = 0.38;
    Signal signal(static_cast<size_t>(SecondsToSamples(kSeconds)), 0.0f);
    AddKick(signal, 0, 1.0f);
    ResonantLowPass filter;
    filter.Set(1400.0, 0.4);
    double low = 0.0;
    double high = 0.0;
    for (size_t i = 0; i < signal.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double fall = std::pow(0.55, t / kSeconds);  // down a little over an octave's half
        double lowStep = 110.0 * fall / kSampleRate;
        double highStep = 155.6 * fall / kSampleRate;  // a tritone above: harsh on purpose
        low += lowStep;
        high += highStep;
        float buzz = Square(low, lowStep) + Square(high, highStep) * 0.8f;
        float level = PercussiveEnvelope(t, 0.002, 0.12) * GateEnvelope(t, kSeconds, 0.0, 0.04);
        signal[i] += filter.Process(buzz) * level * 0.5f;
    }
    return signal;
}

}  // namespace assets
