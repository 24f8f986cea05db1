// Figures of the real game that need a process of their own or the real clock, each printed as
// `name: value unit` lines:
//   startup [runs]   from process start to the first presented frame, assets included (this
//                    program started anew for each run; the median is printed)
//   rss              peak resident memory over a whole headless play of all twenty floors
//   pacing seconds   the main loop on the real clock: mean frame period, 99th percentile of
//                    lateness past each frame's due time, frames more than 2 ms late
//   drift seconds    a play on the real clock with the music playing in real time: how far the
//                    rhythm's beat clock and the position of "BGMGame" (what the device has
//                    consumed) move apart, a minute and over the whole play
//   frames screen n  n frames of title, rest, worst, pause or clear in MeasuredFrames, for
//                    counting instructions: valgrind --tool=callgrind
//                    --toggle-collect='*MeasuredFrames*' (repeatable on a loaded machine)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/game/BenchGame.h"
#include "frame/CSceneManager.h"
#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CScenePlay.h"
#include "game/CStairs.h"
#include "game/Timer.h"
#include "sound/CSound.h"
#include "support/PlayDriver.h"

extern char** environ;

namespace {

int64_t MonotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
    return values[at];
}

// The child of `startup`: starts the game, runs its first frame and prints when it was shown.
int FirstFrame() {
    BenchGame bench(false);
    if (!bench.Started() || !bench.Frame()) {
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(MonotonicNanoseconds()));
    std::fflush(stdout);
    std::_Exit(0);  // the figure is out; tearing down is not part of it
}

// Starts this program as `first-frame` and returns the milliseconds to its first frame.
double OneStartup() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1.0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char self[] = "/proc/self/exe";
    char mode[] = "first-frame";
    char* argv[] = {self, mode, nullptr};
    const int64_t start = MonotonicNanoseconds();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string text;
    char chunk[64];
    for (ssize_t got; spawned == 0 && (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || text.empty()) {
        return -1.0;
    }
    return static_cast<double>(std::atoll(text.c_str()) - start) / 1e6;
}

