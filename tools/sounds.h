// The game's seven sounds as the generator composes them, each a finished signal before
// levelling (see Finish in synth.h).
#pragma once

#include "tools/synth.h"

namespace assets {

// The rhythm of the play: a beat of 0.2323125 s is exactly 11151 samples at 48 kHz, and one
// cycle (right, left, up, down) is four beats.
constexpr int kBeatSamples = 11151;
constexpr int kBeatsPerCycle = 4;
constexpr int kCycleSamples = kBeatSamples * kBeatsPerCycle;
constexpr int kGameMusicCycles = 136;  // a little over two minutes

// "BGMGame": the play music, locked to the rhythm. Every beat starts with a sharp onset and the
// cue of its direction: right a high ping, left a low ping, up a rising and down a falling one.
Signal GameMusic();
// "BGMScene": the calm title music, whole bars.
Signal SceneMusic();
// "Rhythm01" and "Rhythm02": the two step sounds (left and down; right and up).
Signal StepSoundLow();
Signal StepSoundHigh();
// "Rhythm03": the bump into a wall.
Signal WallBump();
// "Rhythm04": the fanfare of the final goal.
Signal GoalFanfare();
// "Scene": the jingle of a decision on the title and result screens.
Signal DecisionJingle();

}  // namespace assets
