// The mixer's side of one secondary buffer: its samples, its play position and whether it
// plays or loops. The game thread changes it through the buffer's methods while the audio
// thread mixes it, so every member is behind the voice's own mutex, held briefly.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "dsound/pcm_format.h"

namespace platform::dsound {

class Voice {
  public:
    // `bytes` is a positive multiple of the format's block alignment; the samples start silent.
    Voice(const PcmFormat& format, uint32_t bytes, uint32_t outputRate);

    const PcmFormat& Format() const { return format; }
    uint32_t Bytes() const { return static_cast<uint32_t>(data.size()); }

    // Starting a voice that plays changes only whether it loops.
    void Play(bool looping);
    void Stop();
    // `byte` is below Bytes(); it is rounded down to the block alignment.
    void SetPosition(uint32_t byte);

    struct Status {
        bool playing = false;
        bool looping = false;
        uint32_t positionBytes = 0;
    };
    Status GetStatus();

    // Copies sample bytes out of or into the voice; the range lies inside the buffer.
    void Read(uint32_t offset, uint8_t* bytes, uint32_t count);
    void Write(uint32_t offset, const uint8_t* bytes, uint32_t count);

    // Adds the next `frames` output frames of this voice to interleaved stereo `mix`,
    // resampling linearly to the output rate, and advances the play position.
    void MixInto(float* mix, int frames);

  private:
    struct Frame {
        float left;
        float right;
    };
    Frame FrameAt(uint64_t index) const;
    void Advance();

    const PcmFormat format;
    const uint64_t frameCount;
    const uint64_t step;  // source frames per output frame, 32.32 fixed point
    std::vector<uint8_t> data;

    std::mutex mutex;
    uint64_t position = 0;  // in source frames, 32.32 fixed point
    bool playing = false;
    bool looping = false;
};

}  // namespace platform::dsound
