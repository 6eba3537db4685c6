#include "message_boxes/message_box_qt.h"

#include "windows/native_qt.h"
#include "windows/native_window.h"
#include "windows/qt_application.h"
#include "text/text_encoding.h"
#include "windows/window.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace wordoria::platform {
namespace {

struct ButtonChoice {
    int id;
    const char16_t* label;
};

std::vector<ButtonChoice> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"キャンセル"}};
    case MB_YESNO: return {{IDYES, u"はい(&Y)"}, {IDNO, u"いいえ(&N)"}};
    case MB_YESNOCANCEL: return {{IDYES, u"はい(&Y)"}, {IDNO, u"いいえ(&N)"}, {IDCANCEL, u"キャンセル"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"再試行(&R)"}, {IDCANCEL, u"キャンセル"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, u"中止(&A)"}, {IDRETRY, u"再試行(&R)"}, {IDIGNORE, u"無視(&I)"}};
    default: return {{IDOK, u"OK"}};
    }
}

// What Escape and the close box answer; 0 when the box offers no way out but its buttons.
int EscapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    default: return 0;
    }
}

// Dispatches the thread's messages until the box is answered, as the box's
// own loop does on Windows: the program's windows keep working meanwhile.
void RunNestedLoop(const QMessageBox& box, const bool& answered) {
    while (!answered && box.isVisible()) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitForNativeEvents(5);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // Left for the program's own loop, which ends on it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int ShowQtMessageBox(const testing::MessageBoxCall& call) {
    EnsureQtApplication();
    QMessageBox box;
    box.setWindowTitle(ToQString(call.caption));
    box.setText(ToQString(call.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);

    std::vector<std::pair<QAbstractButton*, int>> answers;
    for (const ButtonChoice& choice : ButtonsOf(call.type)) {
        QPushButton* button = box.addButton(QString::fromUtf16(choice.label), QMessageBox::AcceptRole);
        answers.emplace_back(button, choice.id);
        if (choice.id == EscapeAnswer(call.type)) box.setEscapeButton(button);
    }
    box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));

    // Only the owner is disabled while the box is open; without one, nothing is.
    HWND owner = FindWindowObject(call.owner) != nullptr ? call.owner : nullptr;
    bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    bool answered = false;
    QObject::connect(&box, &QMessageBox::finished, [&answered] { answered = true; });
    box.setWindowModality(Qt::NonModal);
    if (EscapeAnswer(call.type) == 0) box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    box.show();
    box.raise();
    box.activateWindow();
    RunNestedLoop(box, answered);
    box.hide();
    if (ownerWasEnabled) EnableWindow(owner, TRUE);

    for (const auto& [button, id] : answers) {
        if (box.clickedButton() == button) return id;
    }
    return EscapeAnswer(call.type) != 0 ? EscapeAnswer(call.type) : answers.front().second;
}

}  // namespace wordoria::platform
