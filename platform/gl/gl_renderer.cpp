// The GL renderer: surfaces as GL textures, framebuffers per target and depth stencil, batched
// draws with Direct3D 9's state mapped onto GL's, clears by rectangle, read-back into the
// layer's copies, and the back buffer drawn into the window.
#include "gl/gl_renderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "gl/gl_state.h"
#include "gl/shaders.h"
#include "raster/clear.h"
#include "seam/hooks.h"

namespace platform::gl {
namespace {

GlCounters lastCounters;

bool IsSoftwareDriver(const std::string& name) {
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (name.find(software) != std::string::npos) {
            return true;
        }
    }
    return false;
}

GLuint Compile(GLenum kind, const std::string& text, std::string* why) {
    GLuint shader = glCreateShader(kind);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE || seam::ShouldFail(seam::Failure::GlShader)) {
        char log[512] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        *why = std::string("a shader did not compile: ") + log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint Link(const std::string& version, const char* vertex, const char* fragment,
            std::string* why) {
    GLuint vs = Compile(GL_VERTEX_SHADER, version + vertex, why);
    GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, version + fragment, why) : 0;
    if (!fs) {
        glDeleteShader(vs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        *why = "the shaders did not link";
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

// Triangle i of a strip keeps the first one's winding, as in Direct3D.
void AppendTriangles(raster::PrimitiveType type, std::span<const raster::ScreenVertex> in,
                     size_t primitives, std::vector<raster::ScreenVertex>& out) {
    for (size_t i = 0; i < primitives; ++i) {
        size_t a = 0, b = 0, c = 0;
        switch (type) {
            case raster::PrimitiveType::TriangleList:
                a = 3 * i, b = a + 1, c = a + 2;
                break;
            case raster::PrimitiveType::TriangleStrip:
                a = (i % 2 == 0) ? i : i + 1, b = (i % 2 == 0) ? i + 1 : i, c = i + 2;
                break;
            case raster::PrimitiveType::TriangleFan:
                a = 0, b = i + 1, c = i + 2;
                break;
        }
        if (c >= in.size()) {
            return;
        }
        out.push_back(in[a]);
        out.push_back(in[b]);
        out.push_back(in[c]);
    }
}

}  // namespace

class GlRenderer final : public render::Renderer {
  public:
    GlRenderer(sdl::GlContext context) : context(context) {}
    ~GlRenderer() override;
    bool Start(std::string* why);

    const char* Name() const override { return "gl"; }
    void Draw(const raster::DrawState& state, raster::PrimitiveType type,
              std::span<const raster::ScreenVertex> vertices, size_t primitives) override;
    void Clear(const render::ClearRequest& request) override;
    void Finish() override;
    void Changed(const raster::ColorSurface& surface) override;
    void Forget(const raster::ColorSurface& surface) override;
    void Forget(const raster::DepthStencilSurface& surface) override;
    void Present(const raster::ColorSurface& shown, const render::PresentTarget& target) override;

  private:
    struct SurfaceEntry {
        raster::ColorSurface* pixels = nullptr;
        GLuint texture = 0;
        int level = 0;
        bool owner = false;        // deletes the GL texture when forgotten
        bool gpuNewer = false;     // drawn into since the last read-back
        bool memoryNewer = false;  // written in memory since the last upload
    };

    SurfaceEntry& Entry(raster::ColorSurface* surface);
    GLuint TextureOf(const raster::Texture& texture);
    void Upload(SurfaceEntry& entry);
    GLuint Framebuffer(raster::ColorSurface* target, raster::DepthStencilSurface* depth);
    GLuint DepthBuffer(raster::DepthStencilSurface* depth);
    void DropFramebuffers(const void* surface);
    void FlushBatch();
    // False when the state's program does not build (the draw is left out).
    bool ApplyState(const raster::DrawState& state);
    void ReadBack(SurfaceEntry& entry);

    sdl::GlContext context;
    struct DrawProgram {
        GLuint program = 0;
        GLint targetSize = -1, stageTexture = -1, textureFactor = -1, alphaRef = -1;
    };
    using ProgramKey = std::array<int, 8>;
    // The draw program of a stage and alpha test; null when it does not build.
    const DrawProgram* ProgramFor(const DrawUniforms& values, bool hasTexture, std::string* why);

    std::string version;
    std::map<ProgramKey, DrawProgram> drawPrograms;
    GLuint presentProgram = 0, vertexArray = 0, vertexBuffer = 0;
    GLuint emptyArray = 0;
    GLint presentFrame = -1;
    std::map<const raster::ColorSurface*, SurfaceEntry> surfaces;
    std::map<const raster::DepthStencilSurface*, GLuint> depthBuffers;
    std::map<std::pair<const void*, const void*>, GLuint> framebuffers;
    SamplerCache samplers;
    bool batching = false;
    raster::DrawState batchState;
    std::vector<raster::ScreenVertex> batch;
};

GlRenderer::~GlRenderer() {
    if (sdl::MakeGlCurrent(context)) {
        for (auto& [surface, entry] : surfaces) {
            if (entry.owner) {
                glDeleteTextures(1, &entry.texture);
            }
        }
        for (auto& [depth, buffer] : depthBuffers) {
            glDeleteRenderbuffers(1, &buffer);
        }
        for (auto& [key, framebuffer] : framebuffers) {
            glDeleteFramebuffers(1, &framebuffer);
        }
        samplers.Clear();
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteVertexArrays(1, &emptyArray);
        for (auto& [key, program] : drawPrograms) {
            glDeleteProgram(program.program);
        }
        glDeleteProgram(presentProgram);
    }
    sdl::DestroyGlContext(context);
}

bool GlRenderer::Start(std::string* why) {
    version = context.es ? "#version 300 es\n" : "#version 330 core\n";
    // The sprites' program (texture times diffuse, alpha test) proves the draw shader builds.
    raster::DrawState sprite;
    sprite.stage.colorOp = sprite.stage.alphaOp = raster::TextureOp::Modulate;
    sprite.render.alphaTestEnable = true;
    sprite.render.alphaFunc = raster::CmpFunc::Greater;
    if (!ProgramFor(StageUniforms(sprite), true, why)) {
        return false;
    }
    presentProgram = Link(version, kPresentVertexShader, kPresentFragmentShader, why);
    if (!presentProgram) {
        return false;
    }
    presentFrame = glGetUniformLocation(presentProgram, "frame");
    glGenVertexArrays(1, &vertexArray);
    glGenVertexArrays(1, &emptyArray);
    glGenBuffers(1, &vertexBuffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    const GLsizei stride = sizeof(raster::ScreenVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(raster::ScreenVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(raster::ScreenVertex, diffuse)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(raster::ScreenVertex, u)));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    if (glGetError() != GL_NO_ERROR) {
        *why = "the GL set-up reported an error";
        return false;
    }
    return true;
}

const GlRenderer::DrawProgram* GlRenderer::ProgramFor(const DrawUniforms& values, bool hasTexture,
                                                      std::string* why) {
    const ProgramKey key = {values.colorOp[0], values.colorOp[1], values.colorOp[2],
                            values.alphaOp[0], values.alphaOp[1], values.alphaOp[2],
                            values.alphaFunc,  hasTexture ? 1 : 0};
    auto found = drawPrograms.find(key);
    if (found != drawPrograms.end()) {
        return found->second.program ? &found->second : nullptr;
    }
    const std::string defines =
        "#define HAS_TEXTURE " + std::string(hasTexture ? "true" : "false") +
        "\n#define COLOR_OP " + std::to_string(key[0]) + ", " + std::to_string(key[1]) + ", " +
        std::to_string(key[2]) + "\n#define ALPHA_OP " + std::to_string(key[3]) + ", " +
        std::to_string(key[4]) + ", " + std::to_string(key[5]) + "\n#define ALPHA_FUNC " +
        std::to_string(key[6]) + "\n";
    DrawProgram& made = drawPrograms[key];
    made.program = Link(version, kDrawVertexShader, (defines + kDrawFragmentShader).c_str(), why);
    if (!made.program) {
        return nullptr;
    }
    made.targetSize = glGetUniformLocation(made.program, "targetSize");
    made.stageTexture = glGetUniformLocation(made.program, "stageTexture");
    made.textureFactor = glGetUniformLocation(made.program, "textureFactor");
    made.alphaRef = glGetUniformLocation(made.program, "alphaRef");
    return &made;
}

GlRenderer::SurfaceEntry& GlRenderer::Entry(raster::ColorSurface* surface) {
    auto found = surfaces.find(surface);
    if (found != surfaces.end()) {
        return found->second;
    }
    // A surface of its own (the back buffer, or a render target not yet sampled): one level.
    SurfaceEntry& entry = surfaces[surface];
    entry.pixels = surface;
    entry.owner = true;
    glGenTextures(1, &entry.texture);
    glBindTexture(GL_TEXTURE_2D, entry.texture);
    glTexStorage2D(GL_TEXTURE_2D, 1, GL_RGBA8, surface->width(), surface->height());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    entry.memoryNewer = true;
    return entry;
}

GLuint GlRenderer::TextureOf(const raster::Texture& texture) {
    auto* level0 = const_cast<raster::ColorSurface*>(&texture.level(0));
    auto found = surfaces.find(level0);
    if (found == surfaces.end()) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexStorage2D(GL_TEXTURE_2D, texture.levelCount(), GL_RGBA8, level0->width(),
                       level0->height());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, texture.levelCount() - 1);
        for (int level = 0; level < texture.levelCount(); ++level) {
            auto* pixels = const_cast<raster::ColorSurface*>(&texture.level(level));
            SurfaceEntry& entry = surfaces[pixels];
            entry = SurfaceEntry{pixels, name, level, level == 0, false, true};
        }
    }
    for (int level = 0; level < texture.levelCount(); ++level) {
        auto it = surfaces.find(&texture.level(level));
        if (it != surfaces.end() && it->second.memoryNewer) {
            Upload(it->second);
        }
    }
    return surfaces[level0].texture;
}

void GlRenderer::Upload(SurfaceEntry& entry) {
    glBindTexture(GL_TEXTURE_2D, entry.texture);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, entry.pixels->pitch());
    glTexSubImage2D(GL_TEXTURE_2D, entry.level, 0, 0, entry.pixels->width(), entry.pixels->height(),
                    GL_RGBA, GL_UNSIGNED_BYTE, entry.pixels->data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    entry.memoryNewer = false;
    ++lastCounters.textureUploads;
}

GLuint GlRenderer::DepthBuffer(raster::DepthStencilSurface* depth) {
    GLuint& buffer = depthBuffers[depth];
    if (!buffer) {
        glGenRenderbuffers(1, &buffer);
        glBindRenderbuffer(GL_RENDERBUFFER, buffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, depth->width(),
                              depth->height());
    }
    return buffer;
}

GLuint GlRenderer::Framebuffer(raster::ColorSurface* target, raster::DepthStencilSurface* depth) {
    GLuint& framebuffer = framebuffers[{target, depth}];
    if (framebuffer) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        return framebuffer;
    }
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (target) {
        SurfaceEntry& entry = Entry(target);
        if (entry.memoryNewer) {
            Upload(entry);
        }
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, entry.texture,
                               entry.level);
    }
    if (depth) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  DepthBuffer(depth));
    }
    return framebuffer;
}

