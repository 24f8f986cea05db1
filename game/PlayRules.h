// The rules of a play: the rhythm picks the direction, a press steps or misses, the stairs lead
// down under the short fade, the final goal ends the play and may set a new record.
#pragma once

class CPlayer;

// Prepares a new play on floor 1 with no misses; the record is kept.
void ResetPlay();
// One frame of gameplay.
void UpdatePlay();

// Steps of UpdatePlay.
void UpdateRhythm();
void UpdatePlayer();
void MovePlayer(int phase, CPlayer* player, int x, int y);
void ReachFinalGoal();
