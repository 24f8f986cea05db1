// The generator's small synthesiser: a mono float signal at 48 kHz, band-limited oscillators,
// envelopes, filters and seeded noise, and the last step that levels a piece and turns it into
// 16-bit samples. Everything is computed, nothing random: the same call gives the same samples.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/wav_writer.h"

namespace assets {

using Signal = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;

inline int SecondsToSamples(double seconds) {
    return static_cast<int>(seconds * kSampleRate + 0.5);
}

// Equal temperament, A4 (MIDI note 69) at 440 Hz.
double NoteFrequency(double midiNote);

// A sine of a phase given in cycles, from a table (fast enough for whole songs).
float Sine(double phase);

// A sawtooth in [-1, 1] with its jump smoothed (polyBLEP), for `step` cycles per sample.
float Saw(double phase, double step);
// A square wave of the same kind: +1 for the first half of each cycle.
float Square(double phase, double step);

// Noise in [-1, 1) from a seeded xorshift generator.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1) {}
    float Next();

  private:
    uint32_t state;
};

// A one-pole low-pass (and, by difference, high-pass) filter.
class OnePole {
  public:
    void SetCutoff(double hertz);
    float LowPass(float input);
    float HighPass(float input) { return input - LowPass(input); }

  private:
    float coefficient = 1.0f;
    float state = 0.0f;
};

// A resonant state-variable low-pass filter (Chamberlin form, stable below a sixth of the rate).
class ResonantLowPass {
  public:
    void Set(double cutoffHertz, double resonance);
    float Process(float input);

  private:
    float frequency = 0.1f;
    float damping = 1.0f;
    float low = 0.0f;
    float band = 0.0f;
};

// An envelope that rises linearly over `attack` seconds and then falls exponentially with time
// constant `decay`; zero before 0.
float PercussiveEnvelope(double time, double attack, double decay);

// The same envelope computed step by step, one sample per Next(): the cheap form for long
// pieces (no exponential per sample).
class DecayEnvelope {
  public:
    DecayEnvelope(double attack, double decay);
    float Next();

  private:
    int attackSamples;
    int position = 0;
    double level = 1.0;
    double factor;
};

// Linear attack, hold at 1, linear release ending at `length`; zero outside [0, length].
float GateEnvelope(double time, double length, double attack, double release);

// Adds `source` into `target` from sample `start`, scaled by `gain`; what overhangs is dropped.
void MixInto(Signal& target, const Signal& source, int start, float gain);

// The loudest 50 ms stretch, as a root mean square.
double LoudestRms(const Signal& signal);

// Levels a piece to the common loudness of the game's sounds (its loudest 50 ms at the same
// RMS) unless that would bring its peak above the headroom, then rounds to 16 bits.
std::vector<int16_t> Finish(const Signal& signal);

// The largest sample magnitude the generator ever writes: about 1 dB below full scale.
constexpr float kPeakLimit = 0.89f;
constexpr double kTargetRms = 0.2;

}  // namespace assets
