// Shared fixture of the joystick and mouse tests: a headless layer with a shown window (so it
// has the input focus) published in SharedContext, and a pump for its messages.
#pragma once

#include <gtest/gtest.h>

#include "frame/SharedContext.h"
#include "test_seam.h"
#include "windows.h"

class InputWindowTest : public ::testing::Test {
  protected:
    static constexpr char kClassName[] = "InputWindowTest";

    void SetUp() override {
        platform::testing::StartHeadless();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassExA(&wc), 0);
        hwnd = CreateWindowExA(0, kClassName, "input", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50,
                               640, 480, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
        SharedContext.hWnd = hwnd;
    }

    void TearDown() override { SharedContext.hWnd = nullptr; }

    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }

    static std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& box : platform::testing::MessageBoxes()) {
            texts.push_back(box.caption + ": " + box.text);
        }
        return texts;
    }

    HWND hwnd = nullptr;
};
