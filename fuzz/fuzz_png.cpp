// Fuzzes the PNG path of the texture loader: D3DXCreateTextureFromFileExA called the way the
// game's CTexture calls it (power-of-two sizes, full mip chain, magenta colour key).
// The bound checked on every input: beyond its pixels, loading takes at most 4 x the file's size
// and a fixed allowance. The pixels are those the header declares: the decoded picture (with the
// 16-bit files' wide copy, 12 bytes a pixel at most) and the power-of-two texture with its
// resampled level 0 and mip chain (16 bytes a texel at most, while they are copied).
#include <bit>
#include <cstdint>
#include <string>

#include "allocation_meter.h"
#include "d3dx9.h"
#include "fuzz_file.h"
#include "test_seam.h"

namespace {

constexpr size_t kFixedAllowance = 1 << 20;  // libpng's state and rows, stdio buffers

platform::testing::HeadlessDevice headless;

uint32_t BigEndian(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

// The pixels the loader may allocate for a file, from the size its IHDR declares.
size_t PixelAllowance(const uint8_t* data, size_t size) {
    if (size < 24) {
        return 0;
    }
    const uint64_t width = BigEndian(data + 16);
    const uint64_t height = BigEndian(data + 20);
    if (width == 0 || height == 0 || width > (1u << 16) || height > (1u << 16)) {
        return 0;
    }
    const uint64_t texels = std::bit_ceil(width) * std::bit_ceil(height);
    return static_cast<size_t>(12 * width * height + 16 * texels);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::testing::StartHeadless();
    if (!platform::testing::CreateHeadlessDevice(64, 64, &headless)) {
        fuzz::Fail("no headless device");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzz::WriteInputFile(data, size);
    D3DXIMAGE_INFO info{};
    IDirect3DTexture9* texture = nullptr;
    fuzz::StartMeasuring();
    const HRESULT result = D3DXCreateTextureFromFileExA(
        headless.device, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0xFFFF00FF, &info, nullptr, &texture);
    const size_t peak = fuzz::PeakSinceStart();
    if (SUCCEEDED(result) != (texture != nullptr)) {
        fuzz::Fail("the result and the texture disagree");
    }
    if (texture) {
        D3DSURFACE_DESC level0{};
        texture->GetLevelDesc(0, &level0);
        if (!std::has_single_bit(level0.Width) || !std::has_single_bit(level0.Height) ||
            level0.Width < info.Width || level0.Height < info.Height) {
            fuzz::Fail("texture of " + std::to_string(level0.Width) + " x " +
                       std::to_string(level0.Height) + " for a file of " +
                       std::to_string(info.Width) + " x " + std::to_string(info.Height));
        }
        texture->Release();
    }
    platform::testing::ClearMessageBoxes();
    platform::testing::ClearLogLines();
    const size_t bound = 4 * size + kFixedAllowance + PixelAllowance(data, size);
    if (peak > bound) {
        fuzz::Fail("loading a PNG file of " + std::to_string(size) + " bytes took " +
                   std::to_string(peak) + " bytes (allowed " + std::to_string(bound) + ")");
    }
    return 0;
}
