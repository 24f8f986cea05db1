// The texture registry's tables and its part in the device-loss protocol.
#include "graphics/CTextureRegistry.h"

#include "graphics/CTexture.h"

CTextureRegistry::CTextureRegistry() = default;

CTextureRegistry::~CTextureRegistry() {
    textures.DeleteAll();
}

CTexture* CTextureRegistry::Load(std::string name) {
    return textures.FindOrAdd(
        name, [&] { return new CTexture(name); },
        [&] {
            widths[name] = 0;
            heights[name] = 0;
            renderTargets[name] = false;
            fromFile[name] = true;
        });
}

CTexture* CTextureRegistry::Create(int width, int height, std::string name) {
    return textures.FindOrAdd(
        name, [&] { return new CTexture(name, width, height); },
        [&] {
            widths[name] = width;
            heights[name] = height;
            renderTargets[name] = true;
            fromFile[name] = false;
        });
}

CTexture* CTextureRegistry::Get(std::string name) {
    return textures.Get(name);
}

void CTextureRegistry::OnLostDevice() {
    for (auto& [name, texture] : textures.entries) {
        if (!fromFile[name] && texture) {
            CTexture* doomed = texture;
            texture = nullptr;
            delete doomed;
        }
    }
}

void CTextureRegistry::OnResetDevice() {
    for (auto& [name, texture] : textures.entries) {
        // A restore without a release keeps the live object rather than leak it.
        if (renderTargets[name] && !texture) {
            texture = new CTexture(name, widths[name], heights[name]);
        }
    }
}
