// Point and bilinear texture sampling, specialised per addressing mode of u and v.
#include "raster/sampler.h"

#include <cstddef>

#include "raster/bilinear.h"

namespace platform::raster {

namespace {

enum class Addr { WrapPow2, Wrap, Mirror, Clamp, Border };

template <Addr A>
inline int Address(int i, int size) {
    if constexpr (A == Addr::WrapPow2) {
        return i & (size - 1);
    } else if constexpr (A == Addr::Wrap) {
        const int m = i % size;
        return m < 0 ? m + size : m;
    } else if constexpr (A == Addr::Mirror) {
        const int period = 2 * size;
        int m = i % period;
        m = m < 0 ? m + period : m;
        return m < size ? m : period - 1 - m;
    } else if constexpr (A == Addr::Clamp) {
        return i < 0 ? 0 : (i >= size ? size - 1 : i);
    } else {
        // -1 marks a tap outside the texture, which reads the border colour.
        return static_cast<unsigned>(i) < static_cast<unsigned>(size) ? i : -1;
    }
}

template <Addr AU, Addr AV>
inline uint32_t Fetch(const SampleSource& s, int x, int y) {
    if constexpr (AU == Addr::Border || AV == Addr::Border) {
        if (x < 0 || y < 0) {
            return s.borderColor;
        }
    }
    return s.texels[static_cast<std::ptrdiff_t>(y) * s.pitch + x];
}

// Per-pixel coordinate arrays of a batch, stepped out where the coordinates come as a step.
class CoordArrays {
  public:
    CoordArrays(const TexelCoords& coords, int count) : u_(coords.u), v_(coords.v) {
        if (!coords.stepped) {
            return;
        }
        for (int i = 0; i < count; ++i) {
            uStore_[i] = coords.u0 + i * coords.du;
            vStore_[i] = coords.v0 + i * coords.dv;
        }
        u_ = uStore_;
        v_ = vStore_;
    }
    const int32_t* u() const { return u_; }
    const int32_t* v() const { return v_; }

