// A top-level window: a fixed-size Qt window with the menu bar, the client
// edge and the client area.
#include "qt/native.h"

#include "dialogs/menu.h"
#include "queue/message_queue.h"
#include "windows/window_internal.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>

#include <xcb/xcb.h>

#include <algorithm>
#include <vector>

namespace wordoria::platform {
namespace {

// Another X client may destroy a window of ours (xdotool windowclose, a
// session tool): Qt 6 keeps the widget and tells of it no more than of a
// window unmapped. The program learns of it as of its window destroyed.
class ForeignDestruction : public QAbstractNativeEventFilter {
public:
    static ForeignDestruction& Instance() {
        // Never destroyed, as the application it is installed in is not.
        static auto* watch = new ForeignDestruction;
        return *watch;
    }
    void Install() {
        if (installed_) return;
        QCoreApplication::instance()->installNativeEventFilter(this);
        installed_ = true;
    }
    std::vector<HWND> Take() {
        std::vector<HWND> taken;
        taken.swap(gone_);
        return taken;
    }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
        HWND window = TopLevelOfNativeId(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
        if (window != nullptr && std::find(gone_.begin(), gone_.end(), window) == gone_.end()) gone_.push_back(window);
        return false;
    }

private:
    // The window whose frame has this X window; none once the program has
    // destroyed it itself, as the frame then goes before the X window.
    static HWND TopLevelOfNativeId(xcb_window_t id) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->internalWinId() != id) continue;
            HWND window = WindowOfWidget(widget);
            Window* object = FindWindowObject(window);
            return object != nullptr && !object->IsChild() ? window : nullptr;
        }
        return nullptr;
    }

    bool installed_ = false;
    std::vector<HWND> gone_;
};

class Frame : public QWidget {
public:
    explicit Frame(HWND window) : window_(window) {}

protected:
    // The close box and Alt+F4 reach the program as Win32 delivers them.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (isEnabled()) PostInput(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

private:
    HWND window_;
};

