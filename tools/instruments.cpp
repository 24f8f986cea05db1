// The instruments. Each renders only the span of its note, which keeps whole songs fast.
#include "tools/instruments.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

// The samples a note of `seconds` plus `tail` covers inside the signal, from its start.
int Span(const Signal& signal, int start, double seconds) {
    int length = SecondsToSamples(seconds);
    return std::max(0, std::min(length, static_cast<int>(signal.size()) - start));
}

double Time(int i) {
    return static_cast<double>(i) / kSampleRate;
}

}  // namespace

void AddPluck(Signal& signal, const Note& note, double brightness) {
    ResonantLowPass filter;
    const double step = note.frequency / kSampleRate;
    const int span = Span(signal, note.start, note.seconds + 0.15);
    DecayEnvelope envelope(0.002, 0.25);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        if (i % 32 == 0) {
            filter.Set(note.frequency * (1.0 + brightness * 8.0 * std::exp(-t / 0.08)), 0.3);
        }
        float release = GateEnvelope(t, note.seconds + 0.15, 0.0, 0.15);
        float level = envelope.Next() * release;
        float tone = Saw(step * i, step) * 0.7f + Saw(step * 1.003 * i, step) * 0.3f;
        signal[note.start + i] += filter.Process(tone) * level * note.gain;
    }
}

void AddBell(Signal& signal, const Note& note, double modulationRatio) {
    const double step = note.frequency / kSampleRate;
    const int span = Span(signal, note.start, note.seconds);
    DecayEnvelope envelope(0.003, note.seconds * 0.3);
    DecayEnvelope brightness(0.0, 0.12);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        float level = envelope.Next() * GateEnvelope(t, note.seconds, 0.0, 0.05);
        float index = 2.5f * brightness.Next();
        float modulator = Sine(step * modulationRatio * i) * index;
        signal[note.start + i] += Sine(step * i + modulator / (2.0 * kPi)) * level * note.gain;
    }
}

void AddBass(Signal& signal, const Note& note) {
    ResonantLowPass filter;
    const double step = note.frequency / kSampleRate;
    const int span = Span(signal, note.start, note.seconds);
    DecayEnvelope punch(0.0, 0.1);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        if (i % 32 == 0) {
            filter.Set(note.frequency * (2.0 + 10.0 * std::exp(-t / 0.05)), 0.25);
        }
        float level = GateEnvelope(t, note.seconds, 0.003, 0.03) * (0.6f + 0.4f * punch.Next());
        float tone = Square(step * i, step) * 0.5f + Saw(step * i, step) * 0.5f;
        float sub = Sine(step * 0.5 * i) * 0.5f;
        signal[note.start + i] += (filter.Process(tone) + sub) * level * note.gain;
    }
}

void AddPad(Signal& signal, const Note& note) {
    OnePole filter;
    OnePole second;
    filter.SetCutoff(note.frequency * 3.0);
    second.SetCutoff(note.frequency * 4.0);
    const double step = note.frequency / kSampleRate;
    const int span = Span(signal, note.start, note.seconds);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        float level = GateEnvelope(t, note.seconds, std::min(0.4, note.seconds * 0.3),
                                   std::min(0.4, note.seconds * 0.3));
        float tone = Saw(step * 0.996 * i, step) + Saw(step * 1.004 * i, step);
        signal[note.start + i] += second.LowPass(filter.LowPass(tone)) * 0.5f * level * note.gain;
    }
}

void AddBrass(Signal& signal, const Note& note) {
    ResonantLowPass filter;
    const double step = note.frequency / kSampleRate;
    const int span = Span(signal, note.start, note.seconds);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        if (i % 32 == 0) {
            double swell = std::min(1.0, t / 0.06);
            filter.Set(note.frequency * (1.5 + 5.0 * swell), 0.2);
        }
        float level = GateEnvelope(t, note.seconds, 0.02, std::min(0.08, note.seconds * 0.4));
        float tone = Saw(step * i, step) * 0.6f + Saw(step * 1.005 * i, step) * 0.4f;
        signal[note.start + i] += filter.Process(tone) * level * note.gain;
    }
}

void AddGlide(Signal& signal, const Note& note, double endFrequency) {
    const int span = Span(signal, note.start, note.seconds);
    // The pitch moves by a constant ratio per sample over the first half of the note.
    const int slide = std::max(1, SecondsToSamples(note.seconds * 0.5));
    const double ratio = std::pow(endFrequency / note.frequency, 1.0 / slide);
    double frequency = note.frequency;
    double phase = 0.0;
    DecayEnvelope envelope(0.001, note.seconds * 0.35);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        phase += frequency / kSampleRate;
        if (i < slide) {
            frequency *= ratio;
        }
        float level = envelope.Next() * GateEnvelope(t, note.seconds, 0.0, 0.01);
        float tone = Sine(phase) + 0.25f * Sine(phase * 2.0);
        signal[note.start + i] += tone * level * note.gain;
    }
}

void AddKick(Signal& signal, int start, float gain) {
    const int span = Span(signal, start, 0.2);
    double phase = 0.0;
    DecayEnvelope drop(0.0, 0.025);
    DecayEnvelope envelope(0.0005, 0.06);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        phase += (48.0 + 110.0 * drop.Next()) / kSampleRate;
        float level = envelope.Next() * GateEnvelope(t, 0.2, 0.0, 0.02);
        signal[start + i] += Sine(phase) * level * gain;
    }
}

void AddSnare(Signal& signal, int start, float gain, uint32_t seed) {
    Noise noise(seed);
    OnePole tone;
    tone.SetCutoff(1500.0);
    const int span = Span(signal, start, 0.18);
    DecayEnvelope rattleEnvelope(0.0005, 0.045);
    DecayEnvelope bodyEnvelope(0.0005, 0.03);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        float rattle = tone.HighPass(noise.Next()) * rattleEnvelope.Next();
        float body = Sine(185.0 * t) * bodyEnvelope.Next();
        float end = GateEnvelope(t, 0.18, 0.0, 0.02);
        signal[start + i] += (rattle * 0.8f + body * 0.6f) * end * gain;
    }
}

void AddHat(Signal& signal, int start, float gain, double decay, uint32_t seed) {
    Noise noise(seed);
    OnePole low;
    low.SetCutoff(7000.0);
    const double length = decay * 5.0;
    const int span = Span(signal, start, length);
    DecayEnvelope envelope(0.0003, decay);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        float level = envelope.Next() * GateEnvelope(t, length, 0.0, 0.005);
        signal[start + i] += low.HighPass(noise.Next()) * level * gain;
    }
}

void AddClick(Signal& signal, int start, float gain, double frequency) {
    const int span = Span(signal, start, 0.03);
    for (int i = 0; i < span; ++i) {
        double t = Time(i);
        float level = PercussiveEnvelope(t, 0.0002, 0.006);
        signal[start + i] += Sine(frequency * t) * level * gain;
    }
}

}  // namespace assets
