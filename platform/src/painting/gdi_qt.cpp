// Drawing into a window's backing image: stock objects, rectangles, text and
// one-pixel lines, clipped to what the device context may paint.
#include <windows.h>

#include <platform/testing.h>

#include "painting/device_context.h"
#include "painting/text_memo.h"
#include "windows/native_qt.h"
#include "windows/window.h"

#include <QPainter>
#include <QRegion>
#include <QStaticText>
#include <cstdlib>
#include <algorithm>
#include <deque>
#include <string_view>
#include <unordered_map>

namespace wordoria::platform {

struct NativePainter {
    explicit NativePainter(QImage* image) : painter(image) {}
    QPainter painter;
};

void ClosePainter(NativePainter* painter) { delete painter; }

namespace {

struct GdiObject {
    enum Kind { Brush, Pen, Font } kind;
    COLORREF color;
    bool hollow;
};

GdiObject stockObjects[] = {
    {GdiObject::Brush, RGB(255, 255, 255), false},  // WHITE_BRUSH
    {GdiObject::Brush, RGB(192, 192, 192), false},  // LTGRAY_BRUSH
    {GdiObject::Brush, RGB(128, 128, 128), false},  // GRAY_BRUSH
    {GdiObject::Brush, RGB(64, 64, 64), false},     // DKGRAY_BRUSH
    {GdiObject::Brush, RGB(0, 0, 0), false},        // BLACK_BRUSH
    {GdiObject::Brush, 0, true},                    // NULL_BRUSH
    {GdiObject::Pen, RGB(255, 255, 255), false},    // WHITE_PEN
    {GdiObject::Pen, RGB(0, 0, 0), false},          // BLACK_PEN
    {GdiObject::Pen, 0, true},                      // NULL_PEN
    {GdiObject::Font, 0, false},                    // 9: OEM_FIXED_FONT
    {GdiObject::Font, 0, false},                    // ANSI_FIXED_FONT
    {GdiObject::Font, 0, false},                    // ANSI_VAR_FONT
    {GdiObject::Font, 0, false},                    // 12: unused
    {GdiObject::Font, 0, false},                    // SYSTEM_FONT
    {GdiObject::Font, 0, false},                    // DEVICE_DEFAULT_FONT
    {GdiObject::Font, 0, false},                    // DEFAULT_PALETTE stands here as nothing
    {GdiObject::Font, 0, false},                    // SYSTEM_FIXED_FONT
    {GdiObject::Font, 0, false},                    // DEFAULT_GUI_FONT
};
const int STOCK_COUNT = sizeof stockObjects / sizeof stockObjects[0];

const int SYSTEM_COLOR_COUNT = 31;

// A handle is the address of its object in the stock table.
GdiObject* ObjectOf(HGDIOBJ handle) {
    auto address = reinterpret_cast<uintptr_t>(handle);
    auto first = reinterpret_cast<uintptr_t>(&stockObjects[0]);
    if (address < first || address >= first + sizeof stockObjects) return nullptr;
    if ((address - first) % sizeof(GdiObject) != 0) return nullptr;
    return &stockObjects[(address - first) / sizeof(GdiObject)];
}

QImage* CanvasOf(const DeviceContext& context) {
    Window* window = FindWindowObject(context.window);
    return window != nullptr ? static_cast<QImage*>(window->native->Canvas()) : nullptr;
}

QRegion ClipOf(const DeviceContext& context) {
    QRegion clip;
    for (const RECT& r : context.clip.Rects()) clip += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return clip;
}

// One painter for all the drawing of a DC, clipped once.
QPainter* PainterOf(DeviceContext& context) {
    if (!context.painter) {
        QImage* image = CanvasOf(context);
        if (image == nullptr) return nullptr;
        context.painter.reset(new NativePainter(image));
        context.painter->painter.setClipRegion(ClipOf(context));
        context.painter->painter.setFont(SystemFont());
    }
    return &context.painter->painter;
}

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

// A solid fill needs no painter: the pixels within the clip are set in place
// (the erase of every paint is one, on a cell of 15 by 19 pixels).
void FillSolid(QImage* image, const DeviceContext& context, const RECT& area, QRgb color) {
    RECT bounds{0, 0, image->width(), image->height()};
    auto* pixels = reinterpret_cast<QRgb*>(image->bits());
    const qsizetype stride = image->bytesPerLine() / 4;
    for (const RECT& clip : context.clip.Rects()) {
        RECT part = Intersection(Intersection(clip, area), bounds);
        if (IsEmpty(part)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            QRgb* row = pixels + y * stride;
            std::fill(row + part.left, row + part.right, color);
        }
    }
}

// Marks what the operation may have touched, within the clip, as changed.
void NoteChanged(DeviceContext& context, const RECT& area) {
    for (const RECT& clip : context.clip.Rects()) context.changed.Add(Intersection(clip, area));
}

void Record(const testing::GdiCall& call) {
    if (auto* recorder = testing::ActiveGdiRecorder()) recorder->Record(call);
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
bool AreasOf(const DeviceContext& context, const RECT& reach, const QImage& image, DrawingAreas* areas) {
    if (image.depth() != 32) return false;
    RECT bounds{0, 0, image.width(), image.height()};
    for (const RECT& clip : context.clip.Rects()) {
        RECT part = Intersection(Intersection(clip, reach), bounds);
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

void DrawText(QPainter* painter, const DeviceContext& context, int x, int y, const TextLayout& layout,
              int lineHeight) {
    if (context.backMode == OPAQUE)
        painter->fillRect(QRect(x, y, layout.width, lineHeight), ToQColor(context.backColor));
    painter->setPen(ToQColor(context.textColor));
    painter->drawStaticText(x, y, layout.text);
}

// Whether a drawing into `area` could change anything inside the clip.
bool Touches(const DeviceContext& context, const RECT& area) {
    for (const RECT& clip : context.clip.Rects()) {
        if (!IsEmpty(Intersection(clip, area))) return true;
    }
    return false;
}


}  // namespace

COLORREF SystemColor(int index) {
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 0, 0);
    default: return RGB(255, 255, 255);
    }
}

bool BrushColor(HBRUSH brush, COLORREF* color) {
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= SYSTEM_COLOR_COUNT) {  // COLOR_xxx + 1, as a class may give it
        *color = SystemColor(static_cast<int>(value) - 1);
        return true;
    }
    GdiObject* object = ObjectOf(brush);
    if (object == nullptr || object->kind != GdiObject::Brush || object->hollow) return false;
    *color = object->color;
    return true;
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

namespace wordoria::testing {
namespace {
GdiRecorder* activeRecorder = nullptr;
}
GdiRecorder::GdiRecorder() : previous_(activeRecorder) { activeRecorder = this; }
GdiRecorder::~GdiRecorder() { activeRecorder = previous_; }
GdiRecorder* ActiveGdiRecorder() { return activeRecorder; }
}  // namespace wordoria::testing

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= STOCK_COUNT) return nullptr;
    return reinterpret_cast<HGDIOBJ>(&stockObjects[i]);
}

