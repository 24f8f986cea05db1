// Fixture for window and message tests: a headless layer, a registered class whose procedure
// records every message, and helpers to make windows and drain the queue.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "test_seam.h"
#include "windows.h"

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowTest : public ::testing::Test {
  protected:
    static std::vector<Received>& Log() {
        static std::vector<Received> log;
        return log;
    }

    static LRESULT CALLBACK Recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Log().push_back({hwnd, message, wParam, lParam});
        if (message == WM_DESTROY) {
            PostQuitMessage(7);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    void SetUp() override {
        platform::testing::StartHeadless();
        Log().clear();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Recorder;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "TestClass";
        ASSERT_NE(RegisterClassExA(&wc), 0);
    }

    void TearDown() override {
        for (HWND window : windows) {
            DestroyWindow(window);
        }
        UnregisterClassA("TestClass", GetModuleHandleA(nullptr));
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, int x = 100, int y = 50,
                    int width = 656, int height = 519) {
        HWND window = CreateWindowExA(0, "TestClass", "test", style, x, y, width, height, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        windows.push_back(window);
        return window;
    }

    // Takes every pending message, dispatching it; returns them in order.
    static std::vector<MSG> Drain() {
        std::vector<MSG> taken;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            taken.push_back(msg);
            DispatchMessageA(&msg);
        }
        return taken;
    }

    static int CountReceived(UINT message) {
        int count = 0;
        for (const Received& received : Log()) {
            count += received.message == message;
        }
        return count;
    }

    std::vector<HWND> windows;
};
