// The whole Resource/ tree of the game, written below a run folder: the five textures, the
// seven sounds and the asset folders. An existing record file in Resource/Binary/ is kept.
#pragma once

#include <string>
#include <vector>

namespace assets {

// Paths of the generated files, relative to the run folder.
std::vector<std::string> GeneratedFiles();

// Writes everything below `runFolder`; false with a reason in `error` when a file or folder
// cannot be written.
bool WriteResourceTree(const std::string& runFolder, std::string& error);

}  // namespace assets
