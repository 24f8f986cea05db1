// The instruments of the game's music and sounds. Each adds one note into a signal from a
// start sample; a note that runs past the end is cut there.
#pragma once

#include "tools/synth.h"

namespace assets {

struct Note {
    int start = 0;         // sample
    double frequency = 0;  // hertz
    double seconds = 0;    // how long the note is held (tails may ring a little longer)
    float gain = 1.0f;
};

// A plucked, filtered sawtooth: bright at its onset, darker as it dies away.
void AddPluck(Signal& signal, const Note& note, double brightness);
// A soft two-operator FM bell.
void AddBell(Signal& signal, const Note& note, double modulationRatio);
// A round square-and-saw bass with a short filter thump at its start.
void AddBass(Signal& signal, const Note& note);
// A slow, warm pad voice of two detuned saws, low-passed.
void AddPad(Signal& signal, const Note& note);
// A brass-like lead for fanfares: saws with the filter opening as the note swells.
void AddBrass(Signal& signal, const Note& note);
// A sine whose pitch slides from the note's frequency to `endFrequency`, with a short pluck
// envelope: the cue of a direction.
void AddGlide(Signal& signal, const Note& note, double endFrequency);

// Drums: a kick with a falling pitch, a snare of noise and tone, a closed hat, a rim click.
void AddKick(Signal& signal, int start, float gain);
void AddSnare(Signal& signal, int start, float gain, uint32_t seed);
void AddHat(Signal& signal, int start, float gain, double decay, uint32_t seed);
void AddClick(Signal& signal, int start, float gain, double frequency);

}  // namespace assets
