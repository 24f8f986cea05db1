// Oscillators, filters, envelopes and levelling of the generator's synthesiser.
#include "tools/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assets {

namespace {

constexpr int kSineTableSize = 4096;

const std::array<float, kSineTableSize + 1>& SineTable() {
    static const auto table = [] {
        std::array<float, kSineTableSize + 1> values{};
        for (int i = 0; i <= kSineTableSize; ++i) {
            values[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSineTableSize));
        }
        return values;
    }();
    return table;
}

// The polyBLEP correction around a jump at phase 0 (t in [0, 1) cycles).
double Blep(double t, double step) {
    if (t < step) {
        t /= step;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - step) {
        t = (t - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Fraction(double value) {
    return value - std::floor(value);
}

}  // namespace

double NoteFrequency(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

float Sine(double phase) {
    const auto& table = SineTable();
    double position = Fraction(phase) * kSineTableSize;
    int index = static_cast<int>(position);
    float weight = static_cast<float>(position - index);
    return table[index] + (table[index + 1] - table[index]) * weight;
}

float Saw(double phase, double step) {
    double t = Fraction(phase);
    return static_cast<float>(2.0 * t - 1.0 - Blep(t, step));
}

float Square(double phase, double step) {
    double t = Fraction(phase);
    double value = t < 0.5 ? 1.0 : -1.0;
    value += Blep(t, step) - Blep(Fraction(t + 0.5), step);
    return static_cast<float>(value);
}

float Noise::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state) / 2147483648.0f - 1.0f;
}

void OnePole::SetCutoff(double hertz) {
    coefficient = static_cast<float>(1.0 - std::exp(-2.0 * kPi * hertz / kSampleRate));
}

float OnePole::LowPass(float input) {
    state += coefficient * (input - state);
    return state;
}

void ResonantLowPass::Set(double cutoffHertz, double resonance) {
    double limited = std::min(cutoffHertz, kSampleRate / 6.0);
    frequency = static_cast<float>(2.0 * std::sin(kPi * limited / kSampleRate));
    damping = static_cast<float>(std::clamp(2.0 - 2.0 * resonance, 0.1, 2.0));
}

float ResonantLowPass::Process(float input) {
    low += frequency * band;
    float high = input - low - damping * band;
    band += frequency * high;
    return low;
}

float PercussiveEnvelope(double time, double attack, double decay) {
    if (time < 0.0) {
        return 0.0f;
    }
    if (time < attack) {
        return static_cast<float>(time / attack);
    }
    return static_cast<float>(std::exp(-(time - attack) / decay));
}

DecayEnvelope::DecayEnvelope(double attack, double decay)
    : attackSamples(static_cast<int>(attack * kSampleRate)),
      factor(std::exp(-1.0 / (decay * kSampleRate))) {}

float DecayEnvelope::Next() {
    if (position < attackSamples) {
        return static_cast<float>(position++) / attackSamples;
    }
    float value = static_cast<float>(level);
    level *= factor;
    return value;
}

float GateEnvelope(double time, double length, double attack, double release) {
    if (time < 0.0 || time > length) {
        return 0.0f;
    }
    double level = 1.0;
    if (time < attack) {
        level = time / attack;
    }
    if (time > length - release) {
        level = std::min(level, (length - time) / release);
    }
    return static_cast<float>(level);
}

void MixInto(Signal& target, const Signal& source, int start, float gain) {
    for (size_t i = 0; i < source.size(); ++i) {
        size_t at = static_cast<size_t>(start) + i;
        if (at >= target.size()) {
            break;
        }
        target[at] += source[i] * gain;
    }
}

double LoudestRms(const Signal& signal) {
    const size_t window = static_cast<size_t>(kSampleRate / 20);
    double sum = 0.0;
    double loudest = 0.0;
    for (size_t i = 0; i < signal.size(); ++i) {
        sum += static_cast<double>(signal[i]) * signal[i];
        if (i >= window) {
            sum -= static_cast<double>(signal[i - window]) * signal[i - window];
        }
        loudest = std::max(loudest, sum);
    }
    size_t count = std::min(window, std::max<size_t>(signal.size(), 1));
    return std::sqrt(std::max(loudest, 0.0) / static_cast<double>(count));
}

std::vector<int16_t> Finish(const Signal& signal) {
    float peak = 0.0f;
    for (float sample : signal) {
        peak = std::max(peak, std::fabs(sample));
    }
    double rms = LoudestRms(signal);
    double gain = rms > 0.0 ? kTargetRms / rms : 1.0;
    if (peak * gain > kPeakLimit) {
        gain = kPeakLimit / peak;
    }
    std::vector<int16_t> out(signal.size());
    for (size_t i = 0; i < signal.size(); ++i) {
        out[i] = static_cast<int16_t>(std::lround(signal[i] * gain * 32767.0));
    }
    return out;
}

}  // namespace assets
