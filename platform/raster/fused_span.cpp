// The fused path: state checks, an exact scalar pixel for batch edges and texture borders, an
// SSE2 loop and one wide loop (fused_span_wide.inc) built for AVX2 and for AVX-512, for batches
// whose samples lie wholly inside the texture. Which loop runs is chosen once, at start-up, in
// g_chosen: the widest the processor runs. The loops are instantiated per blend, texturing
// and depth case.
//
// The loops fold the bilinear weight of 256 away: adding half a step (0x80) to a coordinate
// before splitting it gives the same taps and weights, except that a weight of 256 on the
// next texel becomes a weight of 0 on the texel after, which blends to the same value. Weights
// then fit 0..255, which lets AVX2 and AVX-512 blend as a + round((b - a) * w / 256) with one
// rounding multiply (pmulhrsw computes exactly floor(((b - a) * w * 128 + 2^14) / 2^15)), and
// the division by 255 after modulating is (x + (x >> 8)) >> 8 = x * 257 >> 16 (one pmulhuw) for
// every 16-bit x. The random comparison test in fused_span_test.cpp holds each loop to the
// staged pipeline bit for bit.
#include "raster/fused_span.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The wide loops rely on GCC's target regions reaching every helper they inline; clang wants
// the attribute on each function and lambda, so clang builds (the fuzzers) use the SSE2 loop.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
// GCC 12 warns inside its own AVX-512 headers (an intrinsic's deliberately undefined start
// value); the warning points into the header, so it is silenced there only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#define POKUTAN_FUSED_WIDE 1
#endif

#include "raster/bilinear.h"
#include "raster/color_ops.h"
#include "raster/pixel_batch.h"
#include "raster/pixel_blend.h"
#include "seam/hooks.h"

namespace platform::raster {

namespace {

bool IsTexture(uint32_t arg) {
    return arg == TextureArg::Texture;
}

bool IsDiffuse(uint32_t arg) {
    return arg == TextureArg::Diffuse || arg == TextureArg::Current;
}

bool ModulatesTextureByDiffuse(TextureOp op, uint32_t arg1, uint32_t arg2) {
    return op == TextureOp::Modulate &&
           ((IsTexture(arg1) && IsDiffuse(arg2)) || (IsDiffuse(arg1) && IsTexture(arg2)));
}

bool SelectsTexture(TextureOp op, uint32_t arg1, uint32_t arg2) {
    return (op == TextureOp::SelectArg1 && IsTexture(arg1)) ||
           (op == TextureOp::SelectArg2 && IsTexture(arg2));
}

inline int ClampIndex(int i, int size) {
    return i < 0 ? 0 : (i >= size ? size - 1 : i);
}

// The staged pipeline's clamped bilinear sample, tap by tap.
uint32_t SampleClamped(const FusedSpanJob& j, int32_t u, int32_t v) {
    const int x0 = u >> 16, y0 = v >> 16;
    const uint32_t fx = ((static_cast<uint32_t>(u) & 0xFFFF) + 0x80) >> 8;
    const uint32_t fy = ((static_cast<uint32_t>(v) & 0xFFFF) + 0x80) >> 8;
    const uint32_t* upper =
        j.texels + static_cast<std::ptrdiff_t>(ClampIndex(y0, j.height)) * j.pitch;
    const uint32_t* lower =
        j.texels + static_cast<std::ptrdiff_t>(ClampIndex(y0 + 1, j.height)) * j.pitch;
    const int xa = ClampIndex(x0, j.width), xb = ClampIndex(x0 + 1, j.width);
    const uint32_t top[2] = {upper[xa], upper[xb]};
    const uint32_t bottom[2] = {lower[xa], lower[xb]};
    return BilinearPortable(top, bottom, fx, fy);
}

uint32_t ModulateOne(uint32_t a, uint32_t b) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        result |= MulDiv255((a >> shift) & 0xFF, (b >> shift) & 0xFF) << shift;
    }
    return result;
}

