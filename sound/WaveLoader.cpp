// The WAV reader: the RIFF walk with the WinMM reader, the buffer set-up and the copy of the
// samples. Loading stops at the first failed check, so no step works on what an earlier one
// did not produce. The "fmt " and "data" chunks are searched for inside the RIFF chunk, so
// other chunks (LIST...) may come before or between them.
#include "sound/WaveLoader.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "crt_secure.h"
#include "mmsystem.h"
#include "windows.h"

namespace {

constexpr LONG kPcmFormatBytes = 16;  // the WAVEFORMATEX fields before cbSize

void Report(const char* text, const char* caption = "") {
    MessageBoxA(nullptr, text, caption, MB_OK);
}

// Closes the reader's file on every way out of the load.
struct MmioFile {
    explicit MmioFile(HMMIO handle) : handle(handle) {}
    ~MmioFile() {
        if (handle) {
            mmioClose(handle, 0);
        }
    }
    MmioFile(const MmioFile&) = delete;
    MmioFile& operator=(const MmioFile&) = delete;
    HMMIO handle;
};

// Checks 1 and 2: the file opens and its first chunk is RIFF with form type WAVE.
bool EnterRiff(HMMIO file, MMCKINFO& riff) {
    if (!file || mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR) {
        Report("最初のチャンク（最上部チャンク)に進入できません");
        return false;
    }
    if (riff.ckid != FOURCC_RIFF || riff.fccType != mmioFOURCC('W', 'A', 'V', 'E')) {
        Report("これはWAVファイルではありません", " lol ");
        return false;
    }
    return true;
}

// Checks 3 to 5: the "fmt " chunk holds a linear-PCM format. Longer chunks (with cbSize and
// more) read like 16-byte ones; the extra bytes are ignored and cbSize handed on is 0.
bool ReadFormat(HMMIO file, const MMCKINFO& riff, WAVEFORMATEX& format) {
    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        Report("fmt チャンクが見つかりません");
        return false;
    }
    // A chunk shorter than the format must not lend the next chunk's header as format bytes.
    if (chunk.cksize < static_cast<DWORD>(kPcmFormatBytes) ||
        mmioRead(file, reinterpret_cast<HPSTR>(&format), kPcmFormatBytes) < kPcmFormatBytes) {
        Report("WAVフォーマットの読み込み失敗");
        return false;
    }
    if (format.wFormatTag != WAVE_FORMAT_PCM) {
        Report("本サンプルは標準のリニアPCMフォーマットを想定しています");
        return false;
    }
    format.cbSize = 0;
    mmioAscend(file, &chunk, 0);
    return true;
}

// Check 6, and a size no sound buffer can have.
bool FindData(HMMIO file, const MMCKINFO& riff, MMCKINFO& data) {
    data = MMCKINFO{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        Report("dataチャンクが見つかりません");
        return false;
    }
    if (data.cksize > kMaxWaveDataBytes) {
        Report("dataチャンクが大きすぎます");
        return false;
    }
    return true;
}

// Check 7. DirectSound copies the format, so it may live on the stack.
IDirectSoundBuffer* CreateBuffer(IDirectSound8* directSound, WAVEFORMATEX& format, DWORD bytes) {
    DSBUFFERDESC description{};  // also guid3DAlgorithm GUID_NULL
    // The structure's own size: 36 bytes in a 32-bit build, 40 in a 64-bit one, where
    // DirectSound refuses 36.
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (!directSound || FAILED(directSound->CreateSoundBuffer(&description, &buffer, nullptr))) {
        Report("セカンダリバッファー作成失敗");
        return nullptr;
    }
    return buffer;
}

// The samples into the buffer, unchanged from its start. Bytes the file does not really hold
// are silence rather than whatever the copy block held. Failures here are not reported.
void FillBuffer(IDirectSoundBuffer* buffer, const std::string& path, const MMCKINFO& data,
                const WAVEFORMATEX& format) {
    void* region = nullptr;
    DWORD length = 0;
    if (FAILED(buffer->Lock(0, data.cksize, &region, &length, nullptr, nullptr, 0))) {
        return;
    }
    uint8_t* bytes = static_cast<uint8_t*>(region);
    DWORD wanted = std::min<DWORD>(length, data.cksize);
    uint32_t copied = ReadFileBytes(path, data.dwDataOffset, wanted, bytes);
    const uint8_t silence = format.wBitsPerSample == 8 ? 0x80 : 0x00;  // 8-bit is unsigned
    std::fill(bytes + copied, bytes + length, silence);
    buffer->Unlock(region, length, nullptr, 0);
}

}  // namespace

uint32_t ReadFileBytes(const std::string& path, uint32_t offset, uint32_t count,
                       uint8_t* destination) {
    FILE* file = nullptr;
    if (fopen_s(&file, path.c_str(), "rb") != 0) {
        return 0;
    }
    size_t read = 0;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[count]);
    if (block && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0) {
        read = std::fread(block.get(), 1, count, file);
        std::copy_n(block.get(), read, destination);
    }
    std::fclose(file);
    return static_cast<uint32_t>(read);
}

IDirectSoundBuffer* LoadWaveBuffer(IDirectSound8* directSound, const std::string& path) {
    std::string mutablePath = path;  // mmioOpenA takes a non-const name
    MmioFile file(mmioOpenA(mutablePath.data(), nullptr, MMIO_ALLOCBUF));
    MMCKINFO riff{};
    WAVEFORMATEX format{};
    MMCKINFO data{};
    if (!EnterRiff(file.handle, riff) || !ReadFormat(file.handle, riff, format) ||
        !FindData(file.handle, riff, data)) {
        return nullptr;
    }
    IDirectSoundBuffer* buffer = CreateBuffer(directSound, format, data.cksize);
    if (buffer) {
        FillBuffer(buffer, path, data, format);
    }
    return buffer;
}
