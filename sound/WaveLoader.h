// Reading a RIFF WAVE file of linear PCM into a new DirectSound secondary buffer. Every
// malformed file is reported in a message box (one message per file), with the path and the
// reason in one line of the debug output (OutputDebugStringA), and gives no buffer.
#pragma once

#include <cstdint>
#include <string>

#include "dsound.h"

// The largest "data" chunk accepted: the largest buffer DirectSound can make. A bigger size
// is no sound the game could play and is refused before anything is allocated.
constexpr uint32_t kMaxWaveDataBytes = DSBSIZE_MAX;

// A new buffer holding the "data" chunk's bytes unchanged, or null after a message.
IDirectSoundBuffer* LoadWaveBuffer(IDirectSound8* directSound, const std::string& path);

// Copies up to `count` bytes from `offset` of the file at `path` into `destination` and
// returns how many there were; 0 when the file cannot be opened or read there.
uint32_t ReadFileBytes(const std::string& path, uint32_t offset, uint32_t count,
                       uint8_t* destination);