// Pixel p of the span, the i-th of a batch starting at (u0, v0).
void ShadeOne(const FusedSpanJob& j, int32_t u0, int32_t v0, int i, int p) {
    const uint32_t texel = j.texels == nullptr
                               ? 0xFFFFFFFFu
                               : SampleClamped(j, u0 + i * j.du, v0 + i * j.dv) | j.textureForce;
    const uint32_t color = ModulateOne(texel, j.modulator);
    if (j.alphaTest && !((color >> 24) > j.alphaRef)) {
        return;
    }
    if (j.depthRow != nullptr) {
        const uint32_t word = j.depthRow[p];
        if (!(j.depth <= (word >> 8))) {
            return;
        }
        if (j.depthWrite) {
            j.depthRow[p] = (word & 0xFFu) | (j.depth << 8);
        }
    }
    const uint32_t dst = j.target[p] | j.targetForce;
    j.target[p] = (j.blend == FusedBlend::Add ? AddSaturateOne(color, dst) : OverOne(color, dst)) |
                  j.targetForce;
}

// True when the 2 x 2 block of each of the first `count` pixels of the batch starting at
// (u0, v0), with the folded coordinates, lies inside the texture: coordinates are linear along
// the batch, so the two ends decide.
bool BlocksInside(const FusedSpanJob& j, int32_t u0, int32_t v0, int count) {
    if (j.pitch >= 32768 || j.height >= 32768) {
        return false;
    }
    auto inside = [&](int32_t u, int32_t v) {
        const int x = (u + 0x80) >> 16, y = (v + 0x80) >> 16;
        return static_cast<unsigned>(x) < static_cast<unsigned>(j.width - 1) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(j.height - 1);
    };
    const int last = count - 1;
    return inside(u0, v0) && inside(u0 + last * j.du, v0 + last * j.dv);
}

// How many leading pixels of an n-pixel batch the vector loop takes: whole groups, and with
// kMaskedTail a masked last group too where its reads (all its lanes) stay inside.
template <int kGroup, bool kMaskedTail, bool kTextured>
int VectorCount(const FusedSpanJob& j, int32_t u0, int32_t v0, int n) {
    const int whole = n & ~(kGroup - 1);
    if constexpr (!kTextured) {
        return kMaskedTail ? n : whole;
    }
    if (kMaskedTail && BlocksInside(j, u0, v0, (n + kGroup - 1) & ~(kGroup - 1))) {
        return n;
    }
    return whole > 0 && BlocksInside(j, u0, v0, whole) ? whole : 0;
}

// The batch's pixels from `done` on, one at a time.
void ShadeRest(const FusedSpanJob& j, int32_t u0, int32_t v0, int first, int done, int n) {
    for (int i = done; i < n; ++i) {
        ShadeOne(j, u0, v0, i, first + i);
    }
}

#if defined(__SSE2__)

// The SSE2 loop: four pixels an iteration, one pixel's vertical blend per register.
class Sse2Span {
  public:
    explicit Sse2Span(const FusedSpanJob& j)
        : j_(j),
          zero_(_mm_setzero_si128()),
          half_(_mm_set1_epi16(128)),
          full_(_mm_set1_epi16(256)),
          modulator_(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(j.modulator)), zero_)),
          textureForce_(
              _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(j.textureForce)), zero_)) {}

    template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
    void Run() const;

  private:
    // The blend of the 2 x 2 block at p down its columns: the left and right texels of the
    // pixel's row, 16 bits a channel. wy holds the lower row's weight in every lane.
    __m128i Column(const uint32_t* p, __m128i wy) const {
        const __m128i top =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero_);
        const __m128i bottom = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + j_.pitch)), zero_);
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(top, _mm_sub_epi16(full_, wy)),
                                          _mm_mullo_epi16(bottom, wy));
        return _mm_srli_epi16(_mm_add_epi16(sum, half_), 8);
    }

    // Two pixels' columns across, modulated: wx holds each pixel's right weight in its lanes.
    __m128i Across(__m128i a, __m128i b, __m128i wx) const {
        const __m128i left = _mm_unpacklo_epi64(a, b), right = _mm_unpackhi_epi64(a, b);
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(left, _mm_sub_epi16(full_, wx)),
                                          _mm_mullo_epi16(right, wx));
        const __m128i texel =
            _mm_or_si128(_mm_srli_epi16(_mm_add_epi16(sum, half_), 8), textureForce_);
        const __m128i x = _mm_add_epi16(_mm_mullo_epi16(texel, modulator_), half_);
        return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    }

    static __m128i Select(__m128i mask, __m128i yes, __m128i no) {
        return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
    }

    const FusedSpanJob& j_;
    const __m128i zero_, half_, full_, modulator_, textureForce_;
};

