// The WinMM multimedia file subset the game calls: the buffered RIFF reader (mmioOpenA,
// mmioDescend, mmioAscend, mmioRead, mmioSeek, mmioClose). Written from the public
// documentation. Files are opened for reading only.
//
// Where this layer chooses:
// - mmioOpenA takes no MMIOINFO (the argument must be null) and opens for reading only. Flags
//   other than MMIO_READ, MMIO_ALLOCBUF and the sharing modes (writing, creating, deleting,
//   parsing, checking existence), or a file that cannot be opened, give a null handle.
// - A chunk's size that runs past the end of its parent or of the file is cut down to what the
//   parent and the file really hold; the cksize that mmioDescend reports is that smaller size,
//   so nobody is told to read bytes that are not there.
#pragma once

#include <cstdio>  // SEEK_SET, SEEK_CUR, SEEK_END for mmioSeek

#include "windows.h"

typedef UINT MMRESULT;
typedef DWORD FOURCC;
typedef char* HPSTR;

struct HMMIO__;
typedef HMMIO__* HMMIO;

// Custom I/O procedures are not supported, so the structure stays opaque.
struct _MMIOINFO;
typedef _MMIOINFO MMIOINFO;
typedef MMIOINFO* LPMMIOINFO;

typedef struct _MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
} MMCKINFO, *LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

#define mmioFOURCC(ch0, ch1, ch2, ch3)                                                \
    ((FOURCC)(BYTE)(ch0) | ((FOURCC)(BYTE)(ch1) << 8) | ((FOURCC)(BYTE)(ch2) << 16) | \
     ((FOURCC)(BYTE)(ch3) << 24))

#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')

#define MMSYSERR_NOERROR 0
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_INVALPARAM 11

#define MMIOERR_BASE 256
#define MMIOERR_FILENOTFOUND (MMIOERR_BASE + 1)
#define MMIOERR_CANNOTOPEN (MMIOERR_BASE + 3)
#define MMIOERR_CANNOTREAD (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)

#define MMIO_READ 0x00000000
#define MMIO_WRITE 0x00000001
#define MMIO_READWRITE 0x00000002
#define MMIO_CREATE 0x00001000
#define MMIO_ALLOCBUF 0x00010000

#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
LONG mmioRead(HMMIO file, HPSTR data, LONG bytes);
LONG mmioSeek(HMMIO file, LONG offset, int origin);
MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags);
MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);
