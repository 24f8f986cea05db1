// The floor layouts and entering a floor.
#include "game/CFloorMap.h"

#include "game/CFinalGoal.h"
#include "game/CPlayer.h"
#include "game/CStairs.h"

namespace {

// Thirteen layouts; most serve two floors in a row. Corridors (A-D), diagonal staircases (E-H)
// and winding paths (I-L); M is L with the final goal in place of the stairs. Each is written
// one row of nine cells a line: 1 wall, 0 floor, 2 start, 3 stairs, 4 final goal.
constexpr char kA[] =
    "111111111"
    "111121111"
    "111101111"
    "111101111"
    "111101111"
    "111101111"
    "111101111"
    "111131111"
    "111111111";
constexpr char kB[] =
    "111111111"
    "111111111"
    "111111111"
    "111111111"
    "130000021"
    "111111111"
    "111111111"
    "111111111"
    "111111111";
constexpr char kC[] =
    "111111111"
    "111131111"
    "111101111"
    "111101111"
    "111101111"
    "111101111"
    "111101111"
    "111121111"
    "111111111";
constexpr char kD[] =
    "111111111"
    "111111111"
    "111111111"
    "111111111"
    "120000031"
    "111111111"
    "111111111"
    "111111111"
    "111111111";
constexpr char kE[] =
    "111111111"
    "111111121"
    "111111001"
    "111110011"
    "111100111"
    "111001111"
    "110011111"
    "130111111"
    "111111111";
constexpr char kF[] =
    "111111111"
    "121111111"
    "100111111"
    "110011111"
    "111001111"
    "111100111"
    "111110011"
    "111111031"
    "111111111";
constexpr char kG[] =
    "111111111"
    "111111031"
    "111110011"
    "111100111"
    "111001111"
    "110011111"
    "100111111"
    "121111111"
    "111111111";
constexpr char kH[] =
    "111111111"
    "130111111"
    "110011111"
    "111001111"
    "111100111"
    "111110011"
    "111111001"
    "111111121"
    "111111111";
constexpr char kI[] =
    "111111111"
    "111112111"
    "111100111"
    "111101111"
    "111001111"
    "111011111"
    "110011111"
    "113111111"
    "111111111";
constexpr char kJ[] =
    "111111111"
    "112111111"
    "110011111"
    "111011111"
    "111001111"
    "111101111"
    "111100111"
    "111113111"
    "111111111";
constexpr char kK[] =
    "111111111"
    "111113111"
    "111100111"
    "111101111"
    "111001111"
    "111011111"
    "110011111"
    "112111111"
    "111111111";
constexpr char kL[] =
    "111111111"
    "113111111"
    "110011111"
    "111011111"
    "111001111"
    "111101111"
    "111100111"
    "111112111"
    "111111111";
constexpr char kM[] =
    "111111111"
    "114111111"
    "110011111"
    "111011111"
    "111001111"
    "111101111"
    "111100111"
    "111112111"
    "111111111";

static_assert(sizeof kA == GRID_CELLS + 1 && sizeof kB == GRID_CELLS + 1 &&
                  sizeof kC == GRID_CELLS + 1 && sizeof kD == GRID_CELLS + 1 &&
                  sizeof kE == GRID_CELLS + 1 && sizeof kF == GRID_CELLS + 1 &&
                  sizeof kG == GRID_CELLS + 1 && sizeof kH == GRID_CELLS + 1 &&
                  sizeof kI == GRID_CELLS + 1 && sizeof kJ == GRID_CELLS + 1 &&
                  sizeof kK == GRID_CELLS + 1 && sizeof kL == GRID_CELLS + 1 &&
                  sizeof kM == GRID_CELLS + 1,
              "every layout is nine rows of nine cells");

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
