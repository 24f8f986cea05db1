// "BGMScene": sixteen bars of 4/4 at 90 BPM (about 43 s), C major, IV V iii vi three times and
// a cadence home. Pad, a bell arpeggio in eighths, a soft bass and a slow tune; no drums.
#include <array>
#include <string_view>

#include "tools/instruments.h"
#include "tools/notation.h"
#include "tools/sounds.h"

namespace assets {

namespace {

constexpr int kBeatLength = 32000;  // 90 BPM at 48 kHz, exactly
constexpr int kBeatsPerBar = 4;
constexpr int kBars = 16;
constexpr int kBarLength = kBeatsPerBar * kBeatLength;
constexpr double kBeatSeconds = static_cast<double>(kBeatLength) / kSampleRate;

struct Bar {
    const char* bass;      // two half notes
    const char* chord;     // the pad, whole bar
    const char* arpeggio;  // eight eighth notes
    const char* tune;      // four beats
};

constexpr std::array<Bar, 4> kVerse = {{
    {"F2 - C3 -", "F3 A3 C4 E4", "F4 A4 C5 E5 C5 A4 F4 A4", "A5 - - C6"},
    {"G2 - D3 -", "G3 B3 D4", "G4 B4 D5 G5 D5 B4 G4 B4", "B5 - G5 -"},
    {"E2 - B2 -", "E3 G3 B3 D4", "E4 G4 B4 D5 B4 G4 E4 G4", "G5 - - E5"},
    {"A2 - E3 -", "A3 C4 E4", "A4 C5 E5 A5 E5 C5 A4 C5", "E5 - - - "},
}};

constexpr std::array<Bar, 4> kCadence = {{
    {"F2 - C3 -", "F3 A3 C4 E4", "F4 A4 C5 E5 C5 A4 F4 A4", "A5 - C6 -"},
    {"G2 - D3 -", "G3 B3 D4 F4", "G4 B4 D5 F5 D5 B4 G4 B4", "D6 - B5 -"},
    {"C2 - G2 -", "G3 C4 E4", "C5 E5 G5 C6 G5 E5 C5 E5", "C6 - - -"},
    {"C2 - - -", "G3 C4 E4", "C5 E5 G5 C6 . . . .", "G5 - - ."},
}};

void AddBar(Signal& signal, const Bar& bar, int index) {
    const int start = index * kBarLength;
    const double barSeconds = kBeatSeconds * kBeatsPerBar;
    for (const WrittenNote& note : ReadLine(bar.chord)) {
        AddPad(signal, {start, NoteFrequency(note.midi), barSeconds, 0.1f});
    }
    for (const WrittenNote& note : ReadLine(bar.bass)) {
        AddBass(signal, {start + note.beat * kBeatLength, NoteFrequency(note.midi),
                         kBeatSeconds * note.beats * 0.95, 0.22f});
    }
    for (const WrittenNote& note : ReadLine(bar.arpeggio)) {
        AddBell(signal,
                {start + note.beat * kBeatLength / 2, NoteFrequency(note.midi), kBeatSeconds * 1.5,
                 0.1f},
                3.0);
    }
    for (const WrittenNote& note : ReadLine(bar.tune)) {
        AddPluck(signal,
                 {start + note.beat * kBeatLength, NoteFrequency(note.midi),
                  kBeatSeconds * note.beats * 0.9, 0.14f},
                 0.25);
    }
}

// Four bars with their ringing tail.
Signal FourBars(const std::array<Bar, 4>& bars) {
    Signal signal(4 * kBarLength + SecondsToSamples(1.5), 0.0f);
    for (int bar = 0; bar < 4; ++bar) {
        AddBar(signal, bars[bar], bar);
    }
    return signal;
}

}  // namespace

Signal SceneMusic() {
    Signal signal(static_cast<size_t>(kBars) * kBarLength, 0.0f);
    const Signal verse = FourBars(kVerse);
    for (int bar = 0; bar < 12; bar += 4) {
        MixInto(signal, verse, bar * kBarLength, 1.0f);
    }
    MixInto(signal, FourBars(kCadence), 12 * kBarLength, 1.0f);
    // The last notes fade out before the end, so the piece can start again without a click.
    const int fade = SecondsToSamples(0.5);
    for (int i = 0; i < fade; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<float>(i) / fade;
    }
    return signal;
}

}  // namespace assets
