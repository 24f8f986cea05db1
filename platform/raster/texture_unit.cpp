// Filter and mip level choice, and the sampling passes of a batch.
#include "raster/texture_unit.h"

#include <algorithm>
#include <cmath>

#include "raster/color_ops.h"

namespace platform::raster {

namespace {

bool IsLinear(TextureFilter filter) {
    return filter != TextureFilter::None && filter != TextureFilter::Point;
}

double Period(TextureAddress mode, double scale) {
    switch (mode) {
        case TextureAddress::Wrap:
            return scale;
        case TextureAddress::Mirror:
            return 2 * scale;
        default:
            return 0;
    }
}

}  // namespace

TextureUnit::TextureUnit(const Texture* texture, const SamplerState& state)
    : texture_(texture), state_(state) {
    if (texture_ == nullptr) {
        return;
    }
    point_ =
        SelectSampler(false, state.addressU, state.addressV, texture->width(), texture->height());
    linear_ =
        SelectSampler(true, state.addressU, state.addressV, texture->width(), texture->height());
    alphaForce_ = texture->format() == ColorFormat::X8R8G8B8 ? 0xFF000000u : 0u;
}

TextureUnit::Pass TextureUnit::MakePass(int level, bool bilinear) const {
    const ColorSurface& surface = texture_->level(level);
    Pass pass;
    pass.sample = bilinear ? linear_ : point_;
    pass.source = SampleSource{surface.data(),  surface.width(),    surface.height(),
                               surface.pitch(), state_.borderColor, &surface};
    pass.mapping.scaleU = surface.width() * 65536.0;
    pass.mapping.scaleV = surface.height() * 65536.0;
    pass.mapping.offset = bilinear ? 32768.0 : 0.0;
    pass.mapping.periodU = Period(state_.addressU, pass.mapping.scaleU);
    pass.mapping.periodV = Period(state_.addressV, pass.mapping.scaleV);
    return pass;
}

void TextureUnit::PrepareTriangle(const TriangleAttributes& triangle, double cx, double cy) {
    if (texture_ == nullptr) {
        return;
    }
    const int last = texture_->levelCount() - 1;
    const int base = std::clamp(state_.maxMipLevel, 0, last);
    const double rho = triangle.TexelsPerPixel(texture_->width(), texture_->height(), cx, cy);
    const double lod = rho > 0 ? std::log2(rho) : -1.0;
    passCount_ = 1;
    mipWeight_ = 0;
    if (!(lod > 0)) {
        passes_[0] = MakePass(base, IsLinear(state_.magFilter));
        return;
    }
    const bool bilinear = IsLinear(state_.minFilter);
    if (state_.mipFilter == TextureFilter::None) {
        passes_[0] = MakePass(base, bilinear);
        return;
    }
    if (!IsLinear(state_.mipFilter)) {
        const int nearest = static_cast<int>(std::floor(lod + 0.5));
        passes_[0] = MakePass(std::clamp(nearest, base, last), bilinear);
        return;
    }
    const double level = std::max(lod, static_cast<double>(base));
    const int first = std::min(static_cast<int>(level), last);
    const uint32_t weight = static_cast<uint32_t>(std::lround((level - first) * 256.0));
    passes_[0] = MakePass(first, bilinear);
    if (first < last && weight > 0) {
        passes_[1] = MakePass(first + 1, bilinear);
        passCount_ = 2;
        mipWeight_ = weight;
    }
}

bool TextureUnit::SingleBilinearLevel(SampleSource* source, TexelMapping* mapping) const {
    bool bilinear = false;
    return SingleLevel(source, mapping, &bilinear) && bilinear;
}

bool TextureUnit::SingleLevel(SampleSource* source, TexelMapping* mapping, bool* bilinear) const {
    if (texture_ == nullptr || passCount_ != 1) {
        return false;
    }
    *source = passes_[0].source;
    *mapping = passes_[0].mapping;
    *bilinear = passes_[0].sample == linear_;
    return true;
}

void TextureUnit::Sample(const TriangleAttributes& triangle, PixelBatch& batch) const {
    const Pass& first = passes_[0];
    first.sample(first.source, TexCoordsFor(triangle, first.mapping, batch), batch.texel,
                 batch.count);
    if (passCount_ == 2) {
        alignas(16) uint32_t second[kBatchSize];
        const Pass& next = passes_[1];
        next.sample(next.source, TexCoordsFor(triangle, next.mapping, batch), second, batch.count);
        LerpColors(batch.texel, second, batch.texel, batch.count, mipWeight_);
    }
    if (alphaForce_ != 0) {
        for (int i = 0, n = batch.count; i < n; ++i) {
            batch.texel[i] |= alphaForce_;
        }
    }
}

}  // namespace platform::raster
