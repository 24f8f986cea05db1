// The atlas's pixel art, drawn cell by cell from simple shapes. Sprites that stand on other
// cells (marker, stairs marker, goal, arrows) get a dark outline so they read on any tile.
#include "tools/image_atlas.h"

#include <cstdlib>

namespace assets {

namespace {

using Cell = Picture;

Cell NewCell(uint32_t fill = kTransparent) {
    return Cell(kAtlasCell, kAtlasCell, fill);
}

// A repeatable hash of a pixel position, for texture speckles.
uint32_t Hash(int x, int y, uint32_t salt) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 salt * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

void FillEllipse(Cell& cell, double cx, double cy, double rx, double ry, uint32_t color) {
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            double dx = (x + 0.5 - cx) / rx;
            double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) {
                cell.Set(x, y, color);
            }
        }
    }
}

// Gives every transparent pixel next to a drawn one the outline colour.
void Outline(Cell& cell, uint32_t color) {
    Cell original = cell;
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            if (original.At(x, y) != kTransparent) {
                continue;
            }
            const int dx[] = {1, -1, 0, 0};
            const int dy[] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k];
                int ny = y + dy[k];
                if (original.Contains(nx, ny) && original.At(nx, ny) != kTransparent) {
                    cell.Set(x, y, color);
                    break;
                }
            }
        }
    }
}

// A stone slab: a bevelled square with a few speckles.
Cell FloorTile() {
    const uint32_t base = Rgb(118, 104, 86);
    Cell cell = NewCell(base);
    for (int y = 0; y < kAtlasCell; ++y) {
        for (int x = 0; x < kAtlasCell; ++x) {
            uint32_t h = Hash(x, y, 1) % 23;
            if (h == 0) {
                cell.Set(x, y, Rgb(100, 88, 72));
            } else if (h == 1) {
                cell.Set(x, y, Rgb(134, 120, 100));
            }
        }
    }
    cell.FillRect(0, 0, 32, 2, Rgb(158, 142, 118));
    cell.FillRect(0, 0, 2, 32, Rgb(158, 142, 118));
    cell.FillRect(0, 30, 32, 2, Rgb(70, 60, 50));
    cell.FillRect(30, 0, 2, 32, Rgb(70, 60, 50));
    cell.Set(0, 31, Rgb(118, 104, 86));
    cell.Set(1, 30, Rgb(118, 104, 86));
    cell.Set(31, 0, Rgb(118, 104, 86));
    cell.Set(30, 1, Rgb(118, 104, 86));
    return cell;
}

// Dark slate bricks in courses of eight pixels; the pattern continues into the next wall cell.
Cell WallTile() {
    Cell cell = NewCell(Rgb(26, 22, 38));
    for (int course = 0; course < 4; ++course) {
        int top = course * 8;
        int shift = course % 2 ? 8 : 0;
        for (int brick = -1; brick < 2; ++brick) {
            int left = brick * 16 + shift;
            int shade = static_cast<int>(Hash(brick + 5, course, 2) % 10);
            uint32_t face = Rgb(64 + shade, 58 + shade, 92 + shade);
            cell.FillRect(left + 1, top + 1, 15, 7, face);
            cell.FillRect(left + 1, top + 1, 15, 1, Rgb(92 + shade, 84 + shade, 124 + shade));
            cell.FillRect(left + 1, top + 7, 15, 1, Rgb(46, 40, 68));
            for (int x = left + 2; x < left + 15; ++x) {
                if (Hash(x, top, 3) % 9 == 0) {
                    cell.Set(x, top + 3 + static_cast<int>(Hash(x, top, 4) % 3), Rgb(54, 48, 80));
                }
            }
        }
    }
    return cell;
}

