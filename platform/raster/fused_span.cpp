// The fused path: state checks, an exact scalar pixel for batch edges and texture borders, and
// SSE2, AVX2 and AVX-512 loops (the widest the processor runs, chosen at run time) for batches
// whose samples lie wholly inside the texture. The loops are instantiated per blend, texturing and
// depth case.
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
#if defined(__GNUC__) && defined(__x86_64__)
// GCC 12 warns inside its own AVX-512 headers (an intrinsic's deliberately undefined start
// value); the warning points into the header, so it is silenced there only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#define POKUTAN_FUSED_WIDE 1
#endif

#include "raster/bilinear.h"
#include "raster/color_ops.h"
#include "raster/pixel_batch.h"
#include "raster/pixel_blend.h"

namespace platform::raster {

namespace {

FusedSpanMode g_mode = FusedSpanMode::Best;

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

template <FusedBlend kBlend, bool kTextured>
void RunSse2(const FusedSpanJob& j) {
    const Sse2Span span(j);
    if (j.depthRow == nullptr) {
        span.Run<kBlend, kTextured, false, false>();
    } else if (j.depthWrite) {
        span.Run<kBlend, kTextured, true, true>();
    } else {
        span.Run<kBlend, kTextured, true, false>();
    }
}

#endif

#if POKUTAN_FUSED_WIDE

// The AVX2 loop: eight pixels an iteration. Each register pairs pixel k with pixel k + 4 (one
// per 128-bit half), so that the final pack puts all eight back in order.
#define POKUTAN_AVX2 __attribute__((target("avx2")))
#define POKUTAN_AVX2_INLINE __attribute__((always_inline, target("avx2")))

POKUTAN_AVX2 inline __m256i OverLanes256(__m256i s, __m256i d) {
    const __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m256i inverse = _mm256_sub_epi16(_mm256_set1_epi16(255), alpha);
    __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(s, alpha), _mm256_mullo_epi16(d, inverse));
    x = _mm256_add_epi16(x, _mm256_set1_epi16(128));
    return _mm256_mulhi_epu16(x, _mm256_set1_epi16(257));
}

template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
POKUTAN_AVX2 void RunAvx2Loop(const FusedSpanJob& j) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i modulator =
        _mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(j.modulator)), zero);
    const __m256i textureForce =
        _mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(j.textureForce)), zero);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i uLanes = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(j.du));
    const __m256i vLanes = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(j.dv));
    __m256i u = uLanes, v = vLanes;
    const __m256i du = _mm256_set1_epi32(8 * j.du), dv = _mm256_set1_epi32(8 * j.dv);
    const __m256i pitch = _mm256_set1_epi32(j.pitch);
    const __m256i weightMask = _mm256_set1_epi32(0x7F80);
    const __m256i byteMask = _mm256_set1_epi32(0xFF);
    const __m256i alphaRef = _mm256_set1_epi32(static_cast<int>(j.alphaRef));
    const __m256i alphaOff = j.alphaTest ? zero : _mm256_set1_epi32(-1);
    const __m256i depth = _mm256_set1_epi32(static_cast<int>(j.depth));
    const __m256i depthWord = _mm256_set1_epi32(static_cast<int>(j.depth << 8));
    const __m256i force = _mm256_set1_epi32(static_cast<int>(j.targetForce));
    const __m256i flat = _mm256_set1_epi32(static_cast<int>(j.modulator));
    const uint32_t* const upper = j.texels;
    const uint32_t* const lower = j.texels + j.pitch;

    // One group of eight; a masked group reads and writes only the lanes in `valid` (its
    // texture reads stay inside, as the caller checked the whole group).
    auto group = [&](int i, bool masked, __m256i valid) POKUTAN_AVX2_INLINE {
        __m256i low = modulator, high = modulator, color = flat;
        if constexpr (kTextured) {
            const __m256i offset = _mm256_add_epi32(
                _mm256_madd_epi16(_mm256_srai_epi32(v, 16), pitch), _mm256_srai_epi32(u, 16));
            // Weights times 128 (the rounding multiply's scale), in both 16-bit halves.
            __m256i fx = _mm256_and_si256(_mm256_srli_epi32(u, 1), weightMask);
            __m256i fy = _mm256_and_si256(_mm256_srli_epi32(v, 1), weightMask);
            fx = _mm256_or_si256(fx, _mm256_slli_epi32(fx, 16));
            fy = _mm256_or_si256(fy, _mm256_slli_epi32(fy, 16));
            u = _mm256_add_epi32(u, du);
            v = _mm256_add_epi32(v, dv);
            alignas(32) uint32_t at[8];
            _mm256_store_si256(reinterpret_cast<__m256i*>(at), offset);

            auto pair = [&](const uint32_t* row, int k) POKUTAN_AVX2_INLINE {
                return _mm256_cvtepu8_epi16(_mm_castpd_si128(_mm_loadh_pd(
                    _mm_castsi128_pd(
                        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + at[k]))),
                    reinterpret_cast<const double*>(row + at[k + 4]))));
            };
            auto column = [&](int k, __m256i wy) POKUTAN_AVX2_INLINE {
                const __m256i a = pair(upper, k), b = pair(lower, k);
                return _mm256_add_epi16(a, _mm256_mulhrs_epi16(_mm256_sub_epi16(b, a), wy));
            };
            const __m256i c0 = column(0, _mm256_shuffle_epi32(fy, 0x00));
            const __m256i c1 = column(1, _mm256_shuffle_epi32(fy, 0x55));
            const __m256i c2 = column(2, _mm256_shuffle_epi32(fy, 0xAA));
            const __m256i c3 = column(3, _mm256_shuffle_epi32(fy, 0xFF));

            auto across = [&](__m256i a, __m256i b, __m256i wx) POKUTAN_AVX2_INLINE {
                const __m256i left = _mm256_unpacklo_epi64(a, b);
                const __m256i right = _mm256_unpackhi_epi64(a, b);
                __m256i texel =
                    _mm256_add_epi16(left, _mm256_mulhrs_epi16(_mm256_sub_epi16(right, left), wx));
                texel = _mm256_or_si256(texel, textureForce);
                // round(texel * modulator / 255) as (x + (x >> 8)) >> 8, which is
                // x * 257 >> 16.
                const __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(texel, modulator), half);
                return _mm256_mulhi_epu16(x, _mm256_set1_epi16(257));
            };
            low = across(c0, c1, _mm256_unpacklo_epi32(fx, fx));
            high = across(c2, c3, _mm256_unpackhi_epi32(fx, fx));
            color = _mm256_packus_epi16(low, high);
        }

        __m256i live =
            _mm256_or_si256(_mm256_cmpgt_epi32(_mm256_srli_epi32(color, 24), alphaRef), alphaOff);
        live = _mm256_and_si256(live, valid);
        if constexpr (kDepth) {
            int* row = reinterpret_cast<int*>(j.depthRow + i);
            const __m256i words = masked
                                      ? _mm256_maskload_epi32(row, valid)
                                      : _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row));
            live =
                _mm256_andnot_si256(_mm256_cmpgt_epi32(depth, _mm256_srli_epi32(words, 8)), live);
            if constexpr (kDepthWrite) {
                const __m256i written =
                    _mm256_or_si256(_mm256_and_si256(words, byteMask), depthWord);
                const __m256i out = _mm256_blendv_epi8(words, written, live);
                if (masked) {
                    _mm256_maskstore_epi32(row, valid, out);
                } else {
                    _mm256_storeu_si256(reinterpret_cast<__m256i*>(row), out);
                }
            }
        }
        int* target = reinterpret_cast<int*>(j.target + i);
        const __m256i dst = masked ? _mm256_maskload_epi32(target, valid)
                                   : _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target));
        const __m256i in = _mm256_or_si256(dst, force);
        __m256i result;
        if constexpr (kBlend == FusedBlend::Add) {
            result = _mm256_adds_epu8(color, in);
        } else {
            result = _mm256_packus_epi16(OverLanes256(low, _mm256_unpacklo_epi8(in, zero)),
                                         OverLanes256(high, _mm256_unpackhi_epi8(in, zero)));
        }
        const __m256i out = _mm256_blendv_epi8(dst, _mm256_or_si256(result, force), live);
        if (masked) {
            _mm256_maskstore_epi32(target, valid, out);
        } else {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), out);
        }
    };

    const __m256i all = _mm256_set1_epi32(-1);
    for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
        const int n = std::min(kBatchSize, j.count - first);
        const int32_t u0 = kTextured ? j.batchU[b] : 0, v0 = kTextured ? j.batchV[b] : 0;
        const int done = VectorCount<8, true, kTextured>(j, u0, v0, n);
        u = _mm256_add_epi32(_mm256_set1_epi32(u0 + 0x80), uLanes);
        v = _mm256_add_epi32(_mm256_set1_epi32(v0 + 0x80), vLanes);
        int i = 0;
        for (; i + 8 <= done; i += 8) {
            group(first + i, false, all);
        }
        if (i < done) {
            group(first + i, true, _mm256_cmpgt_epi32(_mm256_set1_epi32(done - i), lanes));
        }
        ShadeRest(j, u0, v0, first, done, n);
    }
}

