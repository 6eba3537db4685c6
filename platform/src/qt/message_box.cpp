#include "qt/message_box.h"

#include "qt/native.h"
#include "queue/message_queue.h"
#include "windows/window.h"

#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace wordoria::platform {
namespace {

class QtMessageBox : public QtNative {
public:
    QtMessageBox(const Window& window, const MessageBoxRequest& request) : handle_(window.handle) {
        box_.setWindowTitle(ToQString(request.caption));
        box_.setText(ToQString(request.text));
        box_.setTextFormat(Qt::PlainText);
        box_.setIcon(QMessageBox::NoIcon);
        QPushButton* first = nullptr;
        for (const MessageBoxButton& choice : request.buttons) {
            QPushButton* button = box_.addButton(QString::fromStdString(choice.label), QMessageBox::AcceptRole);
            if (first == nullptr) first = button;
            if (choice.answer == request.escapeAnswer) box_.setEscapeButton(button);
            answers_.emplace_back(button, choice.answer);
        }
        box_.setDefaultButton(first);
        // Queued, as a control's click is: the box's procedure hears it when
        // the loop dispatches it. Closed without a button (the close box), it
        // is told as a Win32 box is.
        QObject::connect(&box_, &QMessageBox::finished, [this] {
            for (const auto& [button, answer] : answers_) {
                if (box_.clickedButton() != button) continue;
                PostInput(handle_, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                return;
            }
            PostInput(handle_, WM_CLOSE, 0, 0);
        });
        box_.setWindowModality(Qt::NonModal);
        if (request.escapeAnswer == 0) box_.setWindowFlag(Qt::WindowCloseButtonHint, false);
        TagWidget(&box_, handle_);
        WatchDestructionByOthers();
        box_.show();
        box_.raise();
        box_.activateWindow();
    }

    void SetGeometry(const RECT&) override {}  // the box sizes and places itself
    void SetVisible(bool visible) override { box_.setVisible(visible); }
    void SetEnabled(bool enabled) override { box_.setEnabled(enabled); }
    void Activate() override {
        box_.raise();
        box_.activateWindow();
    }
    void Focus() override { box_.setFocus(); }
    void Present(const Region&) override {}
    QWidget* Widget() override { return &box_; }
    QWidget* Container() override { return &box_; }

private:
    HWND handle_;
    QMessageBox box_;
    std::vector<std::pair<QAbstractButton*, int>> answers_;
};

}  // namespace

std::unique_ptr<NativeWindow> CreateQtMessageBox(Window& window, const MessageBoxRequest& request) {
    return std::make_unique<QtMessageBox>(window, request);
}

}  // namespace wordoria::platform
