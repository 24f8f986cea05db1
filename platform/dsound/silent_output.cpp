// The silent output's clock: one period is mixed whenever its time has come, measured from
// the start so that the rate does not drift; after a long stall (a suspended process) it
// starts counting again instead of racing to catch up.
#include "dsound/silent_output.h"

#include <chrono>
#include <vector>

namespace platform::dsound {
namespace {

using Clock = std::chrono::steady_clock;

Clock::duration TimeOfFrames(uint64_t frames) {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(static_cast<int64_t>(frames * 1000000000ull / kOutputRate)));
}

}  // namespace

SilentOutput::SilentOutput(Mixer& mixer) : mixer(mixer), thread([this] { Run(); }) {}

SilentOutput::~SilentOutput() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void SilentOutput::Run() {
    std::vector<int16_t> period(kPeriodFrames * kOutputChannels);
    const auto kStall = std::chrono::seconds(1);
    Clock::time_point start = Clock::now();
    uint64_t framesDone = 0;
    std::unique_lock lock(mutex);
    while (!stopping) {
        lock.unlock();
        mixer.Mix(period.data(), kPeriodFrames);
        framesDone += kPeriodFrames;
        lock.lock();
        Clock::time_point due = start + TimeOfFrames(framesDone);
        if (Clock::now() - due > kStall) {
            start = Clock::now();
            framesDone = 0;
            continue;
        }
        wake.wait_until(lock, due, [this] { return stopping; });
    }
}

}  // namespace platform::dsound
