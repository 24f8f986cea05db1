// The floor layouts and entering floors: every layout checked against the table of starts,
// targets and shortest paths, the working map, and the placement of marker, stairs and goal.
#include <gtest/gtest.h>

#include <algorithm>
#include <queue>
#include <set>
#include <utility>

#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayer.h"
#include "game/CStairs.h"

namespace {

struct FloorFacts {
    char layout;  // the letter of the design's layout table
    int startX, startY;
    int targetX, targetY;  // stairs, or the final goal on the last floor
    int steps;
};

// Floors 1 to 20 as the game's design lists them.
constexpr FloorFacts kFloors[FLOOR_COUNT] = {
    {'A', 4, 1, 4, 7, 6},  {'B', 7, 4, 1, 4, 6},  {'C', 4, 7, 4, 1, 6},  {'D', 1, 4, 7, 4, 6},
    {'E', 7, 1, 1, 7, 12}, {'E', 7, 1, 1, 7, 12}, {'F', 1, 1, 7, 7, 12}, {'F', 1, 1, 7, 7, 12},
    {'G', 1, 7, 7, 1, 12}, {'G', 1, 7, 7, 1, 12}, {'H', 7, 7, 1, 1, 12}, {'H', 7, 7, 1, 1, 12},
    {'I', 5, 1, 2, 7, 9},  {'I', 5, 1, 2, 7, 9},  {'J', 2, 1, 5, 7, 9},  {'J', 2, 1, 5, 7, 9},
    {'K', 2, 7, 5, 1, 9},  {'K', 2, 7, 5, 1, 9},  {'L', 5, 7, 2, 1, 9},  {'M', 5, 7, 2, 1, 9},
};

char Cell(const std::string& map, int x, int y) {
    return map[x + GRID_SIZE * y];
}

// Least number of steps (four directions, never into a wall) from one cell to another.
int ShortestSteps(const std::string& map, int fromX, int fromY, int toX, int toY) {
    std::vector<int> distance(GRID_CELLS, -1);
    std::queue<std::pair<int, int>> open;
    distance[fromX + GRID_SIZE * fromY] = 0;
    open.push({fromX, fromY});
    const int dx[] = {1, -1, 0, 0};
    const int dy[] = {0, 0, -1, 1};
    while (!open.empty()) {
        auto [x, y] = open.front();
        open.pop();
        if (x == toX && y == toY) {
            return distance[x + GRID_SIZE * y];
        }
        for (int d = 0; d < 4; ++d) {
            int nx = x + dx[d];
            int ny = y + dy[d];
            if (nx < 0 || ny < 0 || nx >= GRID_SIZE || ny >= GRID_SIZE ||
                Cell(map, nx, ny) == CELL_WALL || distance[nx + GRID_SIZE * ny] >= 0) {
                continue;
            }
            distance[nx + GRID_SIZE * ny] = distance[x + GRID_SIZE * y] + 1;
            open.push({nx, ny});
        }
    }
    return -1;
}

TEST(FloorLayouts, EveryLayoutMatchesTheDesignTable) {
    CFloorMap map;
    for (int floor = 0; floor < FLOOR_COUNT; ++floor) {
        SCOPED_TRACE(::testing::Message() << "floor " << floor + 1);
        const std::string& layout = map.layouts[floor];
        const FloorFacts& facts = kFloors[floor];
        ASSERT_EQ(layout.size(), static_cast<size_t>(GRID_CELLS));
        int starts = 0, stairs = 0, goals = 0;
        for (int i = 0; i < GRID_CELLS; ++i) {
            int x = i % GRID_SIZE, y = i / GRID_SIZE;
            char cell = layout[i];
            ASSERT_TRUE(cell >= '0' && cell <= '4') << i;
            if (x == 0 || y == 0 || x == GRID_SIZE - 1 || y == GRID_SIZE - 1) {
                EXPECT_EQ(cell, CELL_WALL) << "border at " << x << "," << y;
            }
            starts += cell == CELL_START;
            stairs += cell == CELL_STAIRS;
            goals += cell == CELL_FINAL_GOAL;
        }
        EXPECT_EQ(starts, 1);
        bool last = floor == FLOOR_COUNT - 1;
        EXPECT_EQ(stairs, last ? 0 : 1);
        EXPECT_EQ(goals, last ? 1 : 0);
        EXPECT_EQ(Cell(layout, facts.startX, facts.startY), CELL_START);
        EXPECT_EQ(Cell(layout, facts.targetX, facts.targetY), last ? CELL_FINAL_GOAL : CELL_STAIRS);
        EXPECT_EQ(ShortestSteps(layout, facts.startX, facts.startY, facts.targetX, facts.targetY),
                  facts.steps);
    }
}

TEST(FloorLayouts, ThirteenDistinctLayoutsSharedAsTheTableSays) {
    CFloorMap map;
    std::set<std::string> distinct(std::begin(map.layouts), std::end(map.layouts));
    EXPECT_EQ(distinct.size(), 13u);
    for (int a = 0; a < FLOOR_COUNT; ++a) {
        for (int b = a + 1; b < FLOOR_COUNT; ++b) {
            EXPECT_EQ(map.layouts[a] == map.layouts[b], kFloors[a].layout == kFloors[b].layout)
                << "floors " << a + 1 << " and " << b + 1;
        }
    }
    // The last layout is the one before it with the final goal in place of the stairs.
    std::string last = map.layouts[FLOOR_COUNT - 1];
    std::replace(last.begin(), last.end(), CELL_FINAL_GOAL, CELL_STAIRS);
    EXPECT_EQ(last, map.layouts[FLOOR_COUNT - 2]);
}

TEST(FloorMap, StartsWithOpenFloorAndNoFloorEntered) {
    CFloorMap map;
    EXPECT_EQ(map.workingMap, std::string(GRID_CELLS, CELL_FLOOR));
    EXPECT_EQ(map.floorIndex, 0);
    EXPECT_EQ(CFloorMap::GetInstance(), CFloorMap::GetInstance());
}

TEST(FloorMap, EnteringEachFloorPlacesMarkerStairsAndGoal) {
    CFloorMap map;
    CPlayer* player = CPlayer::GetInstance();
    CStairs* stairs = CStairs::GetInstance();
    CFinalGoal* goal = CFinalGoal::GetInstance();
    map.floorIndex = -1;
    for (int floor = 0; floor < FLOOR_COUNT; ++floor) {
        SCOPED_TRACE(::testing::Message() << "floor " << floor + 1);
        // Leftovers of the floor before, which entering must reset.
        player->animTimer.time = 0.5f;
        stairs->reached = true;
        goal->opening = true;
        goal->openTimer.time = 0.25f;

        LoadNextFloor(&map);
        const FloorFacts& facts = kFloors[floor];
        EXPECT_EQ(map.floorIndex, floor);
        EXPECT_EQ(map.workingMap.find(CELL_START), std::string::npos);
        std::string expected = map.layouts[floor];
        expected[facts.startX + GRID_SIZE * facts.startY] = CELL_FLOOR;
        EXPECT_EQ(map.workingMap, expected);
        EXPECT_EQ(map.CellAt(facts.startX, facts.startY), CELL_FLOOR);

        EXPECT_EQ(player->x, facts.startX);
        EXPECT_EQ(player->y, facts.startY);
        EXPECT_EQ(player->animTimer.time, 0.0f);
        EXPECT_FALSE(stairs->reached);
        EXPECT_FALSE(goal->opening);
        EXPECT_EQ(goal->openTimer.time, 0.0f);
        bool last = floor == FLOOR_COUNT - 1;
        int stairsX = last ? PARKED_POSITION : facts.targetX;
        int stairsY = last ? PARKED_POSITION : facts.targetY;
        int goalX = last ? facts.targetX : PARKED_POSITION;
        int goalY = last ? facts.targetY : PARKED_POSITION;
        EXPECT_EQ(stairs->x, stairsX);
        EXPECT_EQ(stairs->y, stairsY);
        EXPECT_EQ(goal->x, goalX);
        EXPECT_EQ(goal->y, goalY);
    }
}

TEST(FloorMap, NewPlayStartsOnFloorOneWhateverCameBefore) {
    CFloorMap map;
    CPlayer* player = CPlayer::GetInstance();
    for (int before : {-1, 5, 12, 18}) {
        map.floorIndex = before;
        LoadNextFloor(&map);
        map.floorIndex = -1;  // the new-play reset
        LoadNextFloor(&map);
        EXPECT_EQ(map.floorIndex, 0);
        EXPECT_EQ(player->x, 4);
        EXPECT_EQ(player->y, 1);
        std::string expected = map.layouts[0];
        expected[4 + 9 * 1] = CELL_FLOOR;
        EXPECT_EQ(map.workingMap, expected);
    }
}

TEST(FloorMap, PairedFloorPutsTheMarkerBackOnTheSameStart) {
    CFloorMap map;
    CPlayer* player = CPlayer::GetInstance();
    map.floorIndex = 3;
    LoadNextFloor(&map);  // floor 5
    player->x = 1;        // walked down to the stairs
    player->y = 7;
    map.workingMap[7 + 9 * 1] = CELL_WALL;  // and the working copy is scribbled on
    LoadNextFloor(&map);                    // floor 6, the same layout
    EXPECT_EQ(map.floorIndex, 5);
    EXPECT_EQ(player->x, 7);
    EXPECT_EQ(player->y, 1);
    EXPECT_EQ(map.CellAt(7, 1), CELL_FLOOR);
}

TEST(FloorMap, NothingPastTheLastFloor) {
    CFloorMap map;
    map.floorIndex = FLOOR_COUNT - 2;
    LoadNextFloor(&map);
    std::string lastFloor = map.workingMap;
    LoadNextFloor(&map);
    EXPECT_EQ(map.floorIndex, FLOOR_COUNT - 1);
    EXPECT_EQ(map.workingMap, lastFloor);
    map.floorIndex = -5;  // never a legal value; must not index before the table
    LoadNextFloor(&map);
    EXPECT_EQ(map.floorIndex, -5);
}

TEST(FloorMap, CellsOutsideTheGridReadAsWall) {
    CFloorMap map;
    EXPECT_EQ(map.CellAt(4, 4), CELL_FLOOR);
    EXPECT_EQ(map.CellAt(-1, 4), CELL_WALL);
    EXPECT_EQ(map.CellAt(9, 0), CELL_WALL);
    EXPECT_EQ(map.CellAt(0, 9), CELL_WALL);
    EXPECT_EQ(map.CellAt(PARKED_POSITION, PARKED_POSITION), CELL_WALL);
}

}  // namespace
