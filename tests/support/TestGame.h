// A game for frame tests: the concrete game with its hooks written into the seam's trace, and
// helpers that drive the main loop on the virtual clock one pass or one frame at a time.
// Each test runs in its own process under CTest, as the frame's singletons are per process.
#pragma once

#include <functional>
#include <string>

#include "frame/CSampleGame.h"
#include "test_seam.h"

class TestGame : public CSampleGame {
  public:
    TestGame() : CSampleGame(GetModuleHandleA(nullptr)) {}

    void OnLostDevice() override { platform::seam::Trace("Game.OnLostDevice"); }
    void OnResetDevice() override { platform::seam::Trace("Game.OnResetDevice"); }
    void Init() override;
    void Update(float deltaTime) override;
    void Render(float deltaTime) override;
    void Shutdown() override;
    LRESULT MsgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    int64_t TicksPerFrame() const { return ticksPerFrame; }
    int64_t NextFrame() const { return nextFrame.QuadPart; }
    int64_t Now() const { return now.QuadPart; }  // the counter read by the latest frame attempt

    // Loop passes until an idle turn has run; false once WM_QUIT was taken.
    bool IdleTurn();
    // Moves the clock past the next frame time and makes idle turns until a frame ran.
    bool NextFrameTurn();
    // Loop passes until WM_QUIT; returns the exit code as Run would.
    int RunToEnd(int maxPasses = 100000);

    // False leaves the game's drawing out of the frame (rules-only scenarios).
    bool drawing = true;
    int initCalls = 0;
    int updates = 0;
    int renders = 0;
    int shutdowns = 0;
    float lastDeltaTime = 0.0f;
    std::vector<UINT> messages;  // every message MsgProc saw, in order
    std::function<void(TestGame&)> onInit;
    std::function<void(TestGame&)> onUpdate;
    MSG lastMessage = {};
};