// The stairs: a floor slab with an opening in which four steps lead down into darkness.
Cell StairsTile() {
    Cell cell = FloorTile();
    cell.FillRect(5, 5, 22, 22, Rgb(20, 16, 14));
    const uint32_t treads[] = {Rgb(104, 92, 76), Rgb(80, 70, 58), Rgb(58, 50, 42), Rgb(38, 32, 28)};
    for (int step = 0; step < 4; ++step) {
        int top = 6 + step * 5;
        cell.FillRect(6, top, 20, 3, treads[step]);
        cell.FillRect(6, top, 20, 1, step == 0 ? Rgb(140, 126, 104) : treads[step - 1]);
    }
    cell.FillRect(4, 4, 24, 1, Rgb(70, 60, 50));
    cell.FillRect(4, 4, 1, 24, Rgb(70, 60, 50));
    return cell;
}

// The stairs marker: a bright chevron pointing down, drawn over the stairs.
Cell StairsMarker() {
    Cell cell = NewCell();
    const uint32_t gold = Rgb(255, 220, 90);
    for (int row = 0; row < 7; ++row) {
        for (int band = 0; band < 2; ++band) {
            int y = 9 + band * 7 + row;
            cell.FillRect(9 + row, y, 3, 2, gold);
            cell.FillRect(20 - row, y, 3, 2, gold);
        }
    }
    Outline(cell, Rgb(60, 36, 0));
    return cell;
}

// The final goal's floor: a slab with a golden ring inlaid.
Cell GoalTile() {
    Cell cell = FloorTile();
    for (int y = 0; y < kAtlasCell; ++y) {
        for (int x = 0; x < kAtlasCell; ++x) {
            double dx = x + 0.5 - 16.0;
            double dy = y + 0.5 - 16.0;
            double distance = dx * dx + dy * dy;
            if (distance <= 13.0 * 13.0 && distance >= 11.0 * 11.0) {
                cell.Set(x, y, Rgb(226, 184, 72));
            } else if (distance < 11.0 * 11.0) {
                cell.Set(x, y, Rgb(140, 118, 80));
            }
        }
    }
    return cell;
}

// The final goal: a treasure chest whose lid opens over four frames, light pouring out.
Cell GoalFrame(int frame) {
    Cell cell = NewCell();
    const uint32_t wood = Rgb(150, 86, 40);
    const uint32_t darkWood = Rgb(104, 56, 24);
    const uint32_t gold = Rgb(240, 196, 64);
    const uint32_t glow = Rgb(255, 244, 170);
    // Body.
    cell.FillRect(5, 16, 22, 12, wood);
    cell.FillRect(5, 21, 22, 1, darkWood);
    cell.FillRect(5, 16, 2, 12, gold);
    cell.FillRect(25, 16, 2, 12, gold);
    cell.FillRect(5, 26, 22, 2, darkWood);
    // Lid: closed, ajar, raised, thrown back (only its far edge still shows).
    const int lidTops[] = {9, 7, 3, 8};
    const int lidHeights[] = {7, 6, 5, 3};
    int top = lidTops[frame];
    int height = lidHeights[frame];
    if (frame > 0) {
        int gapTop = top + height;
        cell.FillRect(7, gapTop, 18, 16 - gapTop, frame == 1 ? Rgb(60, 30, 10) : glow);
        cell.FillRect(7, 15, 18, 1, glow);
    }
    const uint32_t lidFace = frame == 3 ? darkWood : wood;
    cell.FillRect(6, top + 1, 20, height - 1, lidFace);
    cell.FillRect(8, top, 16, 1, lidFace);
    cell.FillRect(5, top + height - 1, 22, 1, darkWood);
    cell.FillRect(5, top + 1, 2, height - 1, gold);
    cell.FillRect(25, top + 1, 2, height - 1, gold);
    // The lock shows while the lid is down.
    if (frame == 0) {
        cell.FillRect(14, 14, 4, 5, gold);
        cell.FillRect(15, 16, 2, 2, Rgb(60, 30, 10));
    }
    if (frame == 3) {  // light pours out: a bright inside and three sparkles above
        cell.FillRect(7, 11, 18, 5, Rgb(255, 255, 230));
        const int sparkleX[] = {9, 16, 23};
        const int sparkleY[] = {4, 2, 5};
        for (int i = 0; i < 3; ++i) {
            cell.FillRect(sparkleX[i], sparkleY[i] - 2, 1, 5, glow);
            cell.FillRect(sparkleX[i] - 2, sparkleY[i], 5, 1, glow);
        }
    }
    Outline(cell, Rgb(40, 20, 6));
    return cell;
}