void GlRenderer::DropFramebuffers(const void* surface) {
    for (auto it = framebuffers.begin(); it != framebuffers.end();) {
        if (it->first.first == surface || it->first.second == surface) {
            glDeleteFramebuffers(1, &it->second);
            it = framebuffers.erase(it);
        } else {
            ++it;
        }
    }
}

void GlRenderer::Draw(const raster::DrawState& state, raster::PrimitiveType type,
                      std::span<const raster::ScreenVertex> vertices, size_t primitives) {
    if (!state.target || state.viewport.width <= 0 || state.viewport.height <= 0) {
        return;
    }
    if (batching && !SameDraw(batchState, state)) {
        FlushBatch();
    }
    if (!batching) {
        batchState = state;
        batchState.hidden = nullptr;
        batching = true;
    }
    AppendTriangles(type, vertices, primitives, batch);
}

void GlRenderer::FlushBatch() {
    if (!batching) {
        return;
    }
    batching = false;
    if (batch.empty()) {
        return;
    }
    if (!sdl::MakeGlCurrent(context)) {
        batch.clear();  // the window and its context are gone: nothing can be drawn
        return;
    }
    Framebuffer(batchState.target, batchState.depthStencil);
    if (!ApplyState(batchState)) {
        batch.clear();
        return;
    }
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(batch.size() * sizeof(raster::ScreenVertex)), batch.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch.size()));
    ++lastCounters.drawCalls;
    Entry(batchState.target).gpuNewer = true;
    batch.clear();
}