template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
void Sse2Span::Run() const {
    const FusedSpanJob& j = j_;
    const __m128i uLanes = _mm_setr_epi32(0, j.du, 2 * j.du, 3 * j.du);
    const __m128i vLanes = _mm_setr_epi32(0, j.dv, 2 * j.dv, 3 * j.dv);
    __m128i u = uLanes, v = vLanes;
    const __m128i du = _mm_set1_epi32(4 * j.du), dv = _mm_set1_epi32(4 * j.dv);
    // Rows and pitch fit 15 bits, so the pitch multiply is one 16 x 16 multiply-add per lane.
    const __m128i pitch = _mm_set1_epi32(j.pitch);
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    const __m128i alphaRef = _mm_set1_epi32(static_cast<int>(j.alphaRef));
    const __m128i alphaOff = j.alphaTest ? _mm_setzero_si128() : _mm_set1_epi32(-1);
    const __m128i depth = _mm_set1_epi32(static_cast<int>(j.depth));
    const __m128i depthWord = _mm_set1_epi32(static_cast<int>(j.depth << 8));
    const __m128i force = _mm_set1_epi32(static_cast<int>(j.targetForce));
    // Untextured: the colour is the modulator itself (white times it), in both forms.
    const __m128i flat16 = modulator_;
    const __m128i flat = _mm_set1_epi32(static_cast<int>(j.modulator));
    auto group = [&](int i) {
        __m128i low = flat16, high = flat16, color = flat;
        if constexpr (kTextured) {
            const __m128i offset =
                _mm_add_epi32(_mm_madd_epi16(_mm_srai_epi32(v, 16), pitch), _mm_srai_epi32(u, 16));
            __m128i fx = _mm_and_si128(_mm_srli_epi32(u, 8), byteMask);
            __m128i fy = _mm_and_si128(_mm_srli_epi32(v, 8), byteMask);
            fx = _mm_or_si128(fx, _mm_slli_epi32(fx, 16));
            fy = _mm_or_si128(fy, _mm_slli_epi32(fy, 16));
            u = _mm_add_epi32(u, du);
            v = _mm_add_epi32(v, dv);
            alignas(16) int32_t at[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(at), offset);
            const __m128i c0 = Column(j.texels + at[0], _mm_shuffle_epi32(fy, 0x00));
            const __m128i c1 = Column(j.texels + at[1], _mm_shuffle_epi32(fy, 0x55));
            const __m128i c2 = Column(j.texels + at[2], _mm_shuffle_epi32(fy, 0xAA));
            const __m128i c3 = Column(j.texels + at[3], _mm_shuffle_epi32(fy, 0xFF));
            low = Across(c0, c1, _mm_unpacklo_epi32(fx, fx));
            high = Across(c2, c3, _mm_unpackhi_epi32(fx, fx));
            color = _mm_packus_epi16(low, high);
        }
        __m128i live = _mm_or_si128(_mm_cmpgt_epi32(_mm_srli_epi32(color, 24), alphaRef), alphaOff);
        if constexpr (kDepth) {
            auto* row = reinterpret_cast<__m128i*>(j.depthRow + i);
            const __m128i words = _mm_loadu_si128(row);
            live = _mm_andnot_si128(_mm_cmpgt_epi32(depth, _mm_srli_epi32(words, 8)), live);
            if constexpr (kDepthWrite) {
                const __m128i written = _mm_or_si128(_mm_and_si128(words, byteMask), depthWord);
                _mm_storeu_si128(row, Select(live, written, words));
            }
        }
        auto* target = reinterpret_cast<__m128i*>(j.target + i);
        const __m128i dst = _mm_loadu_si128(target);
        const __m128i in = _mm_or_si128(dst, force);
        __m128i result;
        if constexpr (kBlend == FusedBlend::Add) {
            result = _mm_adds_epu8(color, in);
        } else {
            result = _mm_packus_epi16(OverLanes(low, _mm_unpacklo_epi8(in, zero_)),
                                      OverLanes(high, _mm_unpackhi_epi8(in, zero_)));
        }
        _mm_storeu_si128(target, Select(live, _mm_or_si128(result, force), dst));
    };
    for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
        const int n = std::min(kBatchSize, j.count - first);
        const int32_t u0 = kTextured ? j.batchU[b] : 0, v0 = kTextured ? j.batchV[b] : 0;
        const int done = VectorCount<4, false, kTextured>(j, u0, v0, n);
        u = _mm_add_epi32(_mm_set1_epi32(u0 + 0x80), uLanes);
        v = _mm_add_epi32(_mm_set1_epi32(v0 + 0x80), vLanes);
        for (int i = 0; i < done; i += 4) {
            group(first + i);
        }
        ShadeRest(j, u0, v0, first, done, n);
    }
}

