// Reading note names and lines of beats.
#include "tools/notation.h"

#include <cctype>

namespace assets {

namespace {

int Letter(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

}  // namespace

int MidiNote(std::string_view name) {
    if (name.empty() || Letter(name[0]) < 0) {
        return -1;
    }
    int semitone = Letter(name[0]);
    size_t at = 1;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
        semitone += name[at] == '#' ? 1 : -1;
        ++at;
    }
    if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) {
        return -1;
    }
    return 12 * (name[at] - '0' + 1) + semitone;
}

std::vector<WrittenNote> ReadLine(std::string_view line) {
    std::vector<WrittenNote> notes;
    int beat = 0;
    bool holding = false;
    size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ') {
            ++at;
            continue;
        }
        size_t end = line.find(' ', at);
        std::string_view token = line.substr(at, end == std::string_view::npos ? end : end - at);
        at = end == std::string_view::npos ? line.size() : end;
        if (token == "-") {
            if (holding) {
                ++notes.back().beats;
            }
        } else {
            int midi = MidiNote(token);
            holding = midi >= 0;
            if (holding) {
                notes.push_back(WrittenNote{beat, 1, midi});
            }
        }
        ++beat;
    }
    return notes;
}

}  // namespace assets
