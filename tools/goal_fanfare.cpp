// "Rhythm04": the fanfare of the final goal. Three quick brass notes up a C major triad, a held
// high C over the full chord, and bells sparkling above it; about 1.6 s.
#include "tools/instruments.h"
#include "tools/notation.h"
#include "tools/sounds.h"

namespace assets {

Signal GoalFanfare() {
    constexpr double kStep = 0.11;
    Signal signal(static_cast<size_t>(SecondsToSamples(1.65)), 0.0f);
    const char* pickup[] = {"G4", "C5", "E5"};
    for (int i = 0; i < 3; ++i) {
        AddBrass(signal, {SecondsToSamples(kStep * i), NoteFrequency(MidiNote(pickup[i])),
                          kStep * 0.9, 0.35f});
    }
    const int held = SecondsToSamples(kStep * 3);
    for (const char* name : {"C4", "E4", "G4", "C5", "G5"}) {
        AddBrass(signal, {held, NoteFrequency(MidiNote(name)), 1.2, 0.18f});
    }
    AddBrass(signal, {held, NoteFrequency(MidiNote("C6")), 1.2, 0.3f});
    AddKick(signal, held, 0.5f);
    const char* sparkle[] = {"C7", "G6", "E7", "C7"};
    for (int i = 0; i < 4; ++i) {
        AddBell(
            signal,
            {held + SecondsToSamples(0.08 * i), NoteFrequency(MidiNote(sparkle[i])), 0.6, 0.08f},
            2.0);
    }
    return signal;
}

}  // namespace assets
