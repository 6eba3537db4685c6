#include "painting/region.h"

#include <algorithm>

namespace wordoria::platform {

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

RECT Intersection(const RECT& a, const RECT& b) {
    RECT result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
    if (IsEmpty(result)) result = RECT{0, 0, 0, 0};
    return result;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void Region::Add(const RECT& rect) {
    if (IsEmpty(rect)) return;
    for (const RECT& existing : rects_) {
        if (Contains(existing, rect)) return;
    }
    rects_.erase(std::remove_if(rects_.begin(), rects_.end(), [&](const RECT& r) { return Contains(rect, r); }),
                 rects_.end());
    rects_.push_back(rect);
}

RECT Region::Bounds() const {
    if (rects_.empty()) return RECT{0, 0, 0, 0};
    RECT bounds = rects_.front();
    for (const RECT& r : rects_) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    return bounds;
}

}  // namespace wordoria::platform
