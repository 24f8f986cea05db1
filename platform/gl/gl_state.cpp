// Direct3D 9's draw state mapped onto GL's. Channels are in the layer's byte order (B, G, R, A),
// so the colour mask and the texture factor swap red and blue.
#include "gl/gl_state.h"

#include <algorithm>
#include <cstdint>

namespace platform::gl {
namespace {

GLenum Factor(raster::Blend blend) {
    switch (blend) {
        case raster::Blend::One:
            return GL_ONE;
        case raster::Blend::SrcColor:
            return GL_SRC_COLOR;
        case raster::Blend::InvSrcColor:
            return GL_ONE_MINUS_SRC_COLOR;
        case raster::Blend::SrcAlpha:
            return GL_SRC_ALPHA;
        case raster::Blend::InvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case raster::Blend::DestAlpha:
            return GL_DST_ALPHA;
        case raster::Blend::InvDestAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
        case raster::Blend::DestColor:
            return GL_DST_COLOR;
        case raster::Blend::InvDestColor:
            return GL_ONE_MINUS_DST_COLOR;
        case raster::Blend::SrcAlphaSat:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ZERO;
    }
}

GLenum Equation(raster::BlendOp op) {
    switch (op) {
        case raster::BlendOp::Subtract:
            return GL_FUNC_SUBTRACT;
        case raster::BlendOp::RevSubtract:
            return GL_FUNC_REVERSE_SUBTRACT;
        case raster::BlendOp::Min:
            return GL_MIN;
        case raster::BlendOp::Max:
            return GL_MAX;
        default:
            return GL_FUNC_ADD;
    }
}

GLenum Compare(raster::CmpFunc func) {
    switch (func) {
        case raster::CmpFunc::Never:
            return GL_NEVER;
        case raster::CmpFunc::Less:
            return GL_LESS;
        case raster::CmpFunc::Equal:
            return GL_EQUAL;
        case raster::CmpFunc::LessEqual:
            return GL_LEQUAL;
        case raster::CmpFunc::Greater:
            return GL_GREATER;
        case raster::CmpFunc::NotEqual:
            return GL_NOTEQUAL;
        case raster::CmpFunc::GreaterEqual:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLint Address(raster::TextureAddress address) {
    switch (address) {
        case raster::TextureAddress::Wrap:
            return GL_REPEAT;
        case raster::TextureAddress::Mirror:
            return GL_MIRRORED_REPEAT;
        default:
            return GL_CLAMP_TO_EDGE;  // no border colour in ES 3.0: clamped, as MirrorOnce
    }
}

bool Linear(raster::TextureFilter filter) {
    return filter != raster::TextureFilter::None && filter != raster::TextureFilter::Point;
}

GLint MinFilter(const raster::SamplerState& state) {
    const bool linear = Linear(state.minFilter);
    switch (state.mipFilter) {
        case raster::TextureFilter::None:
            return linear ? GL_LINEAR : GL_NEAREST;
        case raster::TextureFilter::Point:
            return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        default:
            return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    }
}

bool KnownOp(raster::TextureOp op) {
    switch (op) {
        case raster::TextureOp::SelectArg1:
        case raster::TextureOp::SelectArg2:
        case raster::TextureOp::Modulate:
        case raster::TextureOp::Modulate2x:
        case raster::TextureOp::Modulate4x:
        case raster::TextureOp::Add:
        case raster::TextureOp::AddSigned:
        case raster::TextureOp::Subtract:
            return true;
        default:
            return false;
    }
}

bool SameRender(const raster::RenderState& a, const raster::RenderState& b) {
    return a.zEnable == b.zEnable && a.zWriteEnable == b.zWriteEnable && a.zFunc == b.zFunc &&
           a.alphaTestEnable == b.alphaTestEnable && a.alphaFunc == b.alphaFunc &&
           a.alphaRef == b.alphaRef && a.alphaBlendEnable == b.alphaBlendEnable &&
           a.srcBlend == b.srcBlend && a.destBlend == b.destBlend && a.blendOp == b.blendOp &&
           a.cullMode == b.cullMode && a.colorWriteEnable == b.colorWriteEnable &&
           a.textureFactor == b.textureFactor;
}

}  // namespace

bool SameDraw(const raster::DrawState& a, const raster::DrawState& b) {
    const raster::Viewport& v = a.viewport;
    const raster::Viewport& w = b.viewport;
    const raster::TextureStage& s = a.stage;
    const raster::TextureStage& t = b.stage;
    const raster::SamplerState& p = a.sampler;
    const raster::SamplerState& q = b.sampler;
    return a.target == b.target && a.depthStencil == b.depthStencil && a.texture == b.texture &&
           v.x == w.x && v.y == w.y && v.width == w.width && v.height == w.height &&
           v.minZ == w.minZ && v.maxZ == w.maxZ && SameRender(a.render, b.render) &&
           s.colorOp == t.colorOp && s.colorArg1 == t.colorArg1 && s.colorArg2 == t.colorArg2 &&
           s.alphaOp == t.alphaOp && s.alphaArg1 == t.alphaArg1 && s.alphaArg2 == t.alphaArg2 &&
           p.magFilter == q.magFilter && p.minFilter == q.minFilter && p.mipFilter == q.mipFilter &&
           p.addressU == q.addressU && p.addressV == q.addressV && p.maxMipLevel == q.maxMipLevel;
}

void ApplyFixedFunction(const raster::DrawState& state, bool opaqueTarget) {
    const raster::RenderState& r = state.render;
    if (state.depthStencil && r.zEnable) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(Compare(r.zFunc));
        glDepthMask(r.zWriteEnable ? GL_TRUE : GL_FALSE);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    if (r.alphaBlendEnable) {
        glEnable(GL_BLEND);
        glBlendFunc(Factor(r.srcBlend), Factor(r.destBlend));
        glBlendEquation(Equation(r.blendOp));
    } else {
        glDisable(GL_BLEND);
    }
    // Direct3D's clockwise (y down) is GL's counter-clockwise on the same numbers (y up).
    if (r.cullMode == raster::Cull::CCW || r.cullMode == raster::Cull::CW) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(r.cullMode == raster::Cull::CCW ? GL_BACK : GL_FRONT);
    } else {
        glDisable(GL_CULL_FACE);
    }
    const uint32_t mask = r.colorWriteEnable;
    glColorMask((mask & 4) ? GL_TRUE : GL_FALSE, (mask & 2) ? GL_TRUE : GL_FALSE,
                (mask & 1) ? GL_TRUE : GL_FALSE,
                ((mask & 8) && !opaqueTarget) ? GL_TRUE : GL_FALSE);
}

DrawUniforms StageUniforms(const raster::DrawState& state) {
    DrawUniforms uniforms = {};
    const uint32_t factor = state.render.textureFactor;
    for (int i = 0; i < 4; ++i) {
        uniforms.textureFactor[i] = static_cast<float>((factor >> (8 * i)) & 0xFF) / 255.0f;
    }
    const raster::TextureStage& stage = state.stage;
    // A disabled or unknown stage 0 passes the diffuse colour.
    const bool disabled = !KnownOp(stage.colorOp);
    const int pass[3] = {2, 0, 0};
    auto set = [&](int* out, raster::TextureOp op, uint32_t arg1, uint32_t arg2) {
        out[0] = static_cast<int>(op);
        out[1] = static_cast<int>(arg1);
        out[2] = static_cast<int>(arg2);
    };
    if (disabled) {
        std::copy(pass, pass + 3, uniforms.colorOp);
    } else {
        set(uniforms.colorOp, stage.colorOp, stage.colorArg1, stage.colorArg2);
    }
    if (disabled || !KnownOp(stage.alphaOp)) {
        std::copy(pass, pass + 3, uniforms.alphaOp);
    } else {
        set(uniforms.alphaOp, stage.alphaOp, stage.alphaArg1, stage.alphaArg2);
    }
    uniforms.alphaFunc =
        state.render.alphaTestEnable ? static_cast<int>(state.render.alphaFunc) : 0;
    if (uniforms.alphaFunc < 1 || uniforms.alphaFunc > 8) {
        uniforms.alphaFunc = state.render.alphaTestEnable ? 8 : 0;
    }
    uniforms.alphaRef = state.render.alphaRef;
    return uniforms;
}

GLuint SamplerCache::For(const raster::SamplerState& state) {
    const GLint mag = Linear(state.magFilter) ? GL_LINEAR : GL_NEAREST;
    const GLint min = MinFilter(state);
    const GLint u = Address(state.addressU);
    const GLint v = Address(state.addressV);
    GLuint& sampler = samplers[{mag, min, u, v, 0}];
    if (!sampler) {
        glGenSamplers(1, &sampler);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, mag);
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, min);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, u);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, v);
    }
    return sampler;
}

GLuint SamplerCache::Present() {
    raster::SamplerState linear;
    linear.magFilter = linear.minFilter = raster::TextureFilter::Linear;
    linear.addressU = linear.addressV = raster::TextureAddress::Clamp;
    return For(linear);
}

void SamplerCache::Clear() {
    for (auto& [key, sampler] : samplers) {
        glDeleteSamplers(1, &sampler);
    }
    samplers.clear();
}

raster::Rect PresentArea(int width, int height, int pictureWidth, int pictureHeight,
                         bool keepAspect) {
    raster::Rect area{0, 0, width, height};
    if (!keepAspect || pictureWidth <= 0 || pictureHeight <= 0) {
        return area;
    }
    if (int64_t{width} * pictureHeight > int64_t{height} * pictureWidth) {
        const int w = static_cast<int>(int64_t{height} * pictureWidth / pictureHeight);
        area.left = (width - w) / 2;
        area.right = area.left + w;
    } else {
        const int h = static_cast<int>(int64_t{width} * pictureHeight / pictureWidth);
        area.top = (height - h) / 2;
        area.bottom = area.top + h;
    }
    return area;
}

}  // namespace platform::gl
