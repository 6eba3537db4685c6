// A window's update region: a union of rectangles, enough for invalidation,
// clipping and the bounding box BeginPaint reports.
#pragma once

#include <windows.h>

#include <utility>
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

// A window's update region. How many windows have one is kept as they
// change, so that the queue, asked on every loop turn, knows at once when no
// window waits for a paint.
class UpdateRegion {
public:
    UpdateRegion() = default;
    ~UpdateRegion() { Clear(); }
    UpdateRegion(const UpdateRegion&) = delete;
    UpdateRegion& operator=(const UpdateRegion&) = delete;

    void Add(const RECT& rect) {
        bool wasEmpty = region_.Empty();
        region_.Add(rect);
        if (wasEmpty && !region_.Empty()) ++nonEmpty_;
    }
    void Clear() {
        if (!region_.Empty()) --nonEmpty_;
        region_.Clear();
    }
    // The region, leaving this one empty: a paint takes it without a copy.
    Region Take() {
        if (!region_.Empty()) --nonEmpty_;
        Region taken = std::move(region_);
        region_.Clear();
        return taken;
    }
    bool Empty() const { return region_.Empty(); }
    RECT Bounds() const { return region_.Bounds(); }
    const Region& Area() const { return region_; }
    // Update regions that are not empty, over all windows.
    static int NonEmptyCount() { return nonEmpty_; }

private:
    Region region_;
    static inline int nonEmpty_ = 0;
};

RECT Intersection(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& rect);
bool Contains(const RECT& outer, const RECT& inner);

}  // namespace wordoria::platform
