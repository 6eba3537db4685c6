// BUTTON: push buttons, radio buttons and group boxes.
#include "qt/controls/control_native.h"
#include "queue/message_queue.h"
#include "controls/radio_group.h"

#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace wordoria::platform {
namespace {

LRESULT CALLBACK ButtonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

UINT TypeOf(const Window& window) { return window.style & BS_TYPEMASK; }
bool IsRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsAutoRadio(const Window& window) {
    return window.proc == ButtonProc && TypeOf(window) == BS_AUTORADIOBUTTON;
}

const QColor SHADOW(160, 160, 160);
const QColor GRAY_TEXT(128, 128, 128);

// A click on the widget reaches the window procedure as BM_CLICK, through the
// queue, as Win32's button acts on the input message when it is dispatched.
void PostClick(HWND button) { PostInput(button, BM_CLICK, 0, 0); }

class PushButton : public KeepsInput<QPushButton> {
public:
    PushButton(HWND window, bool isDefault, QWidget* parent) : KeepsInput(parent) {
        setAutoDefault(false);
        setDefault(isDefault);
        connect(this, &QAbstractButton::clicked, this, [window] { PostClick(window); });
    }
};

// A radio button whose mark only the window procedure sets (BM_CLICK, BM_SETCHECK).
class RadioButton : public KeepsInput<QRadioButton> {
public:
    RadioButton(HWND window, QWidget* parent) : KeepsInput(parent) {
        setAutoExclusive(false);
        connect(this, &QAbstractButton::clicked, this, [window] { PostClick(window); });
    }

protected:
    void nextCheckState() override {}
    // The whole window takes clicks, as on Win32, not only the mark and the text.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent*) override;
};

void RadioButton::paintEvent(QPaintEvent*) {
    // Win32's look at 96 dpi: a 13-pixel round mark, the text 4 pixels after it,
    // both centred vertically; compact enough for the dialogs' 19-unit buttons.
    const int mark = 13;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF circle(0.5, (height() - mark) / 2 + 0.5, mark - 1, mark - 1);
    painter.setPen(SHADOW);
    painter.setBrush(isEnabled() && !isDown() ? QColor(Qt::white) : SystemQColor(COLOR_BTNFACE));
    painter.drawEllipse(circle);
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? QColor(Qt::black) : GRAY_TEXT);
        painter.drawEllipse(circle.center(), 2.5, 2.5);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(isEnabled() ? QColor(Qt::black) : GRAY_TEXT);
    QRect textArea(mark + 4, 0, width() - mark - 4, height());
    QRect used;
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     text(), &used);
    if (hasFocus() && !text().isEmpty()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(used.adjusted(-1, 0, 0, -1) & rect().adjusted(0, 0, -1, -1));
    }
}

// A group box: an etched frame whose top line runs through the title. It takes
// no input: clicks go to what lies under it, as Win32's group box is transparent to them.
class GroupFrame : public QWidget {
public:
    explicit GroupFrame(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
    void SetTitle(const QString& title) {
        title_ = title;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString title_;
};

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFontMetrics metrics(font());
    int top = metrics.height() / 2 - 1;
    QRect frame(0, top, width(), height() - top);
    painter.setPen(SHADOW);
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(Qt::white);
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    if (title_.isEmpty()) return;
    // The title starts 7 pixels in, on the face colour, with a pixel of it either side.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    QRect textArea(7, 0, qMax(0, width() - 14), metrics.height());
    QRect used = painter.boundingRect(textArea, flags, title_) & textArea;
    painter.fillRect(used.adjusted(-1, 0, 1, 1), SystemQColor(COLOR_BTNFACE));
    painter.setPen(isEnabled() ? QColor(Qt::black) : GRAY_TEXT);
    painter.drawText(textArea, flags, title_);
}

class ButtonNative : public ControlNative {
public:
    ButtonNative(const Window& window, QAbstractButton* button)
        : ControlNative(window, button), button_(button) {}
    ButtonNative(const Window& window, GroupFrame* frame) : ControlNative(window, frame), frame_(frame) {}

