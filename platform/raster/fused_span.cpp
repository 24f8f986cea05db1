// The fused path's state checks and the choice of its loop: the vector loops of one Highway
// target (fused_span_loops.cpp), chosen once at start-up as the widest the processor runs, or
// none (every draw through the stages).
#include "raster/fused_span.h"

#include "raster/fused_span_loops.h"
#include "raster/vector_target.h"
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

struct ChosenLoops {
    bool fused = false;  // false: every draw goes through the stages
    const CompiledSpanLoops* loops = nullptr;
};

const CompiledSpanLoops* FindTarget(int64_t target) {
    for (const CompiledSpanLoops& compiled : SpanLoopsOfProcessor()) {
        if (compiled.target.target == target) {
            return &compiled;
        }
    }
    return nullptr;
}

const CompiledSpanLoops* BestTarget() {
    static const CompiledSpanLoops* const best = [] {
        const CompiledSpanLoops* chosen = FindTarget(ChosenVectorTarget());
        return chosen != nullptr ? chosen : &SpanLoopsOfProcessor().front();
    }();
    return best;
}

// The one place the loop is chosen; tests may choose another.
ChosenLoops g_chosen{true, BestTarget()};

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
        g_chosen.fused && blendOk && clamped && depthOk && alphaOk && colorOk && alphaStageOk;
    return setup;
}

void RunFusedSpan(const FusedSpanJob& job) {
    seam::Count(g_chosen.loops->target.counter);
    if (job.texels != nullptr && job.du == 0x10000 && job.dv == 0) {
        seam::Count("FusedSpan.OneToOne");  // the loops read such rows texel by texel
    }
    g_chosen.loops->loops.run[job.blend == FusedBlend::Over][job.texels != nullptr](job);
}

void SetFusedSpanMode(FusedSpanMode mode) {
    g_chosen = ChosenLoops{mode == FusedSpanMode::Best, BestTarget()};
}

std::vector<FusedSpanTarget> FusedSpanTargets() {
    std::vector<FusedSpanTarget> targets;
    for (const CompiledSpanLoops& compiled : SpanLoopsOfProcessor()) {
        targets.push_back(compiled.target);
    }
    return targets;
}

bool SetFusedSpanTarget(int64_t target) {
    const CompiledSpanLoops* found = FindTarget(target);
    if (found == nullptr) {
        return false;
    }
    g_chosen = ChosenLoops{true, found};
    return true;
}

FusedSpanTarget ChosenFusedSpanTarget() {
    return BestTarget()->target;
}

}  // namespace platform::raster