template <FusedBlend kBlend, bool kTextured>
void RunAvx2(const FusedSpanJob& j) {
    if (j.depthRow == nullptr) {
        RunAvx2Loop<kBlend, kTextured, false, false>(j);
    } else if (j.depthWrite) {
        RunAvx2Loop<kBlend, kTextured, true, true>(j);
    } else {
        RunAvx2Loop<kBlend, kTextured, true, false>(j);
    }
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// The AVX-512 loop: sixteen pixels an iteration, each register holding pixels k, k + 4,
// k + 8 and k + 12 (one per 128-bit lane); the lane masks write only the live pixels.
#define POKUTAN_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx2")))
#define POKUTAN_AVX512_INLINE \
    __attribute__((always_inline, target("avx512f,avx512bw,avx512vl,avx2")))

POKUTAN_AVX512 inline __m512i OverLanes512(__m512i s, __m512i d) {
    const __m512i alpha = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m512i inverse = _mm512_sub_epi16(_mm512_set1_epi16(255), alpha);
    __m512i x = _mm512_add_epi16(_mm512_mullo_epi16(s, alpha), _mm512_mullo_epi16(d, inverse));
    x = _mm512_add_epi16(x, _mm512_set1_epi16(128));
    return _mm512_mulhi_epu16(x, _mm512_set1_epi16(257));
}

template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
POKUTAN_AVX512 void RunAvx512Loop(const FusedSpanJob& j) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i half = _mm512_set1_epi16(128);
    const __m512i modulator =
        _mm512_unpacklo_epi8(_mm512_set1_epi32(static_cast<int>(j.modulator)), zero);
    const __m512i textureForce =
        _mm512_unpacklo_epi8(_mm512_set1_epi32(static_cast<int>(j.textureForce)), zero);
    const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m512i uLanes = _mm512_mullo_epi32(lanes, _mm512_set1_epi32(j.du));
    const __m512i vLanes = _mm512_mullo_epi32(lanes, _mm512_set1_epi32(j.dv));
    __m512i u = uLanes, v = vLanes;
    const __m512i du = _mm512_set1_epi32(16 * j.du), dv = _mm512_set1_epi32(16 * j.dv);
    const __m512i pitch = _mm512_set1_epi32(j.pitch);
    const __m512i weightMask = _mm512_set1_epi32(0x7F80);
    const __m512i byteMask = _mm512_set1_epi32(0xFF);
    const __m512i alphaRef = _mm512_set1_epi32(static_cast<int>(j.alphaRef));
    const __mmask16 alphaOff = j.alphaTest ? 0 : 0xFFFF;
    const __m512i depthWord = _mm512_set1_epi32(static_cast<int>(j.depth << 8));
    const __m512i force = _mm512_set1_epi32(static_cast<int>(j.targetForce));
    const __m512i flat = _mm512_set1_epi32(static_cast<int>(j.modulator));
    const uint32_t* const upper = j.texels;
    const uint32_t* const lower = j.texels + j.pitch;

    auto group = [&](int i, __mmask16 valid) POKUTAN_AVX512_INLINE {
        __m512i low = modulator, high = modulator, color = flat;
        if constexpr (kTextured) {
            const __m512i offset = _mm512_add_epi32(
                _mm512_madd_epi16(_mm512_srai_epi32(v, 16), pitch), _mm512_srai_epi32(u, 16));
            __m512i fx = _mm512_and_si512(_mm512_srli_epi32(u, 1), weightMask);
            __m512i fy = _mm512_and_si512(_mm512_srli_epi32(v, 1), weightMask);
            // Into both 16-bit halves of each lane (word 0 to word 1, word 2 to word 3).
            fx = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(fx, 0xA0), 0xA0);
            fy = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(fy, 0xA0), 0xA0);
            u = _mm512_add_epi32(u, du);
            v = _mm512_add_epi32(v, dv);
            alignas(64) uint32_t at[16];
            _mm512_store_si512(at, offset);

            auto two = [&](const uint32_t* row, int a, int b) POKUTAN_AVX512_INLINE {
                return _mm_castpd_si128(_mm_loadh_pd(
                    _mm_castsi128_pd(
                        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + at[a]))),
                    reinterpret_cast<const double*>(row + at[b])));
            };
            auto four = [&](const uint32_t* row, int k) POKUTAN_AVX512_INLINE {
                return _mm512_cvtepu8_epi16(_mm256_inserti128_si256(
                    _mm256_castsi128_si256(two(row, k, k + 4)), two(row, k + 8, k + 12), 1));
            };
            auto column = [&](int k, __m512i wy) POKUTAN_AVX512_INLINE {
                const __m512i a = four(upper, k), b = four(lower, k);
                return _mm512_add_epi16(a, _mm512_mulhrs_epi16(_mm512_sub_epi16(b, a), wy));
            };
            const __m512i c0 = column(0, _mm512_shuffle_epi32(fy, _MM_PERM_AAAA));
            const __m512i c1 = column(1, _mm512_shuffle_epi32(fy, _MM_PERM_BBBB));
            const __m512i c2 = column(2, _mm512_shuffle_epi32(fy, _MM_PERM_CCCC));
            const __m512i c3 = column(3, _mm512_shuffle_epi32(fy, _MM_PERM_DDDD));

            auto across = [&](__m512i a, __m512i b, __m512i wx) POKUTAN_AVX512_INLINE {
                const __m512i left = _mm512_unpacklo_epi64(a, b);
                const __m512i right = _mm512_unpackhi_epi64(a, b);
                __m512i texel =
                    _mm512_add_epi16(left, _mm512_mulhrs_epi16(_mm512_sub_epi16(right, left), wx));
                texel = _mm512_or_si512(texel, textureForce);
                const __m512i x = _mm512_add_epi16(_mm512_mullo_epi16(texel, modulator), half);
                return _mm512_mulhi_epu16(x, _mm512_set1_epi16(257));
            };
            low = across(c0, c1, _mm512_unpacklo_epi32(fx, fx));
            high = across(c2, c3, _mm512_unpackhi_epi32(fx, fx));
            color = _mm512_packus_epi16(low, high);
        }

        __mmask16 live =
            (_mm512_cmpgt_epi32_mask(_mm512_srli_epi32(color, 24), alphaRef) | alphaOff) & valid;
        if constexpr (kDepth) {
            uint32_t* row = j.depthRow + i;
            const __m512i words = _mm512_maskz_loadu_epi32(valid, row);
            // depth <= word >> 8 exactly when depth << 8 <= word (the stencil byte below).
            live &= _mm512_cmpge_epu32_mask(words, depthWord);
            if constexpr (kDepthWrite) {
                _mm512_mask_storeu_epi32(
                    row, live, _mm512_or_si512(_mm512_and_si512(words, byteMask), depthWord));
            }
        }
        uint32_t* target = j.target + i;
        const __m512i in = _mm512_or_si512(_mm512_maskz_loadu_epi32(valid, target), force);
        __m512i result;
        if constexpr (kBlend == FusedBlend::Add) {
            result = _mm512_adds_epu8(color, in);
        } else {
            result = _mm512_packus_epi16(OverLanes512(low, _mm512_unpacklo_epi8(in, zero)),
                                         OverLanes512(high, _mm512_unpackhi_epi8(in, zero)));
        }
        _mm512_mask_storeu_epi32(target, live, _mm512_or_si512(result, force));
    };

    for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
        const int n = std::min(kBatchSize, j.count - first);
        const int32_t u0 = kTextured ? j.batchU[b] : 0, v0 = kTextured ? j.batchV[b] : 0;
        const int done = VectorCount<16, true, kTextured>(j, u0, v0, n);
        u = _mm512_add_epi32(_mm512_set1_epi32(u0 + 0x80), uLanes);
        v = _mm512_add_epi32(_mm512_set1_epi32(v0 + 0x80), vLanes);
        int i = 0;
        for (; i + 16 <= done; i += 16) {
            group(first + i, 0xFFFF);
        }
        if (i < done) {
            group(first + i, static_cast<__mmask16>((1u << (done - i)) - 1));
        }
        ShadeRest(j, u0, v0, first, done, n);
    }
}

