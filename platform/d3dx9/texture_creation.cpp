// D3DXCreateTexture and D3DXCreateTextureFromFileExA: the image steps (read, colour key,
// stretch, mip chain) put into a device texture.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "d3dx9.h"
#include "d3dx9/color_key.h"
#include "d3dx9/image_file.h"
#include "d3dx9/mip_chain.h"
#include "d3dx9/resample.h"

namespace platform::d3dx9 {
namespace {

// The device's largest texture side.
constexpr int kMaxTextureSide = 8192;

D3DFORMAT TextureFormat(D3DFORMAT asked) {
    return asked == D3DFMT_X8R8G8B8 ? D3DFMT_X8R8G8B8 : D3DFMT_A8R8G8B8;
}

// The texture side for a file side and the size asked for.
int SideFor(int fileSide, UINT asked) {
    if (asked == 0 || asked == D3DX_DEFAULT) {
        return NextPowerOfTwo(fileSide);
    }
    if (asked == D3DX_DEFAULT_NONPOW2 || asked == D3DX_FROM_FILE) {
        return fileSide;
    }
    return static_cast<int>(asked);
}

int LevelsFor(UINT asked) {
    if (asked == D3DX_DEFAULT) {
        return 0;
    }
    return asked == D3DX_FROM_FILE ? 1 : static_cast<int>(asked);
}

void CopyLevel(IDirect3DTexture9* texture, UINT level, const Image& image, bool opaque) {
    D3DLOCKED_RECT locked;
    if (texture->LockRect(level, &locked, nullptr, 0) != D3D_OK) {
        return;
    }
    auto* bytes = static_cast<unsigned char*>(locked.pBits);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(y) * locked.Pitch);
        const uint32_t* source = image.pixels.data() + static_cast<size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            row[x] = opaque ? (source[x] | 0xFF000000u) : source[x];
        }
    }
    texture->UnlockRect(level);
}

// Why a file failed, on the debugger's output as the game's own reasons are (stderr on Linux).
void LogLine(const std::string& line) {
    OutputDebugStringA((line + "\n").c_str());
}

void Describe(const ImageInfo& info, D3DXIMAGE_INFO* out) {
    out->Width = info.Width;
    out->Height = info.Height;
    out->Depth = info.Depth;
    out->MipLevels = info.MipLevels;
    out->Format = static_cast<D3DFORMAT>(info.Format);
    out->ResourceType = static_cast<D3DRESOURCETYPE>(info.ResourceType);
    out->ImageFileFormat = static_cast<D3DXIMAGE_FILEFORMAT>(info.ImageFileFormat);
}

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels,
                                 DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                 IDirect3DTexture9** texture) {
    using namespace platform::d3dx9;
    if (!device || !texture) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    if (width == D3DX_DEFAULT || width == 0) {
        width = 256;  // D3DX's documented choice when no size is given
    }
    if (height == D3DX_DEFAULT || height == 0) {
        height = 256;
    }
    return device->CreateTexture(width, height, static_cast<UINT>(LevelsFor(mipLevels)), usage,
                                 TextureFormat(format), pool, texture, nullptr);
}

HRESULT WINAPI D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, LPCSTR srcFile, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool, DWORD, DWORD,
                                            D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY*, IDirect3DTexture9** texture) {
    using namespace platform::d3dx9;
    if (!device || !srcFile || !texture) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    ImageFile file = ReadPngFile(srcFile);
    if (!file.ok) {
        LogLine(file.error);
        return D3DXERR_INVALIDDATA;
    }
    ApplyColorKey(file.image, colorKey);
    const int textureWidth = SideFor(file.image.width, width);
    const int textureHeight = SideFor(file.image.height, height);
    const std::string sizes = std::to_string(textureWidth) + " x " + std::to_string(textureHeight);
    if (textureWidth > kMaxTextureSide || textureHeight > kMaxTextureSide) {
        // Refused before stretching it at great cost.
        LogLine(std::string(srcFile) + ": a texture of " + sizes +
                " is larger than the device's largest (" + std::to_string(kMaxTextureSide) + ")");
        return D3DXERR_INVALIDDATA;
    }
    std::optional<Image> level0 =
        Resample(file.image, textureWidth, textureHeight, Filter::kTriangle);
    if (!level0) {
        LogLine(std::string(srcFile) + ": cannot resize the picture to " + sizes);
        return D3DXERR_INVALIDDATA;
    }
    file.image = Image{};
    std::vector<Image> chain = BuildMipChain(std::move(*level0), LevelsFor(mipLevels));
    if (chain.empty()) {
        LogLine(std::string(srcFile) + ": out of memory for the mip chain");
        return E_OUTOFMEMORY;
    }
    const D3DFORMAT textureFormat = TextureFormat(format);
    IDirect3DTexture9* made = nullptr;
    HRESULT result = device->CreateTexture(
        static_cast<UINT>(textureWidth), static_cast<UINT>(textureHeight),
        static_cast<UINT>(chain.size()), usage, textureFormat, pool, &made, nullptr);
    if (result != D3D_OK) {
        LogLine(std::string(srcFile) + ": the device made no texture of " + sizes);
        return result;
    }
    for (UINT level = 0; level < chain.size(); ++level) {
        CopyLevel(made, level, chain[level], textureFormat == D3DFMT_X8R8G8B8);
    }
    if (srcInfo) {
        Describe(file.info, srcInfo);
    }
    *texture = made;
    return D3D_OK;
}
