// The floor layouts and entering a floor.
#include "game/CFloorMap.h"

#include "game/CFinalGoal.h"
#include "game/CPlayer.h"
#include "game/CStairs.h"

namespace {

// Thirteen layouts; most serve two floors in a row. Corridors (A-D), diagonal staircases (E-H)
// and winding paths (I-L); M is L with the final goal in place of the stairs.
constexpr const char* kA =
    "111111111111121111111101111111101111111101111111101111111101111111131111111111111";
constexpr const char* kB =
    "111111111111111111111111111111111111130000021111111111111111111111111111111111111";
constexpr const char* kC =
    "111111111111131111111101111111101111111101111111101111111101111111121111111111111";
constexpr const char* kD =
    "111111111111111111111111111111111111120000031111111111111111111111111111111111111";
constexpr const char* kE =
    "111111111111111121111111001111110011111100111111001111110011111130111111111111111";
constexpr const char* kF =
    "111111111121111111100111111110011111111001111111100111111110011111111031111111111";
constexpr const char* kG =
    "111111111111111031111110011111100111111001111110011111100111111121111111111111111";
constexpr const char* kH =
    "111111111130111111110011111111001111111100111111110011111111001111111121111111111";
constexpr const char* kI =
    "111111111111112111111100111111101111111001111111011111110011111113111111111111111";
constexpr const char* kJ =
    "111111111112111111110011111111011111111001111111101111111100111111113111111111111";
constexpr const char* kK =
    "111111111111113111111100111111101111111001111111011111110011111112111111111111111";
constexpr const char* kL =
    "111111111113111111110011111111011111111001111111101111111100111111112111111111111";
constexpr const char* kM =
    "111111111114111111110011111111011111111001111111101111111100111111112111111111111";

constexpr const char* kFloorLayouts[FLOOR_COUNT] = {kA, kB, kC, kD, kE, kE, kF, kF, kG, kG,
                                                    kH, kH, kI, kI, kJ, kJ, kK, kK, kL, kM};

void PlaceStart(CPlayer* player, int column, int row) {
    player->animTimer.time = 0.0f;
    player->x = column;
    player->y = row;
}

void PlaceStairs(CStairs* stairs, CFinalGoal* goal, int column, int row) {
    stairs->x = column;
    stairs->y = row;
    stairs->reached = false;
    goal->openTimer.time = 0.0f;
    goal->x = PARKED_POSITION;
    goal->y = PARKED_POSITION;
    goal->opening = false;
}

void PlaceFinalGoal(CStairs* stairs, CFinalGoal* goal, int column, int row) {
    goal->x = column;
    goal->y = row;
    goal->openTimer.time = 0.0f;
    goal->opening = false;
    stairs->x = PARKED_POSITION;
    stairs->y = PARKED_POSITION;
    stairs->reached = false;
}

}  // namespace

CFloorMap* CFloorMap::GetInstance() {
    static CFloorMap instance;
    return &instance;
}

CFloorMap::CFloorMap() : workingMap(GRID_CELLS, CELL_FLOOR) {
    for (int floor = 0; floor < FLOOR_COUNT; ++floor) {
        layouts[floor] = kFloorLayouts[floor];
    }
}

char CFloorMap::CellAt(int x, int y) const {
    if (x < 0 || x >= GRID_SIZE || y < 0 || y >= GRID_SIZE) {
        return CELL_WALL;
    }
    return workingMap[x + GRID_SIZE * y];
}

void LoadNextFloor(CFloorMap* floorMap) {
    int next = floorMap->floorIndex + 1;
    if (next < 0 || next >= FLOOR_COUNT) {
        return;  // no such floor: indexing the table would run past its end
    }
    floorMap->floorIndex = next;
    const std::string& layout = floorMap->layouts[next];
    CPlayer* player = CPlayer::GetInstance();
    CStairs* stairs = CStairs::GetInstance();
    CFinalGoal* goal = CFinalGoal::GetInstance();
    floorMap->workingMap.assign(GRID_CELLS, CELL_FLOOR);
    for (int i = 0; i < GRID_CELLS && i < static_cast<int>(layout.size()); ++i) {
        int column = i % GRID_SIZE;
        int row = i / GRID_SIZE;
        char cell = layout[i];
        floorMap->workingMap[i] = cell;
        if (cell == CELL_START) {
            PlaceStart(player, column, row);
            floorMap->workingMap[i] = CELL_FLOOR;
        } else if (cell == CELL_STAIRS) {
            PlaceStairs(stairs, goal, column, row);
        } else if (cell == CELL_FINAL_GOAL) {
            PlaceFinalGoal(stairs, goal, column, row);
        }
    }
}
