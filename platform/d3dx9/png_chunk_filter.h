// Removes the colour-space chunks (gAMA, cHRM, sRGB, iCCP) from PNG file bytes, so that
// libpng's simplified API hands back the pixel values as stored instead of converting them from
// the file's declared gamma: a texture holds what the file holds, as image editors show it.
// A chunk whose length runs past the end of the file can never load; it is refused here, before
// libpng would allocate the length it claims (up to 2 GiB for a file of a few bytes). Other bytes
// that do not parse as a chunk sequence are left as they are, for libpng to reject.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::d3dx9 {

// False when a chunk runs past the end of the bytes (nothing is removed then).
bool RemoveColorSpaceChunks(std::vector<uint8_t>& pngBytes);

// The bytes the IDAT chunks hold together: the compressed pixel data. Only chunks that lie
// wholly within the bytes are counted.
uint64_t CompressedDataBytes(const std::vector<uint8_t>& pngBytes);

// False when the compressed pixel data is too short to inflate to the pixels that the IHDR
// declares (at least width x height x bits per pixel / 8 bytes) even at deflate's best ratio
// (1032 to 1): such a file can never decode, and its picture is not worth allocating.
bool CompressedDataCanHoldPixels(const std::vector<uint8_t>& pngBytes);

}  // namespace platform::d3dx9
