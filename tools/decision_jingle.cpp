// "Scene": the jingle of a decision. Two bright bell notes a fifth apart, over a soft octave.
#include "tools/instruments.h"
#include "tools/notation.h"
#include "tools/sounds.h"

namespace assets {

Signal DecisionJingle() {
    Signal signal(static_cast<size_t>(SecondsToSamples(0.75)), 0.0f);
    const int second = SecondsToSamples(0.09);
    AddBell(signal, {0, NoteFrequency(MidiNote("E6")), 0.5, 0.5f}, 2.0);
    AddBell(signal, {second, NoteFrequency(MidiNote("B6")), 0.65, 0.5f}, 2.0);
    AddBell(signal, {second, NoteFrequency(MidiNote("E5")), 0.65, 0.3f}, 1.0);
    return signal;
}

}  // namespace assets
