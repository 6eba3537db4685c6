// A message box as a QMessageBox, shown without Qt's own modal loop: the
// core's loop waits for it.
#include "qt/message_box.h"

#include "qt/text.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace wordoria::platform {
namespace {

class QtMessageBox : public NativeMessageBox {
public:
    explicit QtMessageBox(const MessageBoxRequest& request) {
        box_.setWindowTitle(ToQString(request.caption));
        box_.setText(ToQString(request.text));
        box_.setTextFormat(Qt::PlainText);
        box_.setIcon(QMessageBox::NoIcon);
        for (const MessageBoxButton& choice : request.buttons) {
            QPushButton* button = box_.addButton(QString::fromStdString(choice.label), QMessageBox::AcceptRole);
            answers_.emplace_back(button, choice.answer);
            if (choice.answer == request.escapeAnswer) box_.setEscapeButton(button);
        }
        box_.setDefaultButton(static_cast<QPushButton*>(answers_.front().first));
        box_.setWindowModality(Qt::NonModal);
        if (request.escapeAnswer == 0) box_.setWindowFlag(Qt::WindowCloseButtonHint, false);
        box_.show();
        box_.raise();
        box_.activateWindow();
    }
    ~QtMessageBox() override { box_.hide(); }

    int Answer() const override {
        for (const auto& [button, id] : answers_) {
            if (box_.clickedButton() == button) return id;
        }
        return 0;
    }
    bool Open() const override { return box_.isVisible(); }

private:
    QMessageBox box_;
    std::vector<std::pair<QAbstractButton*, int>> answers_;
};

}  // namespace

std::unique_ptr<NativeMessageBox> OpenQtMessageBox(const MessageBoxRequest& request) {
    return std::make_unique<QtMessageBox>(request);
}

}  // namespace wordoria::platform
