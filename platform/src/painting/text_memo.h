// Text drawings remembered by what they did to the pixels. The view repaints
// the cell under the pointer on every loop turn, each time the same text on
// the same background: the pixels it made then are copied, not drawn again.
// A drawing is replayed only onto pixels equal to those it was first drawn
// on, so a replay gives exactly what drawing would.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wordoria::platform {

// 32-bit pixels, `stride` of them a row.
struct PixelImage {
    uint32_t* bits;
    std::ptrdiff_t stride;
};

// What decides the pixels of one text drawing, besides those it is drawn on.
struct TextDrawing {
    std::string_view bytes;
    POINT at;
    COLORREF textColor;
    COLORREF backColor;
    int backMode;
};

// The parts of an image a drawing may change: its reach within each clip rectangle.
struct DrawingAreas {
    static constexpr size_t kMost = 8;
    std::array<RECT, kMost> rects;
    size_t count = 0;
};

class TextMemo {
public:
    // Sets the areas' pixels as the drawing made them, if it was kept for
    // exactly these pixels. False when it must be drawn.
    bool Replay(const TextDrawing& drawing, const DrawingAreas& areas, PixelImage image) const;
    // The areas' pixels before the drawing, to be given to Keep after it.
    static std::vector<uint32_t> Copy(const DrawingAreas& areas, PixelImage image);
    void Keep(const TextDrawing& drawing, const DrawingAreas& areas, std::vector<uint32_t> before,
              PixelImage after);
    // Whether the areas are small enough to keep: whole repaints draw larger
    // texts, and seldom twice alike.
    static bool Fits(const DrawingAreas& areas);

private:
    // Filed by the drawing's hash; each keeps what it was drawn with, so that
    // a lookup, made on every hover turn, builds no key.
    struct Kept {
        std::string bytes;
        POINT at;
        COLORREF textColor, backColor;
        int backMode;
        DrawingAreas areas;
        std::vector<uint32_t> before, after;
        bool IsOf(const TextDrawing& drawing, const DrawingAreas& drawnAreas) const;
    };
    static size_t HashOf(const TextDrawing& drawing);

    std::unordered_map<size_t, Kept> kept_;
    size_t keptPixels_ = 0;
};

}  // namespace wordoria::platform
