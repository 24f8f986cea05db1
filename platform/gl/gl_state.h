// Direct3D 9's draw state in GL's terms: which draws may share one draw call, the blend, depth,
// cull and colour-mask state, the texture stage's uniforms, sampler objects, and where the
// back buffer lands in the window. Needs a current context, except SameDraw and PresentArea.
#pragma once

#include <epoxy/gl.h>

#include <map>
#include <tuple>

#include "raster/draw_state.h"

namespace platform::gl {

// True when a draw of `b` may join a draw call begun with `a`.
bool SameDraw(const raster::DrawState& a, const raster::DrawState& b);

// Depth test and write, alpha blending, culling and the colour write mask. `opaqueTarget`:
// an X8R8G8B8 target, whose alpha stays 0xFF.
void ApplyFixedFunction(const raster::DrawState& state, bool opaqueTarget);

struct DrawUniforms {
    float textureFactor[4];  // B, G, R, A
    int colorOp[3];          // op, arg1, arg2 as the draw shader reads them
    int alphaOp[3];
    int alphaFunc;  // 0: no alpha test
    int alphaRef;
};
DrawUniforms StageUniforms(const raster::DrawState& state);

// One GL sampler object per distinct sampler state.
class SamplerCache {
  public:
    GLuint For(const raster::SamplerState& state);
    GLuint Present();  // linear, clamped: the window's stretched copy
    void Clear();

  private:
    std::map<std::tuple<int, int, int, int, int>, GLuint> samplers;
};

// The rectangle of a width x height window (rows from the top) that shows a picture of the
// given size: all of it, or the largest centred rectangle of the picture's shape.
raster::Rect PresentArea(int width, int height, int pictureWidth, int pictureHeight,
                         bool keepAspect);

}  // namespace platform::gl
