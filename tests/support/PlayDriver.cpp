// The player driver and the scratch run folder.
#include "support/PlayDriver.h"

#include <unistd.h>

#include <array>
#include <fstream>
#include <iterator>
#include <queue>

#include "game/CFloorMap.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "support/TestAssets.h"

namespace fs = std::filesystem;

int PhaseOfNextUpdate() {
    CRhythm* rhythm = CRhythm::GetInstance();
    Timer next = rhythm->cycleTimer;
    next.AdvanceLoop();
    int phase = 0;
    for (int beat = 1; beat < 4; ++beat) {
        if (next.time >= rhythm->beatStart[beat]) {
            phase = beat;
        }
    }
    return phase;
}

int FirstStepToward(int x, int y) {
    CFloorMap* map = CFloorMap::GetInstance();
    CPlayer* player = CPlayer::GetInstance();
    std::array<int, GRID_CELLS> firstStep;
    firstStep.fill(-2);
    std::queue<int> open;
    int start = player->x + GRID_SIZE * player->y;
    firstStep[start] = -1;
    open.push(start);
    while (!open.empty()) {
        int cell = open.front();
        open.pop();
        int cx = cell % GRID_SIZE;
        int cy = cell / GRID_SIZE;
        if (cx == x && cy == y) {
            return firstStep[cell];
        }
        for (int phase = 0; phase < 4; ++phase) {
            int nx = cx + player->stepX[phase];
            int ny = cy + player->stepY[phase];
            char code = map->CellAt(nx, ny);
            int next = nx + GRID_SIZE * ny;
            if (code == CELL_WALL || firstStep[next] != -2) {
                continue;
            }
            firstStep[next] = cell == start ? phase : firstStep[cell];
            open.push(next);
        }
    }
    return -1;
}

int PhaseIntoWall() {
    CPlayer* player = CPlayer::GetInstance();
    for (int phase = 0; phase < 4; ++phase) {
        int x = player->x + player->stepX[phase];
        int y = player->y + player->stepY[phase];
        if (CFloorMap::GetInstance()->CellAt(x, y) == CELL_WALL) {
            return phase;
        }
    }
    return -1;
}

ScratchRunFolder::ScratchRunFolder(const std::string& name)
    : previous(fs::current_path()),
      folder(fs::temp_directory_path() /
             ("pokutan_run_" + name + "_" + std::to_string(::getpid()))) {
    fs::remove_all(folder);
    fs::create_directories(folder / "Resource" / "Binary");
    fs::current_path(folder);
}

ScratchRunFolder::~ScratchRunFolder() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void ScratchRunFolder::WriteTestAssets() const {
    test_assets::WriteTestAssets(folder);
}

void ScratchRunFolder::UseGeneratedAssets() const {
    const fs::path generated = fs::path(POKUTAN_RUN_DIR) / "Resource";
    for (const char* kind : {"Texture", "Sound"}) {
        fs::create_directory_symlink(generated / kind, folder / "Resource" / kind);
    }
}

fs::path ScratchRunFolder::RecordPath() const {
    return folder / "Resource" / "Binary" / "Miss.bin";
}

std::string ScratchRunFolder::RecordBytes() const {
    std::ifstream file(RecordPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