class TopLevelNative : public QtNative {
public:
    explicit TopLevelNative(Window& window) : window_(window.handle) {
        WatchDestructionByOthers();
        frame_ = new Frame(window.handle);
        Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                Qt::MSWindowsFixedSizeDialogHint;
        if (window.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint;
        if (window.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
        if (window.style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
        frame_->setWindowFlags(flags);
        auto* layout = new QVBoxLayout(frame_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        menuBar_ = new QMenuBar(frame_);
        menuBar_->setFixedHeight(MENU_BAR_HEIGHT);
        menuBar_->setNativeMenuBar(false);
        layout->addWidget(menuBar_);
        edge_ = new QFrame(frame_);
        layout->addWidget(edge_);
        client_ = new CanvasWidget(window.handle, edge_);
        TagWidget(frame_, window.handle);
        TagWidget(client_, window.handle);
        MenuChanged();
        TextChanged();
    }
    ~TopLevelNative() override { delete frame_; }

    void SetGeometry(const RECT& rect) override {
        Window* window = FindWindowObject(window_);
        if (window == nullptr) return;
        RECT client = ClientRectOf(*window);
        int edge = (window->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0;
        edge_->setFrameStyle(edge != 0 ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
        edge_->setLineWidth(edge / 2);
        edge_->setMidLineWidth(edge - edge / 2);
        edge_->setFixedSize(client.right + 2 * edge, client.bottom + 2 * edge);
        client_->setGeometry(edge, edge, client.right, client.bottom);
        client_->ResizeImage(QSize(client.right, client.bottom));
        menuBar_->setVisible(window->menu != nullptr);
        int menuHeight = window->menu != nullptr ? MENU_BAR_HEIGHT : 0;
        frame_->setFixedSize(client.right + 2 * edge, client.bottom + 2 * edge + menuHeight);
        POINT origin = ClientOrigin(*window);
        frame_->move(origin.x - edge, origin.y - edge - menuHeight);
    }
    void SetVisible(bool visible) override { frame_->setVisible(visible); }
    void SetEnabled(bool enabled) override { frame_->setEnabled(enabled); }
    void Activate() override {
        frame_->raise();
        frame_->activateWindow();
    }
    void Focus() override { client_->setFocus(); }
    void Present(const Region& changed) override { client_->Show(changed); }
    void TextChanged() override {
        if (Window* window = FindWindowObject(window_)) frame_->setWindowTitle(ToQString(window->text));
    }
    void MenuChanged() override {
        menuBar_->clear();
        Window* window = FindWindowObject(window_);
        MenuData* menu = window != nullptr ? FindMenu(window->menu) : nullptr;
        if (menu == nullptr) return;
        int position = 0;
        for (const MenuItemData& item : menu->items) AddToBar(item, position++);
    }
    Canvas* PaintCanvas() override { return &client_->PaintCanvas(); }
    QWidget* Widget() override { return frame_; }
    QWidget* Container() override { return client_; }
    QWidget* KeyTarget() override { return client_; }

private:
    void AddToBar(const MenuItemData& item, int position) {
        QString text = QString::fromStdString(item.text);
        if (item.popup == nullptr) {
            QAction* action = menuBar_->addAction(text);
            ConnectCommand(action, item.id);
            return;
        }
        QMenu* dropDown = menuBar_->addMenu(text);
        HMENU popup = item.popup;
        QObject::connect(dropDown, &QMenu::aboutToShow, [this, popup, position] {
            Send(window_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, 0));
        });
        if (MenuData* items = FindMenu(popup)) {
            for (const MenuItemData& entry : items->items) {
                if (entry.separator) {
                    dropDown->addSeparator();
                } else {
                    ConnectCommand(dropDown->addAction(QString::fromStdString(entry.text)), entry.id);
                }
            }
        }
    }
    // A chosen command is posted, as the menu loop of Win32 posts it.
    void ConnectCommand(QAction* action, UINT id) {
        HWND window = window_;
        QObject::connect(action, &QAction::triggered,
                         [window, id] { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); });
    }

    HWND window_;
    Frame* frame_;
    QMenuBar* menuBar_;
    QFrame* edge_;
    CanvasWidget* client_;
};

class ChildNative : public QtNative {
public:
    explicit ChildNative(Window& window) : window_(window.handle) {
        canvas_ = new CanvasWidget(window.handle, ContainerOf(window.parent));
        TagWidget(canvas_, window.handle);
        canvas_->hide();
    }
    ~ChildNative() override { delete canvas_.data(); }

    void SetGeometry(const RECT& rect) override {
        Window* window = FindWindowObject(window_);
        if (window == nullptr) return;
        RECT client = ClientRectOf(*window);
        POINT origin = ClientOrigin(*window);
        canvas_->setGeometry(origin.x, origin.y, client.right, client.bottom);
        canvas_->ResizeImage(QSize(client.right, client.bottom));
        (void)rect;
    }
    void SetVisible(bool visible) override {
        canvas_->setVisible(visible);
        if (visible) canvas_->raise();
    }
    void SetEnabled(bool enabled) override { canvas_->setEnabled(enabled); }
    void Activate() override {}
    void Focus() override { canvas_->setFocus(); }
    void Present(const Region& changed) override { canvas_->Show(changed); }
    Canvas* PaintCanvas() override { return canvas_ != nullptr ? &canvas_->PaintCanvas() : nullptr; }
    QWidget* Widget() override { return canvas_; }
    QWidget* Container() override { return canvas_; }

private:
    HWND window_;
    QPointer<CanvasWidget> canvas_;  // gone already if the parent's widget went first
};

}  // namespace

std::unique_ptr<NativeWindow> CreateTopLevelNative(Window& window) {
    return std::make_unique<TopLevelNative>(window);
}

std::unique_ptr<NativeWindow> CreateChildNative(Window& window) { return std::make_unique<ChildNative>(window); }

std::vector<HWND> TakeWindowsGoneFromScreen() { return ForeignDestruction::Instance().Take(); }

void WatchDestructionByOthers() { ForeignDestruction::Instance().Install(); }

QWidget* ContainerOf(HWND parent) {
    auto* native = NativeOf<QtNative>(parent);
    return native != nullptr ? native->Container() : nullptr;
}

}  // namespace wordoria::platform
