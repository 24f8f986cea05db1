// Default values of the device's pipeline state.
#include "d3d9/device_state.h"

#include <cstring>

namespace platform::d3d9 {
namespace {

DWORD FloatBits(float value) {
    DWORD bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void SetRenderDefaults(DWORD* rs, bool autoDepthStencil) {
    rs[D3DRS_ZENABLE] = autoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
    rs[D3DRS_FILLMODE] = 3;   // solid
    rs[D3DRS_SHADEMODE] = 2;  // Gouraud
    rs[D3DRS_ZWRITEENABLE] = TRUE;
    rs[D3DRS_ALPHATESTENABLE] = FALSE;
    rs[D3DRS_LASTPIXEL] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAREF] = 0;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_DITHERENABLE] = FALSE;
    rs[D3DRS_ALPHABLENDENABLE] = FALSE;
    rs[D3DRS_FOGENABLE] = FALSE;
    rs[D3DRS_SPECULARENABLE] = FALSE;
    rs[D3DRS_STENCILENABLE] = FALSE;
    rs[D3DRS_STENCILFAIL] = 1;  // keep
    rs[D3DRS_STENCILZFAIL] = 1;
    rs[D3DRS_STENCILPASS] = 1;
    rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILREF] = 0;
    rs[D3DRS_STENCILMASK] = 0xFFFFFFFF;
    rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFF;
    rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFF;
    rs[D3DRS_CLIPPING] = TRUE;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_AMBIENT] = 0;
    rs[D3DRS_COLORVERTEX] = TRUE;
    rs[D3DRS_LOCALVIEWER] = TRUE;
    rs[D3DRS_NORMALIZENORMALS] = FALSE;
    rs[D3DRS_DIFFUSEMATERIALSOURCE] = 1;   // colour 1
    rs[D3DRS_SPECULARMATERIALSOURCE] = 2;  // colour 2
    rs[D3DRS_AMBIENTMATERIALSOURCE] = 0;   // material
    rs[D3DRS_EMISSIVEMATERIALSOURCE] = 0;
    rs[D3DRS_VERTEXBLEND] = 0;
    rs[D3DRS_CLIPPLANEENABLE] = 0;
    rs[D3DRS_COLORWRITEENABLE] = 0x0000000F;
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    rs[D3DRS_SCISSORTESTENABLE] = FALSE;
    rs[D3DRS_SEPARATEALPHABLENDENABLE] = FALSE;
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
    rs[37] = FloatBits(1.0f);  // fog end
    rs[38] = FloatBits(1.0f);  // fog density
}

void SetStageDefaults(DWORD (*stages)[kStageStateCount]) {
    for (int stage = 0; stage < kTextureStages; ++stage) {
        DWORD* ts = stages[stage];
        ts[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        ts[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        ts[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        ts[D3DTSS_TEXCOORDINDEX] = static_cast<DWORD>(stage);
        ts[D3DTSS_TEXTURETRANSFORMFLAGS] = 0;
    }
}

void SetSamplerDefaults(DWORD (*samplers)[kSamplerStateCount]) {
    for (int sampler = 0; sampler < kSamplers; ++sampler) {
        DWORD* ss = samplers[sampler];
        ss[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        ss[D3DSAMP_BORDERCOLOR] = 0;
        ss[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        ss[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        ss[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        ss[D3DSAMP_MIPMAPLODBIAS] = 0;
        ss[D3DSAMP_MAXMIPLEVEL] = 0;
        ss[D3DSAMP_MAXANISOTROPY] = 1;
    }
}

}  // namespace

D3DMATRIX IdentityMatrix() {
    D3DMATRIX matrix = {};
    matrix._11 = matrix._22 = matrix._33 = matrix._44 = 1.0f;
    return matrix;
}

void DeviceState::SetDefaults(bool autoDepthStencil) {
    std::memset(renderStates, 0, sizeof renderStates);
    std::memset(stageStates, 0, sizeof stageStates);
    std::memset(samplerStates, 0, sizeof samplerStates);
    SetRenderDefaults(renderStates, autoDepthStencil);
    SetStageDefaults(stageStates);
    SetSamplerDefaults(samplerStates);
    world = view = projection = IdentityMatrix();
    fvf = 0;
}

}  // namespace platform::d3d9
