// The WAV reader: the RIFF walk with the WinMM reader, the buffer set-up and the copy of the
// samples. Loading stops at the first failed check, so no step works on what an earlier one
// did not produce. The "fmt " and "data" chunks are searched for inside the RIFF chunk, so
// other chunks (LIST...) may come before or between them.
#include "sound/WaveLoader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "crt_secure.h"
#include "mmsystem.h"
#include "windows.h"

namespace {

constexpr LONG kPcmFormatBytes = 16;  // the WAVEFORMATEX fields before cbSize

// The player's message box, and the reason (with the path) as one line for the log.
void Report(const std::string& path, const std::string& reason, const char* text,
            const char* caption = "") {
    OutputDebugStringA((path + ": " + reason).c_str());
    MessageBoxA(nullptr, text, caption, MB_OK);
}

std::string FourCcText(FOURCC code) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return "\"" + text + "\"";
}

std::string OpenFailure() {
    return errno != 0 ? std::string("cannot open the file: ") + std::strerror(errno)
                      : std::string("cannot open the file");
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
bool EnterRiff(const std::string& path, HMMIO file, MMCKINFO& riff, const std::string& openError) {
    if (!file || mmioDescend(file, &riff, nullptr, 0) != MMSYSERR_NOERROR) {
        Report(path, file ? "no chunk header at the start (an empty or cut-off file)" : openError,
               "最初のチャンク（最上部チャンク)に進入できません");
        return false;
    }
    if (riff.ckid != FOURCC_RIFF || riff.fccType != mmioFOURCC('W', 'A', 'V', 'E')) {
        Report(path,
               "not a RIFF WAVE file (first chunk " + FourCcText(riff.ckid) +
                   (riff.ckid == FOURCC_RIFF ? ", form type " + FourCcText(riff.fccType) : "") +
                   ")",
               "これはWAVファイルではありません", " lol ");
        return false;
    }
    return true;
}

// Checks 3 to 5: the "fmt " chunk holds a linear-PCM format. Longer chunks (with cbSize and
// more) read like 16-byte ones; the extra bytes are ignored and cbSize handed on is 0.
bool ReadFormat(const std::string& path, HMMIO file, const MMCKINFO& riff, WAVEFORMATEX& format) {
    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        Report(path,
               "no \"fmt \" chunk in the RIFF chunk of " + std::to_string(riff.cksize) + " bytes",
               "fmt チャンクが見つかりません");
        return false;
    }
    // A chunk shorter than the format must not lend the next chunk's header as format bytes.
    if (chunk.cksize < static_cast<DWORD>(kPcmFormatBytes) ||
        mmioRead(file, reinterpret_cast<HPSTR>(&format), kPcmFormatBytes) < kPcmFormatBytes) {
        Report(path,
               "\"fmt \" chunk of " + std::to_string(chunk.cksize) + " bytes, " +
                   std::to_string(kPcmFormatBytes) + " needed",
               "WAVフォーマットの読み込み失敗");
        return false;
    }
    if (format.wFormatTag != WAVE_FORMAT_PCM) {
        Report(path,
               "format tag " + std::to_string(format.wFormatTag) + " is not linear PCM (" +
                   std::to_string(WAVE_FORMAT_PCM) + ")",
               "本サンプルは標準のリニアPCMフォーマットを想定しています");
        return false;
    }
    format.cbSize = 0;
    mmioAscend(file, &chunk, 0);
    return true;
}

// Check 6, and a size no sound buffer can have.
bool FindData(const std::string& path, HMMIO file, const MMCKINFO& riff, MMCKINFO& data) {
    data = MMCKINFO{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        Report(path, "no \"data\" chunk after the \"fmt \" chunk", "dataチャンクが見つかりません");
        return false;
    }
    if (data.cksize > kMaxWaveDataBytes) {
        Report(path,
               "\"data\" chunk of " + std::to_string(data.cksize) + " bytes, at most " +
                   std::to_string(kMaxWaveDataBytes) + " allowed",
               "dataチャンクが大きすぎます");
        return false;
    }
    return true;
}

// Check 7. DirectSound copies the format, so it may live on the stack.
IDirectSoundBuffer* CreateBuffer(const std::string& path, IDirectSound8* directSound,
                                 WAVEFORMATEX& format, DWORD bytes) {
    DSBUFFERDESC description{};  // also guid3DAlgorithm GUID_NULL
    // The structure's own size: 36 bytes in a 32-bit build, 40 in a 64-bit one, where
    // DirectSound refuses 36.
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    const HRESULT result =
        directSound ? directSound->CreateSoundBuffer(&description, &buffer, nullptr) : E_POINTER;
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
        Report(path,
               "no sound buffer for " + std::to_string(bytes) + " bytes of " +
                   std::to_string(format.nChannels) + " channel(s), " +
                   std::to_string(format.wBitsPerSample) + " bits, " +
                   std::to_string(format.nSamplesPerSec) + " Hz, block " +
                   std::to_string(format.nBlockAlign) + " (" +
                   (directSound ? "" : "no DirectSound, ") + "error " + code + ")",
               "セカンダリバッファー作成失敗");
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
    errno = 0;
    MmioFile file(mmioOpenA(mutablePath.data(), nullptr, MMIO_ALLOCBUF));
    const std::string openError = file.handle ? std::string() : OpenFailure();
    MMCKINFO riff{};
    WAVEFORMATEX format{};
    MMCKINFO data{};
    if (!EnterRiff(path, file.handle, riff, openError) ||
        !ReadFormat(path, file.handle, riff, format) || !FindData(path, file.handle, riff, data)) {
        return nullptr;
    }
    IDirectSoundBuffer* buffer = CreateBuffer(path, directSound, format, data.cksize);
    if (buffer) {
        FillBuffer(buffer, path, data, format);
    }
    return buffer;
}
