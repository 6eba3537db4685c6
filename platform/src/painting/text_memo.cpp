#include "painting/text_memo.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace wordoria::platform {
namespace {

constexpr size_t kMostPixelsADrawing = 8192;
// What the whole memo may hold, before and after together.
constexpr size_t kMostKeptPixels = 512 * 1024;

size_t PixelsOf(const DrawingAreas& areas) {
    size_t pixels = 0;
    for (size_t i = 0; i < areas.count; ++i) {
        const RECT& r = areas.rects[i];
        pixels += static_cast<size_t>(r.right - r.left) * static_cast<size_t>(r.bottom - r.top);
    }
    return pixels;
}

bool SameAreas(const DrawingAreas& a, const DrawingAreas& b) {
    if (a.count != b.count) return false;
    for (size_t i = 0; i < a.count; ++i) {
        const RECT& x = a.rects[i];
        const RECT& y = b.rects[i];
        if (x.left != y.left || x.top != y.top || x.right != y.right || x.bottom != y.bottom) return false;
    }
    return true;
}

// Calls `row(pixels in the image, offset in the flat copy, width)` for each row of the areas.
template <typename Row>
void ForEachRow(const DrawingAreas& areas, PixelImage image, Row row) {
    size_t offset = 0;
    for (size_t i = 0; i < areas.count; ++i) {
        const RECT& r = areas.rects[i];
        const size_t width = static_cast<size_t>(r.right - r.left);
        for (LONG y = r.top; y < r.bottom; ++y) {
            if (!row(image.bits + y * image.stride + r.left, offset, width)) return;
            offset += width;
        }
    }
}

}  // namespace

bool TextMemo::Kept::IsOf(const TextDrawing& drawing, const DrawingAreas& drawnAreas) const {
    return bytes == drawing.bytes && at.x == drawing.at.x && at.y == drawing.at.y &&
           textColor == drawing.textColor && backColor == drawing.backColor && backMode == drawing.backMode &&
           SameAreas(areas, drawnAreas);
}

size_t TextMemo::HashOf(const TextDrawing& drawing) {
    size_t hash = std::hash<std::string_view>()(drawing.bytes);
    for (size_t part : {static_cast<size_t>(drawing.at.x), static_cast<size_t>(drawing.at.y),
                        static_cast<size_t>(drawing.textColor), static_cast<size_t>(drawing.backColor),
                        static_cast<size_t>(drawing.backMode)}) {
        hash = hash * 31 + part;
    }
    return hash;
}

bool TextMemo::Fits(const DrawingAreas& areas) { return PixelsOf(areas) <= kMostPixelsADrawing; }

bool TextMemo::Replay(const TextDrawing& drawing, const DrawingAreas& areas, PixelImage image) const {
    if (kept_.empty()) return false;
    auto found = kept_.find(HashOf(drawing));
    if (found == kept_.end() || !found->second.IsOf(drawing, areas)) return false;
    const Kept& kept = found->second;
    bool same = true;
    ForEachRow(areas, image, [&](const uint32_t* pixels, size_t offset, size_t width) {
        same = std::memcmp(pixels, kept.before.data() + offset, width * sizeof(uint32_t)) == 0;
        return same;
    });
    if (!same) return false;
    ForEachRow(areas, image, [&](uint32_t* pixels, size_t offset, size_t width) {
        std::memcpy(pixels, kept.after.data() + offset, width * sizeof(uint32_t));
        return true;
    });
    return true;
}

std::vector<uint32_t> TextMemo::Copy(const DrawingAreas& areas, PixelImage image) {
    std::vector<uint32_t> pixels(PixelsOf(areas));
    ForEachRow(areas, image, [&](const uint32_t* row, size_t offset, size_t width) {
        std::copy(row, row + width, pixels.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    });
    return pixels;
}

void TextMemo::Keep(const TextDrawing& drawing, const DrawingAreas& areas, std::vector<uint32_t> before,
                    PixelImage after) {
    const size_t pixels = PixelsOf(areas);
    if (pixels > kMostPixelsADrawing || before.size() != pixels) return;
    if (keptPixels_ + 2 * pixels > kMostKeptPixels) {  // texts of entries come and go
        kept_.clear();
        keptPixels_ = 0;
    }
    Kept& kept = kept_[HashOf(drawing)];  // a drawing of the same hash gives way
    keptPixels_ -= kept.before.size() + kept.after.size();
    kept.bytes.assign(drawing.bytes);
    kept.at = drawing.at;
    kept.textColor = drawing.textColor;
    kept.backColor = drawing.backColor;
    kept.backMode = drawing.backMode;
    kept.areas = areas;
    kept.before = std::move(before);
    kept.after = Copy(areas, after);
    keptPixels_ += kept.before.size() + kept.after.size();
}

}  // namespace wordoria::platform
