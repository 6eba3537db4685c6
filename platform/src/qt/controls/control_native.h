// What the predefined controls share on the Qt side: the widget placed at the
// window's rectangle, its frame, its font, and the way user actions reach the
// window procedure.
#pragma once

#include <windows.h>

#include "qt/native.h"
#include "windows/window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

class QFrame;

class QPainter;

namespace wordoria::platform {

// A control posts this to itself when the user acted on its widget; its window
// procedure, not the Qt event handler, then tells the parent, as the control's
// own input handling does on Win32. wParam: the notification code.
const UINT WM_CONTROL_NOTIFY = 0x7F00;

class ControlNative : public QtNative {
public:
    // Takes the widget, puts it in the parent's client area, hidden, and below
    // the siblings made before it: Win32 stacks the first control on top.
    ControlNative(const Window& window, QWidget* widget);
    ~ControlNative() override;

    void SetGeometry(const RECT& windowRect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Activate() override {}
    void Focus() override;
    void Present(const Region& changed) override;
    QWidget* Widget() override { return widget_; }
    QWidget* Container() override { return widget_; }
    bool IsControl() const override { return true; }

    // WM_SETFONT with a font the layer knows.
    virtual void SetFont(const QFont& font);

protected:
    HWND Handle() const { return window_; }

private:
    HWND window_;
    QPointer<QWidget> widget_;  // gone already if the parent's widget went first
};

// Input stays with the control, as on Win32: keys move no focus (the program
// does no dialog navigation), and neither keys nor clicks that reached the
// control go on to the dialog behind it.
template <typename Base>
class KeepsInput : public Base {
public:
    using Base::Base;

protected:
    bool focusNextPrevChild(bool) override { return false; }
    void keyPressEvent(QKeyEvent* event) override {
        Base::keyPressEvent(event);
        event->accept();
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        Base::keyReleaseEvent(event);
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        Base::mousePressEvent(event);
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        Base::mouseReleaseEvent(event);
        event->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        Base::mouseDoubleClickEvent(event);
        event->accept();
    }
};

// Queues a notification that the control's procedure delivers when dispatched.
void QueueNotification(HWND control, WORD code);
// WM_COMMAND to the control's parent: the id and the code in wParam, the control in lParam.
void NotifyParent(HWND control, WORD code);
// The handling every control's procedure falls back to: initial text, fonts,
// painting (Qt paints controls; the update region only has to be validated),
// queued notifications, then DefWindowProcA.
LRESULT ControlDefaultProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Pixels between the window rectangle and the client area, on every side.
int FrameWidth(const Window& window);
// The window's border and edges, drawn inside `rect` (the window rectangle).
// Edits and list boxes draw WS_BORDER as a sunken line (the dialogs' three-
// dimensional look); other controls as a black one.
void DrawFrame(QPainter& painter, const Window& window, const QRect& rect, bool sunkenBorder = false);
// For a scroll area (edit, list box): a frame as wide as the window's, which
// keeps the scroll bars and the viewport inside it, and its look redrawn to
// match the other controls' after Qt painted it.
void FrameScrollArea(QFrame* area, const Window& window);
void RedrawFrame(QWidget* widget, HWND window, bool sunkenBorder);
QColor SystemQColor(int index);

// A control class of the Qt driver: its window procedure and the widget
// made for each of its windows.
struct QtControlClass {
    const char* name;
    UINT style;
    WNDPROC proc;
    std::unique_ptr<NativeWindow> (*create)(Window& window);
};
QtControlClass ButtonClass();
QtControlClass EditClass();
QtControlClass StaticClass();
QtControlClass ListBoxClass();

}  // namespace wordoria::platform
