// A hidden area as bands of rows with the same merged intervals.
#include "raster/hidden_area.h"

#include <algorithm>

namespace platform::raster {

HiddenArea::HiddenArea(std::span<const Rect> rects) {
    std::vector<int> edges;
    for (const Rect& r : rects) {
        if (r.left < r.right && r.top < r.bottom) {
            edges.push_back(r.top);
            edges.push_back(r.bottom);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Interval> row;
    for (size_t k = 0; k + 1 < edges.size(); ++k) {
        const int top = edges[k], bottom = edges[k + 1];
        row.clear();
        for (const Rect& r : rects) {
            if (r.left < r.right && r.top <= top && bottom <= r.bottom) {
                row.push_back(Interval{r.left, r.right});
            }
        }
        if (row.empty()) {
            continue;
        }
        std::sort(row.begin(), row.end(),
                  [](const Interval& a, const Interval& b) { return a.left < b.left; });
        const size_t first = intervals_.size();
        for (const Interval& i : row) {
            if (intervals_.size() > first && i.left <= intervals_.back().right) {
                intervals_.back().right = std::max(intervals_.back().right, i.right);
            } else {
                intervals_.push_back(i);
            }
        }
        bands_.push_back(Band{top, bottom, first, intervals_.size() - first});
    }
}

std::span<const Interval> HiddenArea::Row(int y) const {
    const auto band = std::upper_bound(bands_.begin(), bands_.end(), y,
                                       [](int row, const Band& b) { return row < b.bottom; });
    if (band == bands_.end() || y < band->top) {
        return {};
    }
    return std::span<const Interval>(intervals_).subspan(band->first, band->count);
}

bool HiddenArea::Covers(int y, int left, int right) const {
    return InsideOne(Row(y), left, right);
}

bool InsideOne(std::span<const Interval> intervals, int left, int right) {
    for (const Interval& i : intervals) {
        if (i.left <= left && right <= i.right) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::raster