DWORD WINAPI GetSysColor(int nIndex) { return SystemColor(nIndex); }

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* context = FindDeviceContext(hDC);
    COLORREF color;
    if (context == nullptr || lprc == nullptr || !BrushColor(hbr, &color)) return 0;
    Record({wordoria::testing::GdiCall::Fill, context->window, *lprc, {0, 0}, {0, 0}, {}, color, 0});
    if (IsEmpty(*lprc) || !Touches(*context, *lprc)) return 1;
    QImage* image = CanvasOf(*context);
    if (image == nullptr) return 1;
    FillSolid(image, *context, *lprc, ToQColor(color).rgb());
    NoteChanged(*context, *lprc);
    return 1;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || lpString == nullptr || c < 0) return FALSE;
    std::string_view bytes(lpString, static_cast<size_t>(c));
    if (wordoria::testing::ActiveGdiRecorder() != nullptr) {
        Record({wordoria::testing::GdiCall::Text, context->window, {0, 0, 0, 0}, {x, y}, {x, y}, std::string(bytes),
                context->textColor, context->backMode});
    }
    static const int lineHeight = QFontMetrics(SystemFont()).height();  // asked of the font once
    // A text wholly outside the clip is skipped before its width is looked up
    // (a hover repaint clips all but one cell away). No character of the
    // system font is wider than 16 pixels a byte.
    RECT band{x - 2, y, x + 2 + 16 * c, y + lineHeight};
    if (!Touches(*context, band)) return TRUE;
    const TextLayout& layout = LayoutOf(bytes);
    QRect drawn = QRect(x, y, layout.width, lineHeight).united(layout.ink.translated(x, y));
    RECT reach{drawn.left(), drawn.top(), drawn.right() + 1, drawn.bottom() + 1};
    if (!Touches(*context, reach)) return TRUE;
    QImage* image = CanvasOf(*context);
    if (image == nullptr) return TRUE;

    TextDrawing drawing{bytes, {x, y}, context->textColor, context->backColor, context->backMode};
    DrawingAreas areas;
    bool rememberable = AreasOf(*context, reach, *image, &areas);
    PixelImage pixels{reinterpret_cast<uint32_t*>(image->bits()), image->bytesPerLine() / 4};
    if (rememberable && TheTextMemo().Replay(drawing, areas, pixels)) {
        NoteChanged(*context, reach);
        return TRUE;
    }
    QPainter* painter = PainterOf(*context);
    if (painter == nullptr) return TRUE;
    std::vector<uint32_t> before;
    if (rememberable) before = TextMemo::Copy(areas, pixels);
    DrawText(painter, *context, x, y, layout, lineHeight);
    if (rememberable) TheTextMemo().Keep(drawing, areas, std::move(before), pixels);
    NoteChanged(*context, reach);
    return TRUE;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int previous = context->backMode;
    context->backMode = mode;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return CLR_INVALID;
    COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return CLR_INVALID;
    COLORREF previous = context->backColor;
    context->backColor = color;
    return previous;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return FALSE;
    if (lppt != nullptr) *lppt = context->position;
    context->position = POINT{x, y};
    return TRUE;
}

// Bresenham from the current position; like Win32, the end point is left out.
BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return FALSE;
    POINT from = context->position;
    GdiObject* pen = ObjectOf(context->pen);
    COLORREF color = pen != nullptr ? pen->color : RGB(0, 0, 0);
    Record({wordoria::testing::GdiCall::Line, context->window, {0, 0, 0, 0}, from, {x, y}, {}, color, 0});
    context->position = POINT{x, y};
    if (pen != nullptr && pen->hollow) return TRUE;
    RECT box{std::min<LONG>(from.x, x), std::min<LONG>(from.y, y), std::max<LONG>(from.x, x) + 1,
             std::max<LONG>(from.y, y) + 1};
    if (!Touches(*context, box)) return TRUE;
    QPainter* painter = PainterOf(*context);
    if (painter == nullptr) return TRUE;
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
    NoteChanged(*context, box);
    return TRUE;
}
