// Fuzzes the WAV loader and, beneath it, the WinMM RIFF reader: every input is walked chunk by
// chunk with mmioDescend/mmioRead/mmioAscend and then loaded into a DirectSound buffer.
// The bound checked on every input: loading takes at most the sound's buffer, which is never
// larger than the file, plus twice the file's size and a fixed allowance; the buffer itself is
// counted in the measured peak, so the check is peak <= 3 x size + fixed.
#include <cstdint>
#include <string>

#include "allocation_meter.h"
#include "dsound.h"
#include "fuzz_file.h"
#include "mmsystem.h"
#include "sound/WaveLoader.h"
#include "test_seam.h"

namespace {

constexpr size_t kFixedAllowance = 1 << 20;  // stdio buffers, the reader, the buffer's voice
constexpr int kMaxDepth = 8;

IDirectSound8* directSound = nullptr;

// Descends into every chunk under `parent` (into RIFF and LIST forms recursively), reading
// each chunk's data in small steps, then ascends out of it.
void Walk(HMMIO file, const MMCKINFO* parent, int depth) {
    MMCKINFO chunk{};
    while (mmioDescend(file, &chunk, parent, 0) == MMSYSERR_NOERROR) {
        char block[64];
        LONG total = 0;
        for (LONG got; (got = mmioRead(file, block, sizeof block)) > 0 && total < 4096;) {
            total += got;
        }
        if ((chunk.ckid == FOURCC_RIFF || chunk.ckid == FOURCC_LIST) && depth < kMaxDepth) {
            mmioSeek(file, static_cast<LONG>(chunk.dwDataOffset + 4), SEEK_SET);
            Walk(file, &chunk, depth + 1);
        }
        if (mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR) {
            return;
        }
    }
}

void WalkFile(const std::string& path) {
    std::string name = path;
    HMMIO file = mmioOpenA(name.data(), nullptr, MMIO_ALLOCBUF);
    if (!file) {
        fuzz::Fail("mmioOpenA refused a regular file");
    }
    Walk(file, nullptr, 0);
    MMCKINFO wave{};
    wave.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    mmioSeek(file, 0, SEEK_SET);
    if (mmioDescend(file, &wave, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR) {
        MMCKINFO data{};
        data.ckid = mmioFOURCC('d', 'a', 't', 'a');
        mmioDescend(file, &data, &wave, MMIO_FINDCHUNK);
    }
    mmioClose(file, 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::testing::StartHeadless();
    if (FAILED(DirectSoundCreate8(nullptr, &directSound, nullptr))) {
        fuzz::Fail("no DirectSound object");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::WriteInputFile(data, size);
    WalkFile(path);

    fuzz::StartMeasuring();
    IDirectSoundBuffer* buffer = LoadWaveBuffer(directSound, path);
    const size_t peak = fuzz::PeakSinceStart();
    if (buffer) {
        buffer->Release();
    }
    platform::testing::ClearMessageBoxes();
    platform::testing::ClearLogLines();
    if (peak > 3 * size + kFixedAllowance) {
        fuzz::Fail("loading a WAV file of " + std::to_string(size) + " bytes took " +
                   std::to_string(peak) + " bytes");
    }
    return 0;
}
