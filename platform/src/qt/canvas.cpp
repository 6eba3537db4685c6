#include "qt/native.h"

#include "painting/region.h"

#include "queue/message_queue.h"
#include "windows/window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace wordoria::platform {
namespace {

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

bool WantsDoubleClicks(HWND handle) {
    Window* window = FindWindowObject(handle);
    return window != nullptr && (window->windowClass->style & CS_DBLCLKS) != 0;
}

}  // namespace

CanvasWidget::CanvasWidget(HWND window, QWidget* parent) : QWidget(parent), window_(window) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CanvasWidget::ResizeImage(const QSize& size) {
    if (image_.size() == size) return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
}

bool CanvasWidget::ShownAsIs(const QRect& rect) const {
    const qsizetype bytes = rect.width() * 4;  // RGB32
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* now = image_.constScanLine(y) + rect.left() * 4;
        const uchar* before = shown_.constScanLine(y) + rect.left() * 4;
        if (std::memcmp(now, before, bytes) != 0) return false;
    }
    return true;
}

void CanvasWidget::Show(const Region& changed) {
    bool nothingShownYet = shown_.size() != image_.size();
    if (nothingShownYet) shown_ = image_.copy();
    for (const RECT& r : changed.Rects()) {
        QRect rect = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).intersected(image_.rect());
        if (rect.isEmpty() || (!nothingShownYet && ShownAsIs(rect))) continue;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            std::memcpy(shown_.scanLine(y) + rect.left() * 4, image_.constScanLine(y) + rect.left() * 4,
                        rect.width() * 4);
        update(rect);
    }
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& rect : event->region()) painter.drawImage(rect, image_, rect);
}

void CanvasWidget::PostMouse(unsigned message, QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    // No implicit capture: what happens outside the client area is not ours.
    if (!rect().contains(at)) return;
    PostInput(window_, message, MouseKeys(event->buttons(), event->modifiers()), MAKELPARAM(at.x(), at.y()));
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PostMouse(WM_LBUTTONDOWN, event);
    if (event->button() == Qt::RightButton) PostMouse(WM_RBUTTONDOWN, event);
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // Without CS_DBLCLKS the second click of a pair is a plain press.
    bool doubles = WantsDoubleClicks(window_);
    if (event->button() == Qt::LeftButton) PostMouse(doubles ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, event);
    if (event->button() == Qt::RightButton) PostMouse(doubles ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN, event);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PostMouse(WM_LBUTTONUP, event);
    if (event->button() == Qt::RightButton) PostMouse(WM_RBUTTONUP, event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) { PostMouse(WM_MOUSEMOVE, event); }

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    int key = VirtualKeyOf(event->key());
    if (key == 0) return;
    LPARAM flags = 1 | (event->isAutoRepeat() ? (1 << 30) : 0);
    PostInput(window_, WM_KEYDOWN, key, flags);
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    int key = VirtualKeyOf(event->key());
    if (key == 0 || event->isAutoRepeat()) return;
    PostInput(window_, WM_KEYUP, key, static_cast<LPARAM>(1 | (3u << 30)));
}

}  // namespace wordoria::platform
