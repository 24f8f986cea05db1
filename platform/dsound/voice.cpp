// Playing one buffer into the mix: linear interpolation between neighbouring frames, mono on
// both channels, and DirectSound's end rules (a looping voice wraps, any other one stops at its
// end and goes back to the start).
#include "dsound/voice.h"

#include <cstring>

namespace platform::dsound {
namespace {

constexpr int kFractionBits = 32;
constexpr uint64_t kFractionMask = (uint64_t{1} << kFractionBits) - 1;
constexpr float kFractionScale = 1.0f / static_cast<float>(uint64_t{1} << kFractionBits);

}  // namespace

Voice::Voice(const PcmFormat& format, uint32_t bytes, uint32_t outputRate)
    : format(format),
      frameCount(bytes / static_cast<uint32_t>(format.blockAlign)),
      step((uint64_t{format.samplesPerSecond} << kFractionBits) / outputRate),
      data(bytes, format.bitsPerSample == 8 ? uint8_t{0x80} : uint8_t{0}) {}

void Voice::Play(bool loop) {
    std::lock_guard lock(mutex);
    playing = true;
    looping = loop;
}

void Voice::Stop() {
    std::lock_guard lock(mutex);
    playing = false;
}

void Voice::SetPosition(uint32_t byte) {
    std::lock_guard lock(mutex);
    position = uint64_t{byte / static_cast<uint32_t>(format.blockAlign)} << kFractionBits;
}

Voice::Status Voice::GetStatus() {
    std::lock_guard lock(mutex);
    Status status;
    status.playing = playing;
    status.looping = playing && looping;
    status.positionBytes = static_cast<uint32_t>((position >> kFractionBits) * format.blockAlign);
    return status;
}

void Voice::Read(uint32_t offset, uint8_t* bytes, uint32_t count) {
    std::lock_guard lock(mutex);
    std::memcpy(bytes, data.data() + offset, count);
}

void Voice::Write(uint32_t offset, const uint8_t* bytes, uint32_t count) {
    std::lock_guard lock(mutex);
    std::memcpy(data.data() + offset, bytes, count);
}

Voice::Frame Voice::FrameAt(uint64_t index) const {
    const uint8_t* bytes = data.data() + index * static_cast<uint64_t>(format.blockAlign);
    float left = DecodeSample(bytes, format.bitsPerSample);
    if (format.channels == 1) {
        return {left, left};
    }
    return {left, DecodeSample(bytes + format.bitsPerSample / 8, format.bitsPerSample)};
}

void Voice::Advance() {
    position += step;
    uint64_t index = position >> kFractionBits;
    if (index < frameCount) {
        return;
    }
    if (looping) {
        position %= frameCount << kFractionBits;
    } else {
        playing = false;
        position = 0;
    }
}

void Voice::MixInto(float* mix, int frames) {
    std::lock_guard lock(mutex);
    for (int i = 0; i < frames && playing; ++i) {
        uint64_t index = position >> kFractionBits;
        float fraction = static_cast<float>(position & kFractionMask) * kFractionScale;
        uint64_t nextIndex = index + 1;
        if (nextIndex >= frameCount) {
            // The last frame leads into the first again when looping, else it is held.
            nextIndex = looping ? 0 : index;
        }
        Frame now = FrameAt(index);
        Frame next = FrameAt(nextIndex);
        mix[2 * i] += now.left + (next.left - now.left) * fraction;
        mix[2 * i + 1] += now.right + (next.right - now.right) * fraction;
        Advance();
    }
}

}  // namespace platform::dsound