struct Sse2Loop {
    template <FusedBlend kBlend, bool kTextured>
    static void Run(const FusedSpanJob& j) {
        const Sse2Span span(j);
        if (j.depthRow == nullptr) {
            span.Run<kBlend, kTextured, false, false>();
        } else if (j.depthWrite) {
            span.Run<kBlend, kTextured, true, true>();
        } else {
            span.Run<kBlend, kTextured, true, false>();
        }
    }
};

#endif

#if POKUTAN_FUSED_WIDE

// AVX2: eight pixels a group, lane masks as vectors (a whole group stores with a blend, a
// partial one with a masked store).
#pragma GCC push_options
#pragma GCC target("avx2")
struct Avx2Lanes {
    using V = __m256i;
    using Mask = __m256i;
    static constexpr int kLanes = 8;
    static V Zero() { return _mm256_setzero_si256(); }
    static V Set32(uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
    static V Set16(int x) { return _mm256_set1_epi16(static_cast<int16_t>(x)); }
    static V LaneIndex() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }
    static V Add32(V a, V b) { return _mm256_add_epi32(a, b); }
    static V MulLo32(V a, V b) { return _mm256_mullo_epi32(a, b); }
    static V MulAdd16(V a, V b) { return _mm256_madd_epi16(a, b); }
    static V ShiftRightArith32(V a, int n) { return _mm256_srai_epi32(a, n); }
    static V ShiftRight32(V a, int n) { return _mm256_srli_epi32(a, n); }
    static V ShiftLeft32(V a, int n) { return _mm256_slli_epi32(a, n); }
    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V MulHrs16(V a, V b) { return _mm256_mulhrs_epi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    static V UnpackLo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
    static V UnpackHi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
    static V UnpackLo32(V a, V b) { return _mm256_unpacklo_epi32(a, b); }
    static V UnpackHi32(V a, V b) { return _mm256_unpackhi_epi32(a, b); }
    static V UnpackLo64(V a, V b) { return _mm256_unpacklo_epi64(a, b); }
    static V UnpackHi64(V a, V b) { return _mm256_unpackhi_epi64(a, b); }
    static V PackUs16(V a, V b) { return _mm256_packus_epi16(a, b); }
    static V AddSaturateU8(V a, V b) { return _mm256_adds_epu8(a, b); }
    static V SpreadAlpha16(V a) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xFF), 0xFF);
    }
    template <int kPattern>
    static V Spread(V a) {
        return _mm256_shuffle_epi32(a, kPattern);
    }
    static void Store(uint32_t* p, V a) { _mm256_store_si256(reinterpret_cast<V*>(p), a); }
    // The two texels right of texel at[k] and at[k + 4] of `row`, 16 bits a channel.
    static V Taps(const uint32_t* row, const uint32_t* at, int k) {
        return _mm256_cvtepu8_epi16(_mm_castpd_si128(_mm_loadh_pd(
            _mm_castsi128_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + at[k]))),
            reinterpret_cast<const double*>(row + at[k + 4]))));
    }
    static Mask AllLanes() { return _mm256_set1_epi32(-1); }
    static Mask NoLanes() { return _mm256_setzero_si256(); }
    static Mask FirstLanes(int count, V laneIndex) {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), laneIndex);
    }
    static Mask AndMask(Mask a, Mask b) { return _mm256_and_si256(a, b); }
    static Mask OrMask(Mask a, Mask b) { return _mm256_or_si256(a, b); }
    static Mask Greater32(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
    static Mask AtLeastU32(V a, V b) { return _mm256_cmpeq_epi32(_mm256_max_epu32(a, b), a); }
    static V Load(const uint32_t* p, bool whole, Mask valid) {
        return whole ? _mm256_loadu_si256(reinterpret_cast<const V*>(p))
                     : _mm256_maskload_epi32(reinterpret_cast<const int*>(p), valid);
    }
    // `value` where `live`, the rest of the group as it was (`old`).
    static void StoreWhere(uint32_t* p, bool whole, Mask live, V old, V value) {
        if (whole) {
            _mm256_storeu_si256(reinterpret_cast<V*>(p), _mm256_blendv_epi8(old, value, live));
        } else {
            _mm256_maskstore_epi32(reinterpret_cast<int*>(p), live, value);
        }
    }
};
namespace avx2 {
using Lanes = Avx2Lanes;
#include "raster/fused_span_wide.inc"
}  // namespace avx2
#pragma GCC pop_options

