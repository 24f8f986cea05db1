// Writes the Resource/ tree. Files are written whole every time (the build runs this only when
// the generator changed); folders are only created, never emptied.
#include "tools/resource_tree.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "tools/background.h"
#include "tools/image_atlas.h"
#include "tools/png_writer.h"
#include "tools/sounds.h"
#include "tools/sprite_font_sheet.h"
#include "tools/wav_writer.h"

namespace assets {

namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {"Resource/Texture", "Resource/Sound",  "Resource/Binary",
                                "Resource/Model",   "Resource/Effect", "Resource/Shader",
                                "Resource/Font"};

struct Texture {
    const char* path;
    std::function<Picture()> draw;
    PngChannels channels;
};

struct Sound {
    const char* path;
    Signal (*compose)();
};

std::vector<Texture> Textures() {
    return {
        {"Resource/Texture/SpriteFont_16_16.png", [] { return SpriteFontSheet(16); },
         PngChannels::kRgb},
        {"Resource/Texture/SpriteFont_32_32.png", [] { return SpriteFontSheet(32); },
         PngChannels::kRgb},
        {"Resource/Texture/SpriteFont_64_64.png", [] { return SpriteFontSheet(64); },
         PngChannels::kRgb},
        {"Resource/Texture/Image.png", ImageAtlas, PngChannels::kRgb},
        {"Resource/Texture/Background.png", BackgroundPattern, PngChannels::kGrey},
    };
}

const Sound kSounds[] = {
    {"Resource/Sound/BGMGame.wav", GameMusic},     {"Resource/Sound/BGMScene.wav", SceneMusic},
    {"Resource/Sound/Rhythm01.wav", StepSoundLow}, {"Resource/Sound/Rhythm02.wav", StepSoundHigh},
    {"Resource/Sound/Rhythm03.wav", WallBump},     {"Resource/Sound/Rhythm04.wav", GoalFanfare},
    {"Resource/Sound/Scene.wav", DecisionJingle},
};

}  // namespace

std::vector<std::string> GeneratedFiles() {
    std::vector<std::string> paths;
    for (const Texture& texture : Textures()) {
        paths.emplace_back(texture.path);
    }
    for (const Sound& sound : kSounds) {
        paths.emplace_back(sound.path);
    }
    return paths;
}

bool WriteResourceTree(const std::string& runFolder, std::string& error) {
    const fs::path root(runFolder);
    for (const char* folder : kFolders) {
        std::error_code code;
        fs::create_directories(root / folder, code);
        if (code) {
            error = (root / folder).string() + ": " + code.message();
            return false;
        }
    }
    for (const Texture& texture : Textures()) {
        fs::path path = root / texture.path;
        if (!WritePng(path.string(), texture.draw(), texture.channels)) {
            error = path.string() + ": cannot write the picture";
            return false;
        }
    }
    for (const Sound& sound : kSounds) {
        fs::path path = root / sound.path;
        if (!WriteWav(path.string(), Finish(sound.compose()))) {
            error = path.string() + ": cannot write the sound";
            return false;
        }
    }
    return true;
}

}  // namespace assets