int Startup(int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double ms = OneStartup();
        if (ms < 0) {
            std::fprintf(stderr, "startup: the game did not show a frame\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::printf("startup_first_frame_ms: %.1f ms\n", Median(times));
    return 0;
}

// Clicks when the beat of the next update points the way to (x, y).
bool StepToward(BenchGame& bench, int x, int y) {
    const int phase = FirstStepToward(x, y);
    if (phase < 0) {
        return false;
    }
    for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != phase; ++frame) {
        bench.Frame();
    }
    BenchGame::Click();
    return bench.Frame();
}

int PeakMemory() {
    BenchGame bench(true);
    if (!bench.Started()) {
        return 1;
    }
    bench.EnterPlay();
    CPlayState* play = CPlayState::GetInstance();
    for (int steps = 0; !play->finished && steps < 2000; ++steps) {
        const bool last = CFloorMap::GetInstance()->floorIndex == FLOOR_COUNT - 1;
        const int x = last ? CFinalGoal::GetInstance()->x : CStairs::GetInstance()->x;
        const int y = last ? CFinalGoal::GetInstance()->y : CStairs::GetInstance()->y;
        if (play->floorChangePending || !StepToward(bench, x, y)) {
            bench.Frame();
        }
    }
    if (!play->finished) {
        std::fprintf(stderr, "rss: the play did not reach the final goal\n");
        return 1;
    }
    bench.EnterClear();
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_rss_mb: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

// Loop passes on the real clock until `seconds` have gone by; `onFrame` sees each frame.
void RunRealTime(BenchGame& bench, double seconds) {
    BenchGame::UseRealClock();
    const int64_t end = MonotonicNanoseconds() + static_cast<int64_t>(seconds * 1e9);
    while (MonotonicNanoseconds() < end && bench.game.IdleTurn()) {
    }
}

int Pacing(double seconds) {
    BenchGame bench(true);
    if (!bench.Started()) {
        return 1;
    }
    bench.EnterPlay();
    std::vector<double> lateness;
    std::vector<int64_t> starts;
    lateness.reserve(static_cast<size_t>(seconds * 61));
    bench.game.onUpdate = [&](TestGame& game) {
        // Update runs before the frame moves nextFrame on: it still holds this frame's due time.
        starts.push_back(game.Now());
        lateness.push_back(static_cast<double>(game.Now() - game.NextFrame()) / 1e6);
    };
    RunRealTime(bench, seconds);
    bench.game.onUpdate = nullptr;
    if (starts.size() < 3) {
        return 1;
    }
    // The first frame on the real clock was due at a virtual time: left out.
    lateness.erase(lateness.begin());
    starts.erase(starts.begin());
    const double period =
        static_cast<double>(starts.back() - starts.front()) / 1e6 / (starts.size() - 1);
    const auto late =
        std::count_if(lateness.begin(), lateness.end(), [](double l) { return l > 2.0; });
    std::printf("pacing_frames: %zu frames\n", starts.size());
    std::printf("pacing_mean_period_ms: %.4f ms\n", period);
    std::printf("pacing_p99_late_ms: %.3f ms\n", Percentile(lateness, 0.99));
    std::printf("pacing_frames_late_2ms: %ld frames\n", static_cast<long>(late));
    return 0;
}

struct MusicFormat {
    uint32_t bytesPerSecond = 0;
    uint32_t dataBytes = 0;
};

uint32_t Little32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The byte rate and data size of a RIFF WAVE file, from its "fmt " and "data" chunks.
MusicFormat ReadMusicFormat(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes(4096, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    MusicFormat format;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = Little32(bytes, at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && at + 20 <= bytes.size()) {
            format.bytesPerSecond = Little32(bytes, at + 16);
        } else if (bytes.compare(at, 4, "data") == 0) {
            format.dataBytes = size;
            break;
        }
        at += 8 + size + (size & 1);
    }
    return format;
}

int Drift(double seconds) {
    BenchGame bench(false);
    if (!bench.Started()) {
        return 1;
    }
    IDirectSoundBuffer* music = CSound::Get("BGMGame")->buffer;
    const MusicFormat format = ReadMusicFormat("Resource/Sound/BGMGame.wav");
    if (!music || format.bytesPerSecond == 0 || format.dataBytes == 0) {
        return 1;
    }
    // From the title on the real clock, so the music starts as in a real play.
    BenchGame::UseRealClock();
    BenchGame::Click();
    while (BenchGame::ActiveScene() != CScenePlay::GetInstance() && bench.game.IdleTurn()) {
    }
    // Beat clock: the rhythm advances one step per update. Music: the play position, counted on
    // across the restart when the track has run out.
    int64_t updates = 0;
    int64_t musicBytes = 0;
    DWORD lastPosition = 0;
    std::vector<double> at, gap;  // seconds of play, beat minus music in ms
    int64_t firstStart = 0, lastStart = 0;
    bench.game.onUpdate = [&](TestGame& game) {
        firstStart = updates == 0 ? game.Now() : firstStart;
        lastStart = game.Now();
        DWORD position = 0, write = 0;
        music->GetCurrentPosition(&position, &write);
        musicBytes += position >= lastPosition ? position - lastPosition
                                               : format.dataBytes - lastPosition + position;
        lastPosition = position;
        ++updates;
        const double beat = static_cast<double>(updates) * TIME_STEP;
        const double played = static_cast<double>(musicBytes) / format.bytesPerSecond;
        at.push_back(beat);
        gap.push_back((beat - played) * 1000.0);
    };
    RunRealTime(bench, seconds);
    bench.game.onUpdate = nullptr;
    if (at.size() < 60) {
        return 1;
    }
    // Least-squares slope of the gap over the play: the position moves in device periods, so
    // single readings jitter by up to one period.
    double meanT = 0, meanG = 0;
    for (size_t i = 0; i < at.size(); ++i) {
        meanT += at[i];
        meanG += gap[i];
    }
    meanT /= at.size();
    meanG /= at.size();
    double num = 0, den = 0;
    for (size_t i = 0; i < at.size(); ++i) {
        num += (at[i] - meanT) * (gap[i] - meanG);
        den += (at[i] - meanT) * (at[i] - meanT);
    }
    const double slope = den > 0 ? num / den * 60.0 : 0.0;
    // Each late frame delays the beat for good: the drift follows the frame period.
    std::printf("beat_frame_period_ms: %.4f ms\n",
                static_cast<double>(lastStart - firstStart) / 1e6 / (at.size() - 1));
    std::printf("beat_drift_ms: %.1f ms\n", gap.back() - gap.front());
    std::printf("beat_drift_ms_per_min: %.2f ms\n", slope);
    // What a player hears: how far the beat and the music have moved apart over the play.
    std::printf("beat_vs_music_ms: %.1f ms\n", slope * (at.back() - at.front()) / 60.0);
    return 0;
}

// Apart, so that a profiler can count these frames alone.
[[gnu::noinline]] bool MeasuredFrames(BenchGame& bench, int count) {
    for (int frame = 0; frame < count; ++frame) {
        if (!bench.Frame()) {
            return false;
        }
    }
    return true;
}

int Frames(const std::string& screen, int count) {
    BenchGame bench(true);
    if (!bench.Started()) {
        return 1;
    }
    if (screen == "title") {
        bench.EnterTitle();
    } else if (screen == "rest" || screen == "worst") {
        bench.EnterPlay();
        bench.HoldWorstCase(screen == "worst");
        bench.Frame();
    } else if (screen == "pause") {
        bench.EnterPause();
    } else if (screen == "clear") {
        bench.EnterClear();
    } else {
        return 2;
    }
    return MeasuredFrames(bench, count) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const double amount = argc > 2 ? std::atof(argv[2]) : 0.0;
    if (mode == "first-frame") {
        return FirstFrame();
    }
    if (mode == "startup") {
        return Startup(amount > 0 ? static_cast<int>(amount) : 5);
    }
    if (mode == "rss") {
        return PeakMemory();
    }
    if (mode == "pacing") {
        return Pacing(amount > 0 ? amount : 60.0);
    }
    if (mode == "drift") {
        return Drift(amount > 0 ? amount : 120.0);
    }
    if (mode == "frames" && argc > 3) {
        return Frames(argv[2], std::atoi(argv[3]));
    }
    std::fprintf(stderr,
                 "usage: %s startup [runs] | rss | pacing [seconds] | drift [seconds] |"
                 " frames title|rest|worst|pause|clear count\n",
                 argv[0]);
    return 2;
}
