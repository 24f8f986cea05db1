// The 20 floor layouts, the working copy of the floor being played and the floor counter, and
// LoadNextFloor, which enters the next floor and places the marker, the stairs and the goal.
// Layouts are 9 x 9 cells, row-major; the cell of (x, y) is character x + 9 * y.
#pragma once

#include <string>

constexpr int FLOOR_COUNT = 20;
constexpr int GRID_SIZE = 9;
constexpr int GRID_CELLS = GRID_SIZE * GRID_SIZE;

constexpr char CELL_FLOOR = '0';
constexpr char CELL_WALL = '1';
constexpr char CELL_START = '2';
constexpr char CELL_STAIRS = '3';
constexpr char CELL_FINAL_GOAL = '4';

// Where the stairs or the goal wait on a floor that does not have them: no step reaches it.
constexpr int PARKED_POSITION = 2147483647;

class CFloorMap {
  public:
    // The one floor map, built on the first call.
    static CFloorMap* GetInstance();

    // The layouts in floor order and a working map of open floor; no floor entered yet.
    CFloorMap();

    // The working copy's cell at (x, y); a wall for positions outside the grid.
    char CellAt(int x, int y) const;

    std::string layouts[FLOOR_COUNT];  // index 0 = floor 1
    std::string workingMap;
    // Index into `layouts` of the floor being played; -1 before a play's first floor.
    int floorIndex = 0;
};

// Enters the floor after `floorIndex`: copies its layout into the working map, turns the start
// cell into floor, and places the marker, the stairs and the final goal. Past the last floor
// (which a play never asks for) nothing changes.
void LoadNextFloor(CFloorMap* floorMap);
