// "BGMGame". Each rhythm beat is an eighth note at 129 BPM, so a cycle is a 2/4 bar and a chord
// lasts two cycles. The drums and the direction cues never change, so a player learns them:
// right = kick and a high ping, left = hat and a low ping, up = snare and a rising ping,
// down = hat and a falling ping. The sustained parts duck just before each beat, so every beat
// starts from near silence with a sharp attack.
#include <algorithm>
#include <array>
#include <string_view>

#include "tools/instruments.h"
#include "tools/notation.h"
#include "tools/sounds.h"

namespace assets {

namespace {

constexpr int kBeatsPerChord = 8;
constexpr int kChordsPerPhrase = 8;
constexpr int kCyclesPerPhrase = kChordsPerPhrase * kBeatsPerChord / kBeatsPerCycle;
constexpr int kIntroCycles = 8;
static_assert(kIntroCycles + 8 * kCyclesPerPhrase == kGameMusicCycles, "the song's form");

struct Chord {
    const char* root;    // the bass note
    const char* triad;   // the pad's voicing
    const char* melody;  // eight beats of tune
};

using Phrase = std::array<Chord, kChordsPerPhrase>;

// A minor: i VI III VII, i VI VII V.
constexpr Phrase kPhraseA = {{
    {"A2", "A3 C4 E4", "A4 - C5 - E5 - A5 -"},
    {"F2", "F3 A3 C4", "G5 - F5 - E5 - C5 -"},
    {"C2", "G3 C4 E4", "E5 - G5 - C5 - B4 -"},
    {"G2", "G3 B3 D4", "D5 - B4 - G4 - . ."},
    {"A2", "A3 C4 E4", "A4 - G4 - E4 - A4 -"},
    {"F2", "F3 A3 C4", "C5 - A4 - F4 - A4 -"},
    {"G2", "G3 B3 D4", "B4 - D5 - G4 - B4 -"},
    {"E2", "G#3 B3 E4", "G#4 - - - E4 - . ."},
}};

// VI VII v i, iv VII III V.
constexpr Phrase kPhraseB = {{
    {"F2", "F3 A3 C4", "A4 - - C5 - - A4 -"},
    {"G2", "G3 B3 D4", "B4 - - D5 - - B4 -"},
    {"E2", "G3 B3 E4", "G4 - - B4 - - E4 -"},
    {"A2", "A3 C4 E4", "A4 - - - - - . ."},
    {"D2", "F3 A3 D4", "F4 - A4 - D5 - C5 -"},
    {"G2", "G3 B3 D4", "B4 - G4 - D4 - G4 -"},
    {"C2", "G3 C4 E4", "E4 - G4 - C5 - E5 -"},
    {"E2", "G#3 B3 D4", "D5 - B4 - G#4 - E4 -"},
}};

// The phrases after the intro; the middle B phrases trade the pluck lead for a bell.
constexpr std::array<const Phrase*, 8> kForm = {&kPhraseA, &kPhraseA, &kPhraseB, &kPhraseA,
                                                &kPhraseB, &kPhraseB, &kPhraseA, &kPhraseB};
constexpr std::array<bool, 8> kBellLead = {false, false, false, false, true, true, false, false};

// How long notes may ring past the end of their cycle or phrase.
constexpr double kTailSeconds = 0.5;

constexpr double kBeatSeconds = static_cast<double>(kBeatSamples) / kSampleRate;

int BeatStart(int beat) {
    return beat * kBeatSamples;
}

std::vector<int> Notes(std::string_view names) {
    std::vector<int> midi;
    for (const WrittenNote& note : ReadLine(names)) {
        midi.push_back(note.midi);
    }
    return midi;
}

// Drums and cues: the same in every cycle of the song, so they are rendered once.
Signal RhythmCycle() {
    Signal signal(kCycleSamples + SecondsToSamples(kTailSeconds), 0.0f);
    const double high = NoteFrequency(MidiNote("E6"));
    const double low = NoteFrequency(MidiNote("A5"));
    AddKick(signal, BeatStart(0), 0.9f);
    AddHat(signal, BeatStart(1), 0.25f, 0.018, 17);
    AddSnare(signal, BeatStart(2), 0.5f, 18);
    AddHat(signal, BeatStart(3), 0.25f, 0.018, 19);
    AddHat(signal, BeatStart(3) + kBeatSamples / 2, 0.1f, 0.012, 20);
    const double cueSeconds = kBeatSeconds * 0.8;
    AddGlide(signal, {BeatStart(0), high, cueSeconds, 0.32f}, high);
    AddGlide(signal, {BeatStart(1), low, cueSeconds, 0.32f}, low);
    AddGlide(signal, {BeatStart(2), low, cueSeconds, 0.3f}, high);
    AddGlide(signal, {BeatStart(3), high, cueSeconds, 0.3f}, low);
    return signal;
}

// Root on the beat, the octave on every third beat of a cycle: a driving eighth-note line.
void AddBassLine(Signal& signal, const Chord& chord, int firstBeat) {
    const int root = MidiNote(chord.root);
    for (int beat = 0; beat < kBeatsPerChord; ++beat) {
        int midi = beat % kBeatsPerCycle == 2 ? root + 12 : root;
        AddBass(signal,
                {BeatStart(firstBeat + beat), NoteFrequency(midi), kBeatSeconds * 0.85, 0.35f});
    }
}

void AddHarmony(Signal& signal, const Chord& chord, int firstBeat, bool bellLead) {
    for (int midi : Notes(chord.triad)) {
        AddPad(signal,
               {BeatStart(firstBeat), NoteFrequency(midi), kBeatSeconds * kBeatsPerChord, 0.12f});
    }
    for (const WrittenNote& note : ReadLine(chord.melody)) {
        Note played{BeatStart(firstBeat + note.beat), NoteFrequency(note.midi),
                    kBeatSeconds * note.beats, 0.3f};
        if (bellLead) {
            played.frequency *= 2.0;
            AddBell(signal, played, 2.0);
        } else {
            AddPluck(signal, played, 0.6);
        }
    }
}

// The sidechain-like swell of the sustained parts: down at each beat's start, full by a fifth
// of the beat, and down again over its last 15 ms. `signal` starts on a beat.
void DuckToTheBeat(Signal& signal) {
    const int fall = SecondsToSamples(0.015);
    for (size_t i = 0; i < signal.size(); ++i) {
        int within = static_cast<int>(i % kBeatSamples);
        float level = 1.0f;
        if (within < kBeatSamples / 5) {
            level = 0.4f + 0.6f * static_cast<float>(within) / (kBeatSamples / 5.0f);
        }
        if (within > kBeatSamples - fall) {
            level *= 0.15f + 0.85f * static_cast<float>(kBeatSamples - within) / fall;
        }
        signal[i] *= level;
    }
}

// One phrase with its ringing tail: bass, and the ducked pad and lead.
Signal PhraseSignal(const Phrase& phrase, bool bellLead, int chords) {
    const size_t length =
        static_cast<size_t>(kCyclesPerPhrase) * kCycleSamples + SecondsToSamples(kTailSeconds);
    Signal bass(length, 0.0f);
    Signal sustained(length, 0.0f);
    for (int chord = 0; chord < chords; ++chord) {
        AddBassLine(bass, phrase[chord], chord * kBeatsPerChord);
        if (chords == kChordsPerPhrase) {
            AddHarmony(sustained, phrase[chord], chord * kBeatsPerChord, bellLead);
        }
    }
    DuckToTheBeat(sustained);
    MixInto(bass, sustained, 0, 1.0f);
    return bass;
}

}  // namespace

Signal GameMusic() {
    Signal song(static_cast<size_t>(kGameMusicCycles) * kCycleSamples, 0.0f);
    const Signal cycle = RhythmCycle();
    for (int i = 0; i < kGameMusicCycles; ++i) {
        MixInto(song, cycle, i * kCycleSamples, 1.0f);
    }
    // The intro is bass and drums over the first half of phrase A.
    MixInto(song, PhraseSignal(kPhraseA, false, kIntroCycles / 2), 0, 1.0f);
    const Signal phraseA = PhraseSignal(kPhraseA, false, kChordsPerPhrase);
    const Signal phraseB = PhraseSignal(kPhraseB, false, kChordsPerPhrase);
    const Signal phraseBBells = PhraseSignal(kPhraseB, true, kChordsPerPhrase);
    for (size_t i = 0; i < kForm.size(); ++i) {
        const Signal& phrase = kForm[i] == &kPhraseA ? phraseA
                               : kBellLead[i]        ? phraseBBells
                                                     : phraseB;
        int start = (kIntroCycles + static_cast<int>(i) * kCyclesPerPhrase) * kCycleSamples;
        MixInto(song, phrase, start, 1.0f);
    }
    return song;
}

}  // namespace assets
