// The device's pipeline state: render, texture-stage and sampler states with Direct3D 9's
// defaults, the three transforms and the vertex format. Kept as plain values; the draw call
// turns them into the rasteriser's state once per call.
#pragma once

#include "d3d9types.h"

namespace platform::d3d9 {

constexpr int kRenderStateCount = 256;
constexpr int kTextureStages = 8;
constexpr int kStageStateCount = 33;
constexpr int kSamplers = 16;
constexpr int kSamplerStateCount = 14;

struct DeviceState {
    DWORD renderStates[kRenderStateCount];
    DWORD stageStates[kTextureStages][kStageStateCount];
    DWORD samplerStates[kSamplers][kSamplerStateCount];
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATRIX projection;
    DWORD fvf = 0;

    // Direct3D 9's defaults; z-testing is on when the device has an automatic depth stencil.
    void SetDefaults(bool autoDepthStencil);

    // False for a state number the arrays do not hold.
    static bool ValidRenderState(DWORD state) { return state < kRenderStateCount; }
    static bool ValidStage(DWORD stage, DWORD state) {
        return stage < kTextureStages && state < kStageStateCount;
    }
    static bool ValidSampler(DWORD sampler, DWORD state) {
        return sampler < kSamplers && state < kSamplerStateCount;
    }
};

D3DMATRIX IdentityMatrix();

}  // namespace platform::d3d9