    void TextChanged() override {
        Window* window = FindWindowObject(Handle());
        if (window == nullptr) return;
        QString text = ToQString(window->text);
        if (button_ != nullptr) button_->setText(text);
        if (frame_ != nullptr) frame_->SetTitle(text);
    }
    bool Checked() const { return button_ != nullptr && button_->isChecked(); }
    void SetChecked(bool checked) {
        if (button_ != nullptr && button_->isCheckable()) button_->setChecked(checked);
    }

private:
    QPointer<QAbstractButton> button_;
    QPointer<GroupFrame> frame_;
};

std::unique_ptr<NativeWindow> CreateButtonNative(Window& window) {
    QWidget* container = ContainerOf(window.parent);
    UINT type = TypeOf(window);
    if (type == BS_GROUPBOX) return std::make_unique<ButtonNative>(window, new GroupFrame(container));
    if (IsRadio(type))
        return std::make_unique<ButtonNative>(window, new RadioButton(window.handle, container));
    return std::make_unique<ButtonNative>(window,
                                          new PushButton(window.handle, type == BS_DEFPUSHBUTTON, container));
}

// The rest of the clicked button's group loses its mark, each by BM_SETCHECK.
void UncheckRestOfGroup(HWND handle) {
    Window* window = FindWindowObject(handle);
    Window* parent = window != nullptr && window->IsChild() ? FindWindowObject(window->parent) : nullptr;
    if (parent == nullptr) return;
    std::vector<HWND> siblings = parent->children;  // a copy: the procedures called below may change the list
    std::vector<GroupMember> members;
    size_t clicked = 0;
    for (size_t i = 0; i < siblings.size(); ++i) {
        Window* sibling = FindWindowObject(siblings[i]);
        if (sibling == nullptr) {
            members.push_back(GroupMember{false, false, false});
            continue;
        }
        members.push_back(GroupMember{(sibling->style & WS_GROUP) != 0, IsAutoRadio(*sibling),
                                      sibling->visible && sibling->enabled});
        if (siblings[i] == handle) clicked = i;
    }
    for (size_t index : RadioButtonsToUncheck(members, clicked)) {
        Send(siblings[index], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void Click(HWND handle) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr || TypeOf(*window) == BS_GROUPBOX) return;
    if (TypeOf(*window) == BS_AUTORADIOBUTTON) {
        Send(handle, BM_SETCHECK, BST_CHECKED, 0);
        UncheckRestOfGroup(handle);
    }
    NotifyParent(handle, BN_CLICKED);
}

// Sets the mark and nothing else: no notification, no other button changes.
void SetCheck(Window& window, WPARAM state) {
    if (!IsRadio(TypeOf(window))) return;
    bool checked = state != BST_UNCHECKED;
    // As on Win32, the checked radio button of a group is the one Tab stops at.
    if (checked) {
        window.style |= WS_TABSTOP;
    } else {
        window.style &= ~WS_TABSTOP;
    }
    if (auto* native = NativeOf<ButtonNative>(window.handle)) native->SetChecked(checked);
}

LRESULT CALLBACK ButtonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) return 0;
    switch (message) {
    case BM_CLICK: Click(handle); return 0;
    case BM_GETCHECK: {
        auto* native = NativeOf<ButtonNative>(handle);
        return native != nullptr && native->Checked() ? BST_CHECKED : BST_UNCHECKED;
    }
    case BM_SETCHECK: SetCheck(*window, wParam); return 0;
    default: return ControlDefaultProc(handle, message, wParam, lParam);
    }
}

}  // namespace

QtControlClass ButtonClass() { return QtControlClass{"Button", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ButtonProc, CreateButtonNative}; }

}  // namespace wordoria::platform