// AVX-512: sixteen pixels a group, lane masks in mask registers.
#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl,avx2")
struct Avx512Lanes {
    using V = __m512i;
    using Mask = __mmask16;
    static constexpr int kLanes = 16;
    static V Zero() { return _mm512_setzero_si512(); }
    static V Set32(uint32_t x) { return _mm512_set1_epi32(static_cast<int>(x)); }
    static V Set16(int x) { return _mm512_set1_epi16(static_cast<int16_t>(x)); }
    static V LaneIndex() {
        return _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    }
    static V Add32(V a, V b) { return _mm512_add_epi32(a, b); }
    static V MulLo32(V a, V b) { return _mm512_mullo_epi32(a, b); }
    static V MulAdd16(V a, V b) { return _mm512_madd_epi16(a, b); }
    static V ShiftRightArith32(V a, int n) { return _mm512_srai_epi32(a, n); }
    static V ShiftRight32(V a, int n) { return _mm512_srli_epi32(a, n); }
    static V ShiftLeft32(V a, int n) { return _mm512_slli_epi32(a, n); }
    static V And(V a, V b) { return _mm512_and_si512(a, b); }
    static V Or(V a, V b) { return _mm512_or_si512(a, b); }
    static V Add16(V a, V b) { return _mm512_add_epi16(a, b); }
    static V Sub16(V a, V b) { return _mm512_sub_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm512_mullo_epi16(a, b); }
    static V MulHrs16(V a, V b) { return _mm512_mulhrs_epi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm512_mulhi_epu16(a, b); }
    static V UnpackLo8(V a, V b) { return _mm512_unpacklo_epi8(a, b); }
    static V UnpackHi8(V a, V b) { return _mm512_unpackhi_epi8(a, b); }
    static V UnpackLo32(V a, V b) { return _mm512_unpacklo_epi32(a, b); }
    static V UnpackHi32(V a, V b) { return _mm512_unpackhi_epi32(a, b); }
    static V UnpackLo64(V a, V b) { return _mm512_unpacklo_epi64(a, b); }
    static V UnpackHi64(V a, V b) { return _mm512_unpackhi_epi64(a, b); }
    static V PackUs16(V a, V b) { return _mm512_packus_epi16(a, b); }
    static V AddSaturateU8(V a, V b) { return _mm512_adds_epu8(a, b); }
    static V SpreadAlpha16(V a) {
        return _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(a, 0xFF), 0xFF);
    }
    template <int kPattern>
    static V Spread(V a) {
        return _mm512_shuffle_epi32(a, static_cast<_MM_PERM_ENUM>(kPattern));
    }
    static void Store(uint32_t* p, V a) { _mm512_store_si512(p, a); }
    static __m128i TwoTaps(const uint32_t* row, uint32_t a, uint32_t b) {
        return _mm_castpd_si128(_mm_loadh_pd(
            _mm_castsi128_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + a))),
            reinterpret_cast<const double*>(row + b)));
    }
    // The two texels right of texel at[k], at[k + 4], at[k + 8] and at[k + 12] of `row`.
    static V Taps(const uint32_t* row, const uint32_t* at, int k) {
        return _mm512_cvtepu8_epi16(
            _mm256_inserti128_si256(_mm256_castsi128_si256(TwoTaps(row, at[k], at[k + 4])),
                                    TwoTaps(row, at[k + 8], at[k + 12]), 1));
    }
    static Mask AllLanes() { return 0xFFFF; }
    static Mask NoLanes() { return 0; }
    static Mask FirstLanes(int count, V) { return static_cast<Mask>((1u << count) - 1); }
    static Mask AndMask(Mask a, Mask b) { return a & b; }
    static Mask OrMask(Mask a, Mask b) { return a | b; }
    static Mask Greater32(V a, V b) { return _mm512_cmpgt_epi32_mask(a, b); }
    static Mask AtLeastU32(V a, V b) { return _mm512_cmpge_epu32_mask(a, b); }
    static V Load(const uint32_t* p, bool, Mask valid) {
        return _mm512_maskz_loadu_epi32(valid, p);
    }
    static void StoreWhere(uint32_t* p, bool, Mask live, V, V value) {
        _mm512_mask_storeu_epi32(p, live, value);
    }
};
namespace avx512 {
using Lanes = Avx512Lanes;
#include "raster/fused_span_wide.inc"
}  // namespace avx512
#pragma GCC pop_options

