// A window's update region: a union of rectangles, enough for invalidation,
// clipping and the bounding box BeginPaint reports.
#pragma once

#include <windows.h>

#include <vector>

namespace wordoria::platform {

class Region {
public:
    void Add(const RECT& rect);  // empty rectangles add nothing
    void Clear() { rects_.clear(); }
    bool Empty() const { return rects_.empty(); }
    RECT Bounds() const;
    const std::vector<RECT>& Rects() const { return rects_; }

private:
    std::vector<RECT> rects_;
};

RECT Intersection(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& rect);
bool Contains(const RECT& outer, const RECT& inner);

}  // namespace wordoria::platform
