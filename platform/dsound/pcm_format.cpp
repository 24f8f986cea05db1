// Checking a WAVEFORMATEX the way CreateSoundBuffer does before a buffer is made.
#include "dsound/pcm_format.h"

namespace platform::dsound {

HRESULT ReadPcmFormat(const WAVEFORMATEX& wave, PcmFormat* format) {
    bool knownDepth = wave.wBitsPerSample == 8 || wave.wBitsPerSample == 16 ||
                      wave.wBitsPerSample == 24 || wave.wBitsPerSample == 32;
    if (wave.wFormatTag != WAVE_FORMAT_PCM || !knownDepth ||
        (wave.nChannels != 1 && wave.nChannels != 2) ||
        wave.nBlockAlign != wave.nChannels * wave.wBitsPerSample / 8 ||
        wave.nSamplesPerSec < kLowestRate || wave.nSamplesPerSec > kHighestRate) {
        return DSERR_BADFORMAT;
    }
    format->channels = wave.nChannels;
    format->bitsPerSample = wave.wBitsPerSample;
    format->samplesPerSecond = wave.nSamplesPerSec;
    format->blockAlign = wave.nBlockAlign;
    return DS_OK;
}

}  // namespace platform::dsound