  private:
    const int32_t* u_;
    const int32_t* v_;
    alignas(16) int32_t uStore_[kBatchSize];
    alignas(16) int32_t vStore_[kBatchSize];
};

template <Addr AU, Addr AV>
void SamplePoint(const SampleSource& s, const TexelCoords& coords, uint32_t* out, int count) {
    const CoordArrays c(coords, count);
    const int32_t* u = c.u();
    const int32_t* v = c.v();
    for (int i = 0; i < count; ++i) {
        const int x = Address<AU>(u[i] >> 16, s.width);
        const int y = Address<AV>(v[i] >> 16, s.height);
        out[i] = Fetch<AU, AV>(s, x, y);
    }
}

// True when the tap after `index` (the addressed `wrapped`) is its right-hand neighbour in
// memory, so both can be read together.
template <Addr A>
inline bool NeighbourFollows(int index, int wrapped, int size) {
    if constexpr (A == Addr::WrapPow2 || A == Addr::Wrap) {
        return wrapped < size - 1;
    } else if constexpr (A == Addr::Clamp) {
        return static_cast<unsigned>(index) < static_cast<unsigned>(size - 1);
    } else {
        return false;
    }
}

template <Addr A>
constexpr bool kHasFastPath = A == Addr::Clamp || A == Addr::WrapPow2;

// One sample with every tap addressed on its own: the edges, and the modes without a fast path.
template <Addr AU, Addr AV>
inline uint32_t SampleBilinearOne(const SampleSource& s, const BilinearFilter& bilinear, int32_t u,
                                  int32_t v) {
    const int x0 = u >> 16;
    const int y0 = v >> 16;
    const uint32_t fx = ((static_cast<uint32_t>(u) & 0xFFFF) + 0x80) >> 8;
    const uint32_t fy = ((static_cast<uint32_t>(v) & 0xFFFF) + 0x80) >> 8;
    const int xa = Address<AU>(x0, s.width);
    const int ya = Address<AV>(y0, s.height);
    if (NeighbourFollows<AU>(x0, xa, s.width) && NeighbourFollows<AV>(y0, ya, s.height)) {
        const uint32_t* top = s.texels + static_cast<std::ptrdiff_t>(ya) * s.pitch + xa;
        return bilinear(top, top + s.pitch, fx, fy);
    }
    const int xb = Address<AU>(x0 + 1, s.width);
    const int yb = Address<AV>(y0 + 1, s.height);
    const uint32_t top[2] = {Fetch<AU, AV>(s, xa, ya), Fetch<AU, AV>(s, xb, ya)};
    const uint32_t bottom[2] = {Fetch<AU, AV>(s, xa, yb), Fetch<AU, AV>(s, xb, yb)};
    return bilinear(top, bottom, fx, fy);
}

// Addresses the whole batch in one branch-free (vectorisable) loop: the offset of each
// sample's top-left tap and its weights. False when some 2 x 2 block is not wholly inside the
// texture, which the caller then samples tap by tap.
template <Addr AU, Addr AV, bool kStepped>
bool AddressInside(const SampleSource& s, const TexelCoords& coords, int count, int32_t* offset,
                   uint32_t* fx, uint32_t* fy) {
    const int lastX = s.width - 1, lastY = s.height - 1;
    const int16_t pitch16 = static_cast<int16_t>(s.pitch);
    int32_t stepU = coords.u0, stepV = coords.v0;
    uint32_t inside = 1;
    for (int i = 0; i < count; ++i) {
        const int32_t u = kStepped ? stepU : coords.u[i];
        const int32_t v = kStepped ? stepV : coords.v[i];
        stepU += coords.du;
        stepV += coords.dv;
        int x = u >> 16, y = v >> 16;
        if constexpr (AU == Addr::WrapPow2) {
            x &= lastX;
        }
        if constexpr (AV == Addr::WrapPow2) {
            y &= lastY;
        }
        inside &= (static_cast<uint32_t>(x) < static_cast<uint32_t>(lastX)) &
                  (static_cast<uint32_t>(y) < static_cast<uint32_t>(lastY));
        // A 16 x 16 -> 32-bit product, which SSE2 vectorises (a full 32-bit one it cannot):
        // coordinates stay within +-16384 texels and pitches below 32768.
        offset[i] = static_cast<int16_t>(y) * pitch16 + x;
        fx[i] = ((static_cast<uint32_t>(u) & 0xFFFF) + 0x80) >> 8;
        fy[i] = ((static_cast<uint32_t>(v) & 0xFFFF) + 0x80) >> 8;
    }
    return inside != 0;
}

template <Addr AU, Addr AV>
void SampleBilinear(const SampleSource& s, const TexelCoords& coords, uint32_t* out, int count) {
    const BilinearFilter bilinear;
    if constexpr (kHasFastPath<AU> && kHasFastPath<AV>) {
        alignas(16) int32_t offset[kBatchSize];
        alignas(16) uint32_t fx[kBatchSize], fy[kBatchSize];
        const bool inside = coords.stepped
                                ? AddressInside<AU, AV, true>(s, coords, count, offset, fx, fy)
                                : AddressInside<AU, AV, false>(s, coords, count, offset, fx, fy);
        if (inside) {
            for (int i = 0; i < count; ++i) {
                const uint32_t* top = s.texels + offset[i];
                out[i] = bilinear(top, top + s.pitch, fx[i], fy[i]);
            }
            return;
        }
    }
    const CoordArrays c(coords, count);
    for (int i = 0; i < count; ++i) {
        out[i] = SampleBilinearOne<AU, AV>(s, bilinear, c.u()[i], c.v()[i]);
    }
}

Addr ToAddr(TextureAddress mode, int size) {
    switch (mode) {
        case TextureAddress::Wrap:
            return (size & (size - 1)) == 0 ? Addr::WrapPow2 : Addr::Wrap;
        case TextureAddress::Mirror:
            return Addr::Mirror;
        case TextureAddress::Border:
            return Addr::Border;
        default:
            return Addr::Clamp;
    }
}

template <bool kBilinear, Addr AU>
SampleFn SelectForV(Addr v) {
    switch (v) {
        case Addr::WrapPow2:
            return kBilinear ? SampleBilinear<AU, Addr::WrapPow2> : SamplePoint<AU, Addr::WrapPow2>;
        case Addr::Wrap:
            return kBilinear ? SampleBilinear<AU, Addr::Wrap> : SamplePoint<AU, Addr::Wrap>;
        case Addr::Mirror:
            return kBilinear ? SampleBilinear<AU, Addr::Mirror> : SamplePoint<AU, Addr::Mirror>;
        case Addr::Clamp:
            return kBilinear ? SampleBilinear<AU, Addr::Clamp> : SamplePoint<AU, Addr::Clamp>;
        case Addr::Border:
            break;
    }
    return kBilinear ? SampleBilinear<AU, Addr::Border> : SamplePoint<AU, Addr::Border>;
}

template <bool kBilinear>
SampleFn SelectForUV(Addr u, Addr v) {
    switch (u) {
        case Addr::WrapPow2:
            return SelectForV<kBilinear, Addr::WrapPow2>(v);
        case Addr::Wrap:
            return SelectForV<kBilinear, Addr::Wrap>(v);
        case Addr::Mirror:
            return SelectForV<kBilinear, Addr::Mirror>(v);
        case Addr::Clamp:
            return SelectForV<kBilinear, Addr::Clamp>(v);
        case Addr::Border:
            break;
    }
    return SelectForV<kBilinear, Addr::Border>(v);
}

}  // namespace

SampleFn SelectSampler(bool bilinear, TextureAddress addressU, TextureAddress addressV, int width,
                       int height) {
    const Addr u = ToAddr(addressU, width);
    const Addr v = ToAddr(addressV, height);
    return bilinear ? SelectForUV<true>(u, v) : SelectForUV<false>(u, v);
}

}  // namespace platform::raster
