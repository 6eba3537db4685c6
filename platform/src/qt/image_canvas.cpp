// Drawing into a window's backing image, clipped to what the device context
// may paint.
#include "qt/image_canvas.h"

#include "painting/text_memo.h"
#include "qt/fonts.h"
#include "qt/text.h"

#include <QStaticText>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string_view>
#include <unordered_map>

namespace wordoria::platform {

namespace {

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

// A solid fill needs no painter: the pixels within the clip are set in place
// (the erase of every paint is one, on a cell of 15 by 19 pixels).
void FillSolid(QImage* image, const Region& clip, const RECT& area, QRgb color) {
    RECT bounds{0, 0, image->width(), image->height()};
    auto* pixels = reinterpret_cast<QRgb*>(image->bits());
    const qsizetype stride = image->bytesPerLine() / 4;
    for (const RECT& rect : clip.Rects()) {
        RECT part = Intersection(Intersection(rect, area), bounds);
        if (IsEmpty(part)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            QRgb* row = pixels + y * stride;
            std::fill(row + part.left, row + part.right, color);
        }
    }
}

// Marks what the operation may have touched, within the clip, as changed.
void NoteChanged(const Region& clip, const RECT& area, Region* changed) {
    for (const RECT& rect : clip.Rects()) changed->Add(Intersection(rect, area));
}

// A text as drawn: its characters for Qt and its width in the system font.
// The view draws the same few dozen texts on every paint, so both are kept.
struct TextLayout {
    QStaticText text;  // shaped once, drawn many times
    int width;
    QRect ink;         // what its glyphs cover, from the point it is drawn at
};

// Looked up by the bytes as the program passed them, so a paint that finds
// its texts known allocates nothing.
const TextLayout& LayoutOf(std::string_view bytes) {
    static std::deque<std::string> keys;  // the storage the map's views point into
    static std::unordered_map<std::string_view, TextLayout> layouts;
    auto found = layouts.find(bytes);
    if (found != layouts.end()) return found->second;
    if (layouts.size() > 4096) {  // texts of entries come and go
        layouts.clear();
        keys.clear();
    }
    static const QFontMetrics metrics(SystemFont());
    const std::string& key = keys.emplace_back(bytes);
    QString text = ToQString(key);
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    shaped.prepare(QTransform(), SystemFont());
    // A pixel more all round: what the rasteriser rounds out stays within it.
    QRect ink = metrics.boundingRect(text).translated(0, metrics.ascent()).adjusted(-1, -1, 1, 1);
    return layouts.emplace(key, TextLayout{shaped, metrics.horizontalAdvance(text), ink}).first->second;
}

// What of the image a text drawing may change: its reach within the clip.
// False when the drawing is not one to remember.
bool AreasOf(const Region& clip, const RECT& reach, const QImage& image, DrawingAreas* areas) {
    if (image.depth() != 32) return false;
    RECT bounds{0, 0, image.width(), image.height()};
    for (const RECT& rect : clip.Rects()) {
        RECT part = Intersection(Intersection(rect, reach), bounds);
        if (IsEmpty(part)) continue;
        if (areas->count == DrawingAreas::kMost) return false;
        areas->rects[areas->count++] = part;
    }
    return TextMemo::Fits(*areas);
}

TextMemo& TheTextMemo() {
    static TextMemo memo;
    return memo;
}

void DrawText(QPainter* painter, const TextColors& colors, int x, int y, const TextLayout& layout, int lineHeight) {
    if (colors.backMode == OPAQUE) painter->fillRect(QRect(x, y, layout.width, lineHeight), ToQColor(colors.back));
    painter->setPen(ToQColor(colors.text));
    painter->drawStaticText(x, y, layout.text);
}

// Whether a drawing into `area` could change anything inside the clip.
bool Touches(const Region& clip, const RECT& area) {
    for (const RECT& rect : clip.Rects()) {
        if (!IsEmpty(Intersection(rect, area))) return true;
    }
    return false;
}

QRegion ToQRegion(const Region& region) {
    QRegion result;
    for (const RECT& r : region.Rects()) result += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return result;
}

}  // namespace

QPainter* ImageCanvas::PainterFor(const Region& clip) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(image_);
        painter_->setFont(SystemFont());
        painterClip_ = nullptr;
    }
    if (painterClip_ != &clip) {
        painter_->setClipRegion(ToQRegion(clip));
        painterClip_ = &clip;
    }
    return painter_.get();
}