#endif

// The loops of one width, per blend and texturing, and the seam counter that proves they ran.
using SpanLoop = void (*)(const FusedSpanJob&);
struct SpanLoops {
    bool fused = false;  // false: every draw goes through the stages
    const char* counter = "";
    SpanLoop run[2][2] = {};  // [blend is Over][textured]
};

template <class Loop>
SpanLoops LoopsOf(const char* counter) {
    return SpanLoops{
        true,
        counter,
        {{&Loop::template Run<FusedBlend::Add, false>, &Loop::template Run<FusedBlend::Add, true>},
         {&Loop::template Run<FusedBlend::Over, false>,
          &Loop::template Run<FusedBlend::Over, true>}}};
}

// One pixel at a time, where the processor has no vector loop.
struct PortableLoop {
    template <FusedBlend kBlend, bool kTextured>
    static void Run(const FusedSpanJob& j) {
        for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
            const int n = std::min(kBatchSize, j.count - first);
            ShadeRest(j, kTextured ? j.batchU[b] : 0, kTextured ? j.batchV[b] : 0, first, 0, n);
        }
    }
};

// The widest loop this processor runs, asked once.
FusedSpanMode WidestOfProcessor() {
    static const FusedSpanMode widest = [] {
#if POKUTAN_FUSED_WIDE
        __builtin_cpu_init();  // may run before libgcc's own constructor has
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
            __builtin_cpu_supports("avx512vl")) {
            return FusedSpanMode::Avx512;
        }
        if (__builtin_cpu_supports("avx2")) {
            return FusedSpanMode::Avx2;
        }
#endif
#if defined(__SSE2__)
        return FusedSpanMode::Sse2;
#else
        return FusedSpanMode::Portable;
#endif
    }();
    return widest;
}

