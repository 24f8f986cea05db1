// Shared fixture of the frame tests: a headless layer with the trace on, run in a scratch folder
// that holds stand-in assets, so the game's set-up finds everything it loads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/PlayDriver.h"
#include "support/TestGame.h"
#include "test_seam.h"

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::SetClock(1000000000);
        platform::testing::StartTrace();
        folder.WriteTestAssets();
    }

    // The trace entries from the first one named `from` on, without Sleep and the tests' own
    // per-frame entries unless asked for.
    static std::vector<std::string> TraceFrom(const std::string& from) {
        const auto& trace = platform::testing::Trace();
        auto start = std::find(trace.begin(), trace.end(), from);
        return std::vector<std::string>(start, trace.end());
    }

    static std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& box : platform::testing::MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    static size_t Count(const std::string& entry) {
        const auto& trace = platform::testing::Trace();
        return static_cast<size_t>(std::count(trace.begin(), trace.end(), entry));
    }

    ScratchRunFolder folder{"frame"};
};
