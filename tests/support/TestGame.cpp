// The frame-test game and its loop drivers.
#include "support/TestGame.h"

void TestGame::Init() {
    ++initCalls;
    CSampleGame::Init();
    if (onInit) {
        onInit(*this);
    }
}

void TestGame::Update(float deltaTime) {
    ++updates;
    lastDeltaTime = deltaTime;
    platform::seam::Trace("Game.Update");
    CSampleGame::Update(deltaTime);
    if (onUpdate) {
        onUpdate(*this);
    }
}

void TestGame::Render(float deltaTime) {
    ++renders;
    platform::seam::Trace("Game.Render");
    if (drawing) {
        CSampleGame::Render(deltaTime);
    }
}

void TestGame::Shutdown() {
    ++shutdowns;
    platform::seam::Trace("Game.Shutdown");
}

LRESULT TestGame::MsgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back(message);
    return CSampleGame::MsgProc(hWnd, message, wParam, lParam);
}

bool TestGame::IdleTurn() {
    for (int pass = 0; pass < 10000; ++pass) {
        if (lastMessage.message == WM_QUIT) {
            return false;
        }
        if (RunLoopPass(&lastMessage)) {
            return lastMessage.message != WM_QUIT;
        }
    }
    return false;
}

bool TestGame::NextFrameTurn() {
    int before = updates;
    if (platform::testing::Clock() <= NextFrame()) {
        platform::testing::SetClock(NextFrame() + 1);
    }
    for (int turn = 0; turn < 100 && updates == before; ++turn) {
        if (!IdleTurn()) {
            return false;
        }
    }
    return updates > before;
}

int TestGame::RunToEnd(int maxPasses) {
    for (int pass = 0; pass < maxPasses && lastMessage.message != WM_QUIT; ++pass) {
        platform::testing::AdvanceClock(TicksPerFrame() / 4);
        RunLoopPass(&lastMessage);
    }
    return lastMessage.message == WM_QUIT ? FinishRun(lastMessage) : -1;
}
