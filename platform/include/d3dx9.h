// The D3DX 9 subset the game calls: the sprite, texture creation and loading from image files,
// and (in d3dx9math.h) the matrix, vector and colour helpers. Written from the public
// documentation. Only Direct3D's own header is included with angle brackets: on Windows this
// file and d3dx9math.h are all of our declarations the program sees, next to the SDK's d3d9.h.
//
// Where this layer chooses: only PNG files are read. With default sizes a texture is always
// rounded up to powers of two and the image is stretched over the whole of level 0 with a
// smooth (triangle) filter, whatever filter is asked for; mip levels are box-filtered. Loaded
// textures are A8R8G8B8 unless X8R8G8B8 is asked for; D3DFMT_UNKNOWN picks A8R8G8B8. Sprites draw
// in submission order: the sort, billboard and object-space flags are accepted and ignored.
#pragma once

#include <d3d9.h>
#include "d3dx9math.h"

#define D3DXERR_INVALIDDATA MAKE_HRESULT(1, 0x876, 2905)

#define D3DX_DEFAULT ((UINT)-1)
#define D3DX_DEFAULT_NONPOW2 ((UINT)-2)
#define D3DX_FROM_FILE ((UINT)-3)

#define D3DX_FILTER_NONE 0x00000001
#define D3DX_FILTER_POINT 0x00000002
#define D3DX_FILTER_LINEAR 0x00000003
#define D3DX_FILTER_TRIANGLE 0x00000004
#define D3DX_FILTER_BOX 0x00000005

#define D3DXSPRITE_DONOTSAVESTATE 0x00000001
#define D3DXSPRITE_DONOTMODIFY_RENDERSTATE 0x00000002
#define D3DXSPRITE_OBJECTSPACE 0x00000004
#define D3DXSPRITE_BILLBOARD 0x00000008
#define D3DXSPRITE_ALPHABLEND 0x00000010
#define D3DXSPRITE_SORT_TEXTURE 0x00000020
#define D3DXSPRITE_SORT_DEPTH_FRONTTOBACK 0x00000040
#define D3DXSPRITE_SORT_DEPTH_BACKTOFRONT 0x00000080

typedef enum _D3DXIMAGE_FILEFORMAT {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
    D3DXIFF_HDR = 7,
    D3DXIFF_PFM = 8,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
} D3DXIMAGE_FILEFORMAT;

// What a file holds: its own size (not the texture's), levels, format and kind.
typedef struct _D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
} D3DXIMAGE_INFO;

struct ID3DXSprite {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Drops the sprite's default-pool device objects before a device Reset.
    virtual HRESULT OnLostDevice() = 0;
    // Rebuilds them after the Reset.
    virtual HRESULT OnResetDevice() = 0;

    // The transform applied to every sprite drawn from now on (identity at creation).
    virtual HRESULT GetTransform(D3DXMATRIX* transform) = 0;
    virtual HRESULT SetTransform(const D3DXMATRIX* transform) = 0;
    // Keeps the device states it is about to change and sets its own (see the layer's design):
    // orthographic pixel projection, alpha test, no culling or lighting, stage 0 modulating the
    // texture by the diffuse colour, clamped bilinear sampling; blending only with
    // D3DXSPRITE_ALPHABLEND.
    virtual HRESULT Begin(DWORD flags) = 0;
    // Queues the source rectangle (null: the whole texture) with its corner at position minus
    // centre (null vectors: the origin), under the current transform, modulated by the colour.
    virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* sourceRect,
                         const D3DXVECTOR3* center, const D3DXVECTOR3* position,
                         D3DCOLOR color) = 0;
    // Draws the queue in submission order.
    virtual HRESULT Flush() = 0;
    // Flushes and puts the kept device states back.
    virtual HRESULT End() = 0;

  protected:
    ~ID3DXSprite() = default;
};
typedef ID3DXSprite* LPD3DXSPRITE;

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);

// An empty texture of exactly the size asked for; mipLevels 0 (or D3DX_DEFAULT) gives the full
// chain; D3DFMT_UNKNOWN gives A8R8G8B8.
HRESULT WINAPI D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels,
                                 DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                 IDirect3DTexture9** texture);

// Loads a PNG file into a new texture. width, height: D3DX_DEFAULT or 0 round the file's size up
// to powers of two, D3DX_DEFAULT_NONPOW2 and D3DX_FROM_FILE keep it, other values are taken as
// they are. mipLevels: D3DX_DEFAULT or 0 for the full chain, D3DX_FROM_FILE for one level.
// colorKey: pixels exactly equal to it (0xAARRGGBB) become transparent black; 0 keys nothing.
// A missing file or one that is not a valid PNG image fails with D3DXERR_INVALIDDATA and leaves
// *texture null.
HRESULT WINAPI D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR srcFile, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                            DWORD mipFilter, D3DCOLOR colorKey,
                                            D3DXIMAGE_INFO* srcInfo, PALETTEENTRY* palette,
                                            IDirect3DTexture9** texture);

// A font object made from a face name, a height and a width. Like the sprite it holds
// default-pool device objects from creation (and from each OnResetDevice) until OnLostDevice
// or its release, so a Reset fails while a font has not been told of the loss.
// Where this layer chooses: the faces are not rendered; the game draws no text with these
// objects, so the text-drawing methods are not offered.
struct ID3DXFont {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXFont() = default;
};
typedef ID3DXFont* LPD3DXFONT;

// Any face name is accepted (the desktop substitutes a face it has); weight, mip levels, italic,
// character set, precision, quality and pitch are kept but change nothing here.
HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                               UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                               DWORD quality, DWORD pitchAndFamily, LPCSTR faceName,
                               ID3DXFont** font);

// An effect, as far as the frame's device-loss protocol sees it. No effect is ever compiled in
// this game, so no creation function is offered.
struct ID3DXEffect {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXEffect() = default;
};
typedef ID3DXEffect* LPD3DXEFFECT;

// Interfaces that the shader and model kinds own and release; nothing here makes them.
struct ID3DXBuffer {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~ID3DXBuffer() = default;
};
typedef ID3DXBuffer* LPD3DXBUFFER;

struct ID3DXConstantTable {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~ID3DXConstantTable() = default;
};
typedef ID3DXConstantTable* LPD3DXCONSTANTTABLE;

struct ID3DXMesh {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~ID3DXMesh() = default;
};
typedef ID3DXMesh* LPD3DXMESH;
