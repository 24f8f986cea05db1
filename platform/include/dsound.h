// The DirectSound 8 subset the game calls: the DirectSound object, its cooperative level and
// secondary sound buffers holding linear PCM. Written from the public documentation.
//
// Where this layer chooses:
// - DSBUFFERDESC.dwSize must be sizeof(DSBUFFERDESC) (36 in 32-bit builds, 40 in 64-bit ones,
//   where the format pointer is 8 bytes); as in 64-bit DirectSound, 36 is refused there.
// - Secondary buffers hold integer linear PCM only: WAVE_FORMAT_PCM, 1 or 2 channels, 8, 16,
//   24 or 32 bits, nBlockAlign = channels * bits / 8, 100 to 200000 frames per second
//   (DSERR_BADFORMAT otherwise). nAvgBytesPerSec and cbSize are not looked at. The size is a
//   multiple of nBlockAlign from DSBSIZE_MIN to DSBSIZE_MAX (DSERR_INVALIDPARAM otherwise).
//   Primary buffers cannot be made (DSERR_UNSUPPORTED). New buffers hold silence.
// - The volume, pan and frequency flags are accepted; the controls are not offered.
// - All buffers of all DirectSound objects are mixed into one 48 kHz stereo output. The write
//   cursor is the play cursor: the mixer reads the samples at the moment it plays them.
// - Lock hands out a copy of the locked bytes; they reach the buffer at Unlock (as many bytes
//   as Unlock is told were written). DSBLOCK_ENTIREBUFFER locks from offset 0. A lock that
//   wraps around needs the second pointer and length arguments (DSERR_INVALIDPARAM otherwise).
// - Play takes no priority and no flags but DSBPLAY_LOOPING (DSERR_INVALIDPARAM otherwise).
#pragma once

#include "windows.h"

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

#define WAVE_FORMAT_PCM 1

typedef struct _DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
} DSBUFFERDESC, *LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

#define DS_OK ((HRESULT)0)
#define DSERR_GENERIC E_FAIL
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_UNSUPPORTED E_NOTIMPL
#define DSERR_ALLOCATED ((HRESULT)0x8878000A)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001E)
#define DSERR_INVALIDCALL ((HRESULT)0x88780032)
#define DSERR_BADFORMAT ((HRESULT)0x88780064)
#define DSERR_NODRIVER ((HRESULT)0x88780078)
#define DSERR_BUFFERLOST ((HRESULT)0x88780096)
#define DSERR_UNINITIALIZED ((HRESULT)0x887800AA)

#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_LOCHARDWARE 0x00000004
#define DSBCAPS_LOCSOFTWARE 0x00000008
#define DSBCAPS_CTRL3D 0x00000010
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100
#define DSBCAPS_GLOBALFOCUS 0x00008000
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000

#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define DSBPLAY_LOOPING 0x00000001
#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004
#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002

struct IUnknown;

struct IDirectSoundBuffer {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) = 0;
    virtual HRESULT GetStatus(LPDWORD status) = 0;
    virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                         LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD newPosition) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                           DWORD audioBytes2) = 0;

  protected:
    ~IDirectSoundBuffer() = default;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

struct IDirectSound8 {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                                      IUnknown* outer) = 0;
    virtual HRESULT SetCooperativeLevel(HWND hwnd, DWORD level) = 0;

  protected:
    ~IDirectSound8() = default;
};
typedef IDirectSound8* LPDIRECTSOUND8;

// Device GUID null: the default playback device.
HRESULT DirectSoundCreate8(const GUID* device, LPDIRECTSOUND8* directSound, IUnknown* outer);
