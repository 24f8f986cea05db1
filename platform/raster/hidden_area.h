// Pixels of a target that a draw may leave alone because a later draw covers them whatever they
// hold. Drawing them anyway gives the same picture, so a renderer may skip any part of the area
// it finds convenient: ours skips whole batches.
#pragma once

#include <span>
#include <vector>

#include "raster/raster_types.h"

namespace platform::raster {

struct Interval {
    int left, right;  // columns [left, right)
};

class HiddenArea {
  public:
    explicit HiddenArea(std::span<const Rect> rects);

    // The area's columns on row y: sorted, disjoint and not touching.
    std::span<const Interval> Row(int y) const;

    // True when [left, right) of row y lies wholly inside the area.
    bool Covers(int y, int left, int right) const;

  private:
    // Rows [top, bottom) share their intervals.
    struct Band {
        int top, bottom;
        size_t first, count;
    };

    std::vector<Band> bands_;
    std::vector<Interval> intervals_;
};

// True when [left, right) lies wholly inside one of the intervals.
bool InsideOne(std::span<const Interval> intervals, int left, int right);

}  // namespace platform::raster