// The right arrow; the others are this one turned.
Cell RightArrow() {
    Cell cell = NewCell();
    const uint32_t light = Grey(250);
    const uint32_t shade = Grey(200);
    cell.FillRect(5, 12, 12, 8, light);
    for (int x = 17; x <= 27; ++x) {
        int half = 27 - x;  // the head narrows to its tip at x = 27
        cell.FillRect(x, 16 - half - 1, 1, 2 * half + 2, light);
    }
    // Shade the lower half so the arrow has some body.
    for (int y = 17; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (cell.At(x, y) == light) {
                cell.Set(x, y, shade);
            }
        }
    }
    Outline(cell, Grey(110));
    return cell;
}

enum class Turn { kMirror, kUp, kDown };

Cell Turned(const Cell& source, Turn turn) {
    Cell cell = NewCell();
    for (int y = 0; y < kAtlasCell; ++y) {
        for (int x = 0; x < kAtlasCell; ++x) {
            uint32_t color = source.At(x, y);
            switch (turn) {
                case Turn::kMirror:
                    cell.Set(31 - x, y, color);
                    break;
                case Turn::kUp:
                    cell.Set(y, 31 - x, color);
                    break;
                case Turn::kDown:
                    cell.Set(31 - y, x, color);
                    break;
            }
        }
    }
    return cell;
}

}  // namespace

// The player's marker: a round, bright creature; frame 1 is squashed, as if hopping.
Picture MarkerFrame(int frame) {
    Cell cell = NewCell();
    const double cy = frame == 0 ? 17.0 : 19.5;
    const double rx = frame == 0 ? 11.0 : 12.5;
    const double ry = frame == 0 ? 11.0 : 9.0;
    FillEllipse(cell, 10.5, cy + ry - 1.5, 3.5, 2.5, Rgb(40, 110, 190));  // feet
    FillEllipse(cell, 21.5, cy + ry - 1.5, 3.5, 2.5, Rgb(40, 110, 190));
    FillEllipse(cell, 16.0, cy, rx, ry, Rgb(70, 160, 235));
    FillEllipse(cell, 16.0, cy - 1.5, rx - 1.5, ry - 2.0, Rgb(120, 210, 255));
    FillEllipse(cell, 11.5, cy - ry * 0.5, 2.5, 1.8, Rgb(235, 250, 255));  // shine
    const int eyeTop = static_cast<int>(cy) - 3;
    const int eyeHeight = frame == 0 ? 5 : 3;
    cell.FillRect(12, eyeTop, 2, eyeHeight, Rgb(16, 24, 48));
    cell.FillRect(19, eyeTop, 2, eyeHeight, Rgb(16, 24, 48));
    cell.FillRect(9, eyeTop + eyeHeight + 1, 2, 1, Rgb(255, 140, 170));  // cheeks
    cell.FillRect(22, eyeTop + eyeHeight + 1, 2, 1, Rgb(255, 140, 170));
    Outline(cell, Rgb(14, 28, 60));
    return cell;
}

Picture ImageAtlas() {
    Picture atlas(kAtlasWidth, kAtlasHeight, kTransparent);
    auto place = [&atlas](const Cell& cell, int column, int row) {
        atlas.Blit(cell, column * kAtlasCell, row * kAtlasCell);
    };
    place(FloorTile(), 0, 0);
    place(WallTile(), 1, 0);
    place(StairsMarker(), 2, 0);
    place(StairsTile(), 3, 0);
    place(GoalTile(), 4, 0);
    for (int frame = 0; frame < 2; ++frame) {
        place(MarkerFrame(frame), frame, 1);
    }
    for (int frame = 0; frame < 4; ++frame) {
        place(GoalFrame(frame), frame, 2);
    }
    Cell right = RightArrow();
    place(right, 0, 3);
    place(Turned(right, Turn::kMirror), 1, 3);
    place(Turned(right, Turn::kUp), 2, 3);
    place(Turned(right, Turn::kDown), 3, 3);
    return atlas;
}

}  // namespace assets