template <FusedBlend kBlend, bool kTextured>
void RunAvx512(const FusedSpanJob& j) {
    if (j.depthRow == nullptr) {
        RunAvx512Loop<kBlend, kTextured, false, false>(j);
    } else if (j.depthWrite) {
        RunAvx512Loop<kBlend, kTextured, true, true>(j);
    } else {
        RunAvx512Loop<kBlend, kTextured, true, false>(j);
    }
}

bool HasAvx512() {
    static const bool has = __builtin_cpu_supports("avx512f") &&
                            __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vl");
    return has;
}

#endif

template <FusedBlend kBlend, bool kTextured>
void RunOf(const FusedSpanJob& j) {
#if POKUTAN_FUSED_WIDE
    if (g_mode == FusedSpanMode::Best && HasAvx512()) {
        RunAvx512<kBlend, kTextured>(j);
        return;
    }
    if ((g_mode == FusedSpanMode::Best || g_mode == FusedSpanMode::Avx2) && HasAvx2()) {
        RunAvx2<kBlend, kTextured>(j);
        return;
    }
#endif
#if defined(__SSE2__)
    RunSse2<kBlend, kTextured>(j);
#else
    for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
        const int n = std::min(kBatchSize, j.count - first);
        ShadeRest(j, kTextured ? j.batchU[b] : 0, kTextured ? j.batchV[b] : 0, first, 0, n);
    }
#endif
}

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
    setup.usable = g_mode != FusedSpanMode::Off && blendOk && clamped && depthOk && alphaOk &&
                   colorOk && alphaStageOk;
    return setup;
}

void RunFusedSpan(const FusedSpanJob& job) {
    const bool textured = job.texels != nullptr;
    if (job.blend == FusedBlend::Add) {
        textured ? RunOf<FusedBlend::Add, true>(job) : RunOf<FusedBlend::Add, false>(job);
    } else {
        textured ? RunOf<FusedBlend::Over, true>(job) : RunOf<FusedBlend::Over, false>(job);
    }
}

void SetFusedSpanMode(FusedSpanMode mode) {
    g_mode = mode;
}

}  // namespace platform::raster
