// The software renderer: the rasteriser behind the renderer interface, the reference every
// picture is held to and the fallback. Draws wait in PendingDraws (a later clear may drop them
// unseen) and are rasterised in order when something needs their pixels; clears fill the
// surfaces in memory. Showing a frame is the backend's, handed in as a function.
#pragma once

#include <functional>

#include "raster/pending_draws.h"
#include "render/renderer.h"

namespace platform::raster {

class SoftwareRenderer final : public render::Renderer {
  public:
    // Shows 32-bit XRGB pixels in the target's window.
    using ShowPixels =
        std::function<void(const ColorSurface& pixels, const render::PresentTarget&)>;

    explicit SoftwareRenderer(ShowPixels show) : show(std::move(show)) {}

    const char* Name() const override { return "software"; }
    void Draw(const DrawState& state, PrimitiveType type, std::span<const ScreenVertex> vertices,
              size_t primitives) override;
    void Clear(const render::ClearRequest& request) override;
    void Finish() override { pending.Flush(); }
    // The pixels are the rasteriser's own: nothing to refresh or drop.
    void Changed(const ColorSurface&) override {}
    void Forget(const ColorSurface&) override { pending.Flush(); }
    void Forget(const DepthStencilSurface&) override { pending.Flush(); }
    void Present(const ColorSurface& shown, const render::PresentTarget& target) override;

  private:
    ShowPixels show;
    PendingDraws pending;
};

}  // namespace platform::raster
