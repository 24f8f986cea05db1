// A stand-in for the audio device when none can be opened: a thread that pulls the mix at
// the output rate and drops it, so buffers play, end and loop in real time without sound.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "dsound/mixer.h"

namespace platform::dsound {

class SilentOutput {
  public:
    explicit SilentOutput(Mixer& mixer);
    ~SilentOutput();  // stops and joins the thread
    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;

  private:
    void Run();

    Mixer& mixer;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};

}  // namespace platform::dsound