bool GlRenderer::ApplyState(const raster::DrawState& state) {
    const raster::ColorSurface& target = *state.target;
    const DrawUniforms values = StageUniforms(state);
    std::string why;
    const DrawProgram* program = ProgramFor(values, state.texture != nullptr, &why);
    if (!program) {
        return false;
    }
    glUseProgram(program->program);
    glViewport(0, 0, target.width(), target.height());
    glUniform2f(program->targetSize, static_cast<float>(target.width()),
                static_cast<float>(target.height()));
    glEnable(GL_SCISSOR_TEST);
    glScissor(state.viewport.x, state.viewport.y, state.viewport.width, state.viewport.height);
    ApplyFixedFunction(state, target.format() == raster::ColorFormat::X8R8G8B8);
    glUniform4fv(program->textureFactor, 1, values.textureFactor);
    glUniform1i(program->alphaRef, values.alphaRef);
    glUniform1i(program->stageTexture, 0);
    glActiveTexture(GL_TEXTURE0);
    if (state.texture) {
        glBindTexture(GL_TEXTURE_2D, TextureOf(*state.texture));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL,
                        std::min(state.sampler.maxMipLevel, state.texture->levelCount() - 1));
        glBindSampler(0, samplers.For(state.sampler));
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
        glBindSampler(0, 0);
    }
    return true;
}

