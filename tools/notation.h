// Writing music down in the generator: note names ("A4", "G#5", "Bb3") and lines of beats in
// which a name starts a note, "-" holds the previous one and "." is a rest.
#pragma once

#include <string_view>
#include <vector>

namespace assets {

// The MIDI number of a note name; -1 for anything else.
int MidiNote(std::string_view name);

struct WrittenNote {
    int beat = 0;   // the beat it starts on, counted from the line's start
    int beats = 1;  // how many beats it lasts
    int midi = 0;
};

// The notes of one line, e.g. "A4 - C5 . E5" gives A4 for two beats, C5 for one, E5 for one.
std::vector<WrittenNote> ReadLine(std::string_view line);

}  // namespace assets
