// A player's play, scripted for the reliability tests: the title, a click to start, a walk down
// the first floors toward the stairs (with one deliberate miss on every third floor), a jump to
// the last floor, the walk onto its goal, the clear scene and a click back to the title. Every
// frame goes through the real game (TestGame) on the virtual clock; a hook runs before each one,
// where a test injects what it wants (device losses...).
#pragma once

#include <cstdint>
#include <functional>

#include "support/TestGame.h"

// The state a play leaves behind, compared between runs.
struct PlayOutcome {
    int misses = 0;
    int floorIndex = 0;
    int record = 0;
    int playerX = 0;
    int playerY = 0;
    bool finished = false;
    bool operator==(const PlayOutcome&) const = default;
};

class ScriptedPlay {
  public:
    explicit ScriptedPlay(TestGame& game) : game(game) {}

    // One play from the title back to the title, walking `floorsWalked` floors before the jump
    // to the last one. False when a step was not reached in its frame limit or the game ended.
    bool PlayOnce(int floorsWalked);
    // Title -> play, the walk of `floorsWalked` floors, then stops (no jump, no goal).
    bool WalkFloors(int floorsWalked);
    // One frame (the hook first); false once the game ended.
    bool Frame();
    // Frames until `done` holds, at most `limit`.
    bool FramesUntil(const std::function<bool()>& done, int limit = 1200);

    static PlayOutcome Outcome();

    std::function<void(int64_t frame)> beforeFrame;
    int64_t frames = 0;

  private:
    bool StartFromTheTitle();
    bool ClickOnPhase(int phase);
    bool StepToward(int x, int y);
    bool DescendOneFloor(int floor);
    bool WalkOntoTheGoal();
    bool BackToTheTitle();
    void Press(int button);

    TestGame& game;
};