void GlRenderer::Clear(const render::ClearRequest& request) {
    FlushBatch();
    if ((!request.target && !request.depthStencil) || !sdl::MakeGlCurrent(context)) {
        return;
    }
    Framebuffer(request.target, request.depthStencil);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glEnable(GL_SCISSOR_TEST);
    const bool opaque = request.target && request.target->format() == raster::ColorFormat::X8R8G8B8;
    const GLfloat color[4] = {static_cast<float>(request.color & 0xFF) / 255.0f,
                              static_cast<float>((request.color >> 8) & 0xFF) / 255.0f,
                              static_cast<float>((request.color >> 16) & 0xFF) / 255.0f,
                              opaque ? 1.0f : static_cast<float>(request.color >> 24) / 255.0f};
    const GLfloat depth = std::clamp(request.z, 0.0f, 1.0f);
    const GLint stencil = request.stencil;
    std::vector<raster::Rect> pieces = request.rects;
    if (pieces.empty()) {
        pieces.push_back(request.clip);
    }
    for (const raster::Rect& piece : pieces) {
        raster::Rect area = raster::Intersect(piece, request.clip);
        if (area.right <= area.left || area.bottom <= area.top) {
            continue;
        }
        glScissor(area.left, area.top, area.right - area.left, area.bottom - area.top);
        if (request.target) {
            glClearBufferfv(GL_COLOR, 0, color);
        }
        if (request.clearDepth && request.clearStencil) {
            glClearBufferfi(GL_DEPTH_STENCIL, 0, depth, stencil);
        } else if (request.clearDepth) {
            glClearBufferfv(GL_DEPTH, 0, &depth);
        } else if (request.clearStencil) {
            glClearBufferiv(GL_STENCIL, 0, &stencil);
        }
    }
    if (request.target) {
        Entry(request.target).gpuNewer = true;
    }
}

