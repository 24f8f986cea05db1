// The picture of a play: the background, the rhythm indicator, the floor, the marker, the stairs,
// the final goal and the HUD, drawn into the off-screen target "Render" and copied to the screen
// at the shake offset. The play scene and the pause scene both draw it.
#pragma once

// The whole play field, every frame while the play or the pause scene is active.
void RenderPlay();

// Steps of RenderPlay.
void BeginOffscreen();
void EndOffscreen();
void DrawRhythm();
void DrawFloor();
void DrawPlayer();
void DrawStairs();
void DrawFinalGoal();
void DrawHud();
