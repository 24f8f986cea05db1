// Channel arithmetic on Highway lanes of packed ARGB pixels, one pixel a lane: the channels are
// worked on in the 16-bit halves of it, red with blue and alpha with green, so that every
// operation stays within its lane and gives the same bits on every target and width. Included
// by the files compiled per target (after hwy/highway.h), once per target.
#if defined(POKUTAN_RASTER_CHANNEL_LANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef POKUTAN_RASTER_CHANNEL_LANES_INL_H_
#undef POKUTAN_RASTER_CHANNEL_LANES_INL_H_
#else
#define POKUTAN_RASTER_CHANNEL_LANES_INL_H_
#endif

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace platform::raster {
namespace HWY_NAMESPACE {
namespace channel_lanes {

namespace hn = hwy::HWY_NAMESPACE;
using D32 = hn::ScalableTag<uint32_t>;
using D16 = hn::ScalableTag<uint16_t>;
using V32 = hn::Vec<D32>;

// Red and blue of each pixel in the halves of its lane; alpha and green; and back.
HWY_INLINE V32 RedBlue(V32 c) {
    return hn::And(c, hn::Set(D32(), 0x00FF00FFu));
}
HWY_INLINE V32 AlphaGreen(V32 c) {
    return hn::And(hn::ShiftRight<8>(c), hn::Set(D32(), 0x00FF00FFu));
}
HWY_INLINE V32 Join(V32 redBlue, V32 alphaGreen) {
    return hn::Or(redBlue, hn::ShiftLeft<8>(alphaGreen));
}

// A value below 65536 in both halves of each lane.
HWY_INLINE V32 BothHalves(V32 w) {
    return hn::Or(w, hn::ShiftLeft<16>(w));
}

// round((a * (256 - w) + b * w) / 256) on the halves, w of 0..256 in both halves; the sum
// stays below 65536 (255 * 256 + 128).
HWY_INLINE V32 Lerp(V32 a, V32 b, V32 w) {
    const D16 d16;
    const auto w16 = hn::BitCast(d16, w);
    const auto x = hn::Add(hn::Add(hn::Mul(hn::BitCast(d16, a), hn::Sub(hn::Set(d16, 256), w16)),
                                   hn::Mul(hn::BitCast(d16, b), w16)),
                           hn::Set(d16, 128));
    return hn::BitCast(D32(), hn::ShiftRight<8>(x));
}

HWY_INLINE V32 LerpPixels(V32 a, V32 b, V32 w) {
    return Join(Lerp(RedBlue(a), RedBlue(b), w), Lerp(AlphaGreen(a), AlphaGreen(b), w));
}

// round(x / 255) of x = a sum of products plus 128, below 65536 - 255: (x + (x >> 8)) >> 8.
HWY_INLINE V32 Div255(hn::Vec<D16> x) {
    return hn::BitCast(D32(), hn::ShiftRight<8>(hn::Add(x, hn::ShiftRight<8>(x))));
}

// round(a * b / 255) on the halves.
HWY_INLINE V32 MulDiv255(V32 a, V32 b) {
    const D16 d16;
    return Div255(hn::Add(hn::Mul(hn::BitCast(d16, a), hn::BitCast(d16, b)), hn::Set(d16, 128)));
}

// Source over destination on the halves: round((s * a + d * (255 - a)) / 255), alpha in both
// halves.
HWY_INLINE V32 Over(V32 s, V32 d, V32 alpha) {
    const D16 d16;
    const auto a = hn::BitCast(d16, alpha);
    return Div255(hn::Add(hn::Add(hn::Mul(hn::BitCast(d16, s), a),
                                  hn::Mul(hn::BitCast(d16, d), hn::Sub(hn::Set(d16, 255), a))),
                          hn::Set(d16, 128)));
}

// OverOne for whole pixels.
HWY_INLINE V32 OverPixels(V32 s, V32 d) {
    const V32 alpha = BothHalves(hn::ShiftRight<24>(s));
    return Join(Over(RedBlue(s), RedBlue(d), alpha), Over(AlphaGreen(s), AlphaGreen(d), alpha));
}

}  // namespace channel_lanes
}  // namespace HWY_NAMESPACE
}  // namespace platform::raster
HWY_AFTER_NAMESPACE();

#endif
