// "Rhythm01" and "Rhythm02": the two step sounds, about 0.1 s each. The low one is a soft
// wooden knock, the high one a glassy tick, so left/down and right/up steps are told apart.
#include <cmath>

#include "tools/instruments.h"
#include "tools/sounds.h"

namespace assets {

namespace {

constexpr double kStepSeconds = 0.12;

}  // namespace

Signal StepSoundLow() {
    Signal signal(static_cast<size_t>(SecondsToSamples(kStepSeconds)), 0.0f);
    double phase = 0.0;
    Noise noise(101);
    OnePole thump;
    thump.SetCutoff(900.0);
    for (size_t i = 0; i < signal.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        phase += (330.0 + 220.0 * std::exp(-t / 0.012)) / kSampleRate;
        float body = Sine(phase) * PercussiveEnvelope(t, 0.0008, 0.03);
        float knock = thump.LowPass(noise.Next()) * PercussiveEnvelope(t, 0.0003, 0.006);
        signal[i] = (body + knock * 2.0f) * GateEnvelope(t, kStepSeconds, 0.0, 0.02);
    }
    return signal;
}

Signal StepSoundHigh() {
    Signal signal(static_cast<size_t>(SecondsToSamples(kStepSeconds)), 0.0f);
    AddBell(signal, {0, 1320.0, kStepSeconds, 0.8f}, 3.5);
    AddClick(signal, 0, 0.5f, 2600.0);
    return signal;
}

}  // namespace assets