void GlRenderer::ReadBack(SurfaceEntry& entry) {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, entry.texture,
                           entry.level);
    glPixelStorei(GL_PACK_ROW_LENGTH, entry.pixels->pitch());
    glReadPixels(0, 0, entry.pixels->width(), entry.pixels->height(), GL_RGBA, GL_UNSIGNED_BYTE,
                 entry.pixels->data());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    entry.gpuNewer = false;
}

void GlRenderer::Finish() {
    FlushBatch();
    if (!sdl::MakeGlCurrent(context)) {
        return;
    }
    for (auto& [surface, entry] : surfaces) {
        if (entry.gpuNewer) {
            ReadBack(entry);
        }
    }
}

void GlRenderer::Changed(const raster::ColorSurface& surface) {
    auto found = surfaces.find(&surface);
    if (found != surfaces.end()) {
        found->second.memoryNewer = true;
    }
}

void GlRenderer::Forget(const raster::ColorSurface& surface) {
    FlushBatch();
    auto found = surfaces.find(&surface);
    if (found == surfaces.end()) {
        return;
    }
    if (sdl::MakeGlCurrent(context)) {
        DropFramebuffers(&surface);
        if (found->second.owner) {
            glDeleteTextures(1, &found->second.texture);
        }
    }
    surfaces.erase(found);
}

void GlRenderer::Forget(const raster::DepthStencilSurface& surface) {
    FlushBatch();
    auto found = depthBuffers.find(&surface);
    if (found == depthBuffers.end()) {
        return;
    }
    if (sdl::MakeGlCurrent(context)) {
        DropFramebuffers(&surface);
        glDeleteRenderbuffers(1, &found->second);
    }
    depthBuffers.erase(found);
}

void GlRenderer::Present(const raster::ColorSurface& shown, const render::PresentTarget& target) {
    FlushBatch();
    if (!sdl::MakeGlCurrent(context)) {
        return;
    }
    SurfaceEntry& entry = Entry(const_cast<raster::ColorSurface*>(&shown));
    if (entry.memoryNewer) {
        Upload(entry);
    }
    int width = 0, height = 0;
    sdl::GlDrawableSize(context, &width, &height);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const raster::Rect area =
        PresentArea(width, height, shown.width(), shown.height(), target.keepAspect);
    glViewport(area.left, height - area.bottom, area.right - area.left, area.bottom - area.top);
    glUseProgram(presentProgram);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, entry.texture);
    glBindSampler(0, samplers.Present());
    glUniform1i(presentFrame, 0);
    glBindVertexArray(emptyArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    sdl::SwapGlWindow(context);
    ++lastCounters.presents;
}

std::unique_ptr<render::Renderer> MakeGlRenderer(sdl::GlContext context, std::string* why,
                                                 std::string* driver, bool* hardware) {
    lastCounters = GlCounters{};
    auto renderer = std::make_unique<GlRenderer>(context);
    const GLubyte* name = glGetString(GL_RENDERER);
    *driver = name ? reinterpret_cast<const char*>(name) : "unknown";
    *hardware = !IsSoftwareDriver(*driver);
    if (!renderer->Start(why)) {
        return nullptr;
    }
    return renderer;
}

GlCounters Counters() {
    return lastCounters;
}

}  // namespace platform::gl