const SpanLoops& LoopsFor(FusedSpanMode mode) {
    static const SpanLoops off;
    static const SpanLoops portable = LoopsOf<PortableLoop>("FusedSpan.Portable");
#if defined(__SSE2__)
    static const SpanLoops sse2 = LoopsOf<Sse2Loop>("FusedSpan.Sse2");
#endif
#if POKUTAN_FUSED_WIDE
    static const SpanLoops avx2 = LoopsOf<avx2::Loop>("FusedSpan.Avx2");
    static const SpanLoops avx512 = LoopsOf<avx512::Loop>("FusedSpan.Avx512");
#endif
    switch (mode == FusedSpanMode::Best ? WidestOfProcessor() : mode) {
        case FusedSpanMode::Off:
            return off;
#if defined(__SSE2__)
        case FusedSpanMode::Sse2:
            return sse2;
#endif
#if POKUTAN_FUSED_WIDE
        case FusedSpanMode::Avx2:
            return avx2;
        case FusedSpanMode::Avx512:
            return avx512;
#endif
        default:
            return portable;
    }
}

// The one place the loop is chosen: the widest the processor runs, at start-up; tests may
// choose another with SetFusedSpanMode.
const SpanLoops* g_chosen = &LoopsFor(FusedSpanMode::Best);

}  // namespace

FusedSpanSetup FusedSpanFor(const DrawState& state) {
    FusedSpanSetup setup;
    const RenderState& r = state.render;
    const TextureStage& stage = state.stage;
    const bool add = r.blendOp == BlendOp::Add;
    const bool additive = add && r.srcBlend == Blend::One && r.destBlend == Blend::One;
    const bool over = add && r.srcBlend == Blend::SrcAlpha && r.destBlend == Blend::InvSrcAlpha;
    const bool blendOk =
        r.alphaBlendEnable && (additive || over) && (r.colorWriteEnable & 0xF) == 0xF;
    setup.blend = additive ? FusedBlend::Add : FusedBlend::Over;
    // Untextured draws read white, whatever the sampler says.
    const bool clamped =
        state.texture == nullptr || (state.sampler.addressU == TextureAddress::Clamp &&
                                     state.sampler.addressV == TextureAddress::Clamp);
    const bool depthOff = state.depthStencil == nullptr || !r.zEnable;
    const bool depthOk = depthOff || r.zFunc == CmpFunc::LessEqual;
    const auto func = static_cast<uint32_t>(r.alphaFunc);
    // Unknown comparison functions pass, as ALWAYS does.
    const bool alphaPasses = !r.alphaTestEnable || func < 1 || func >= 8;
    const bool alphaOk = alphaPasses || r.alphaFunc == CmpFunc::Greater;
    const bool colorOk = ModulatesTextureByDiffuse(stage.colorOp, stage.colorArg1, stage.colorArg2);
    setup.modulateAlpha =
        ModulatesTextureByDiffuse(stage.alphaOp, stage.alphaArg1, stage.alphaArg2);
    const bool alphaStageOk =
        setup.modulateAlpha || SelectsTexture(stage.alphaOp, stage.alphaArg1, stage.alphaArg2);
    setup.alphaTest = !alphaPasses;
    setup.usable =
        g_chosen->fused && blendOk && clamped && depthOk && alphaOk && colorOk && alphaStageOk;
    return setup;
}

void RunFusedSpan(const FusedSpanJob& job) {
    seam::Count(g_chosen->counter);
    if (job.texels != nullptr && job.du == 0x10000 && job.dv == 0) {
        seam::Count("FusedSpan.OneToOne");  // the wide loops read such rows texel by texel
    }
    g_chosen->run[job.blend == FusedBlend::Over][job.texels != nullptr](job);
}

bool FusedSpanModeSupported(FusedSpanMode mode) {
    switch (mode) {
        case FusedSpanMode::Sse2:
        case FusedSpanMode::Avx2:
        case FusedSpanMode::Avx512:
            return mode <= WidestOfProcessor();
        default:
            return true;
    }
}

bool SetFusedSpanMode(FusedSpanMode mode) {
    if (!FusedSpanModeSupported(mode)) {
        return false;
    }
    g_chosen = &LoopsFor(mode);
    return true;
}

}  // namespace platform::raster