// Everything drawn is in the image before it is shown.
void ImageCanvas::EndDrawing() {
    painter_.reset();
    painterClip_ = nullptr;
}

void ImageCanvas::Fill(const Region& clip, const RECT& area, COLORREF color, Region* changed) {
    if (IsEmpty(area) || !Touches(clip, area)) return;
    FillSolid(image_, clip, area, ToQColor(color).rgb());
    NoteChanged(clip, area, changed);
}

void ImageCanvas::Text(const Region& clip, POINT at, std::string_view bytes, const TextColors& colors,
                       Region* changed) {
    const int x = at.x, y = at.y;
    static const int lineHeight = QFontMetrics(SystemFont()).height();  // asked of the font once
    // A text wholly outside the clip is skipped before its width is looked up
    // (a hover repaint clips all but one cell away). No character of the
    // system font is wider than 16 pixels a byte.
    RECT band{x - 2, y, x + 2 + 16 * static_cast<int>(bytes.size()), y + lineHeight};
    if (!Touches(clip, band)) return;
    const TextLayout& layout = LayoutOf(bytes);
    QRect drawn = QRect(x, y, layout.width, lineHeight).united(layout.ink.translated(x, y));
    RECT reach{drawn.left(), drawn.top(), drawn.right() + 1, drawn.bottom() + 1};
    if (!Touches(clip, reach)) return;

    TextDrawing drawing{bytes, {x, y}, colors.text, colors.back, colors.backMode};
    DrawingAreas areas;
    bool rememberable = AreasOf(clip, reach, *image_, &areas);
    PixelImage pixels{reinterpret_cast<uint32_t*>(image_->bits()), image_->bytesPerLine() / 4};
    if (rememberable && TheTextMemo().Replay(drawing, areas, pixels)) {
        NoteChanged(clip, reach, changed);
        return;
    }
    QPainter* painter = PainterFor(clip);
    std::vector<uint32_t> before;
    if (rememberable) before = TextMemo::Copy(areas, pixels);
    DrawText(painter, colors, x, y, layout, lineHeight);
    if (rememberable) TheTextMemo().Keep(drawing, areas, std::move(before), pixels);
    NoteChanged(clip, reach, changed);
}

// Bresenham; like Win32, the end point is left out.
void ImageCanvas::Line(const Region& clip, POINT from, POINT to, COLORREF color, Region* changed) {
    const int x = to.x, y = to.y;
    RECT box{std::min<LONG>(from.x, x), std::min<LONG>(from.y, y), std::max<LONG>(from.x, x) + 1,
             std::max<LONG>(from.y, y) + 1};
    if (!Touches(clip, box)) return;
    QPainter* painter = PainterFor(clip);
    QColor qcolor = ToQColor(color);
    if (from.x == x || from.y == y) {
        // Straight lines are rectangles one pixel thick, the end point left out.
        int left = std::min<LONG>(from.x, x + (x > from.x ? -1 : 1) * (from.x != x));
        int top = std::min<LONG>(from.y, y + (y > from.y ? -1 : 1) * (from.y != y));
        int width = from.x == x ? 1 : std::abs(x - from.x);
        int height = from.y == y ? 1 : std::abs(y - from.y);
        if (from.x != x || from.y != y) painter->fillRect(QRect(left, top, width, height), qcolor);
    } else {
        painter->setPen(qcolor);
        int dx = std::abs(x - from.x), sx = from.x < x ? 1 : -1;
        int dy = -std::abs(y - from.y), sy = from.y < y ? 1 : -1;
        int error = dx + dy;
        int px = from.x, py = from.y;
        while (px != x || py != y) {
            painter->drawPoint(px, py);
            int twice = 2 * error;
            if (twice >= dy) error += dy, px += sx;
            if (twice <= dx) error += dx, py += sy;
        }
    }
    NoteChanged(clip, box, changed);
}

}  // namespace wordoria::platform
