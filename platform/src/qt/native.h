// What the Qt files share among themselves: the widgets behind windows.
#pragma once

#include <windows.h>

#include "qt/text.h"
#include "driver/driver.h"
#include "qt/image_canvas.h"
#include "windows/window.h"

#include <QFont>
#include <QImage>
#include <QWidget>

namespace wordoria::platform {

class QtNative : public NativeWindow {
public:
    // The widget that shows the window.
    virtual QWidget* Widget() = 0;
    // Where child windows' widgets go: the client area.
    virtual QWidget* Container() = 0;
    // What takes the keys while the window has the Win32 keyboard focus.
    virtual QWidget* KeyTarget() { return Widget(); }
    // A predefined control (button, edit, static, list box).
    virtual bool IsControl() const { return false; }
};

// Marks a widget as the Qt side of a window, so that Qt's input can be traced
// back to it; WindowOfWidget gives the window of the nearest marked widget at
// or above the given one, or null.
void TagWidget(QWidget* widget, HWND window);
HWND WindowOfWidget(const QWidget* widget);
// Routes keys to the Win32 focus window and keeps Win32's focus and
// activation where clicks and the desktop move them.
void InstallKeyboardFocus(class QApplication& application);

// A window's Qt side, or null when it has none of that kind.
template <typename Native>
Native* NativeOf(HWND handle) {
    Window* window = FindWindowObject(handle);
    return window != nullptr && window->native ? dynamic_cast<Native*>(window->native->Innermost()) : nullptr;
}

// The Qt side of top-level and child windows (top_window.cpp).
std::unique_ptr<NativeWindow> CreateTopLevelNative(Window& window);
std::unique_ptr<NativeWindow> CreateChildNative(Window& window);
std::vector<HWND> TakeWindowsGoneFromScreen();
// From now on a tagged top-level widget that another X client destroys is
// reported by TakeWindowsGoneFromScreen.
void WatchDestructionByOthers();

// The client area widget of the given window, for placing a child in it.
QWidget* ContainerOf(HWND parent);

// A font's average character width by Win32's rule, the unit of dialog layouts.
int AverageCharWidth(const QFont& font);

// A widget that shows a backing image the program paints into, and turns
// mouse and key input into queued Win32 messages for its window.
class CanvasWidget : public QWidget {
public:
    CanvasWidget(HWND window, QWidget* parent);
    QImage& Image() { return image_; }
    ImageCanvas& PaintCanvas() { return canvas_; }
    void ResizeImage(const QSize& size);
    // Brings the screen up to date where painting changed the image. A
    // repaint that left the pixels as they were sends nothing to the X server.
    void Show(const Region& changed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void PostMouse(unsigned message, QMouseEvent* event);
    bool ShownAsIs(const QRect& rect) const;
    HWND window_;
    QImage image_;
    ImageCanvas canvas_{&image_};
    QImage shown_;  // what was last handed to Qt to show; null until then
};

}  // namespace wordoria::platform
