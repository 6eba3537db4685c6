// The control classes' registration and what their Qt sides share.
#include "qt/fonts.h"

#include "qt/controls/control_native.h"
#include "queue/message_queue.h"

#include <QFrame>
#include <QPainter>
#include <qdrawutil.h>

namespace wordoria::platform {

ControlNative::ControlNative(const Window& window, QWidget* widget)
    : window_(window.handle), widget_(widget) {
    TagWidget(widget, window.handle);
    widget->hide();
    widget->lower();
    widget->setFont(SystemFont());
    widget->setEnabled(window.enabled);
}

ControlNative::~ControlNative() { delete widget_.data(); }

void ControlNative::SetGeometry(const RECT& rect) {
    if (widget_ == nullptr) return;
    widget_->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void ControlNative::SetVisible(bool visible) {
    if (widget_ != nullptr) widget_->setVisible(visible);
}

void ControlNative::SetEnabled(bool enabled) {
    if (widget_ != nullptr) widget_->setEnabled(enabled);
}

void ControlNative::Focus() {
    if (widget_ != nullptr) widget_->setFocus();
}

void ControlNative::Present(const Region&) {
    if (widget_ != nullptr) widget_->update();
}

void ControlNative::SetFont(const QFont& font) {
    if (widget_ != nullptr) widget_->setFont(font);
}

void QueueNotification(HWND control, WORD code) { PostInput(control, WM_CONTROL_NOTIFY, code, 0); }

void NotifyParent(HWND control, WORD code) {
    Window* window = FindWindowObject(control);
    if (window == nullptr) return;
    HWND parent = window->IsChild() ? window->parent : window->owner;
    if (parent == nullptr) return;
    Send(parent, WM_COMMAND, MAKEWPARAM(window->id, code), reinterpret_cast<LPARAM>(control));
}

LRESULT ControlDefaultProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        // The creation text is the window's first text: the widget shows it too.
        LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        if (Window* window = FindWindowObject(handle)) window->native->TextChanged();
        return result;
    }
    case WM_SETFONT: {
        DefWindowProcA(handle, message, wParam, lParam);
        QFont font;
        if (!FontOf(reinterpret_cast<HFONT>(wParam), &font)) font = SystemFont();
        if (auto* native = NativeOf<ControlNative>(handle)) native->SetFont(font);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        ValidateRect(handle, nullptr);
        if (auto* native = NativeOf<ControlNative>(handle)) native->Widget()->update();
        return 0;
    case WM_CONTROL_NOTIFY: NotifyParent(handle, LOWORD(wParam)); return 0;
    default: return DefWindowProcA(handle, message, wParam, lParam);
    }
}

int FrameWidth(const Window& window) { return NonClientExtents(window).left; }

void DrawFrame(QPainter& painter, const Window& window, const QRect& rect, bool sunkenBorder) {
    // The classic three-dimensional colours, as Win32 draws its edges.
    QPalette palette;
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
    palette.setColor(QPalette::Dark, QColor(160, 160, 160));
    palette.setColor(QPalette::Shadow, QColor(105, 105, 105));
    QRect band = rect;
    if (window.IsChild() && (window.style & WS_BORDER)) {
        if (sunkenBorder) {
            qDrawShadePanel(&painter, band, palette, true, 1);
        } else {
            painter.save();
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(band.adjusted(0, 0, -1, -1));
            painter.restore();
        }
        band.adjust(1, 1, -1, -1);
    }
    if (window.exStyle & WS_EX_CLIENTEDGE) {
        qDrawWinPanel(&painter, band, palette, true);
        band.adjust(2, 2, -2, -2);
    }
    if (window.exStyle & WS_EX_STATICEDGE) qDrawShadePanel(&painter, band, palette, true, 1);
}

void FrameScrollArea(QFrame* area, const Window& window) {
    int width = FrameWidth(window);
    area->setFrameStyle(width > 0 ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    area->setLineWidth(width);
}

void RedrawFrame(QWidget* widget, HWND window, bool sunkenBorder) {
    Window* record = FindWindowObject(window);
    if (record == nullptr || FrameWidth(*record) == 0) return;
    QPainter painter(widget);
    DrawFrame(painter, *record, widget->rect(), sunkenBorder);
}

QColor SystemQColor(int index) {
    COLORREF color = GetSysColor(index);
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace wordoria::platform
