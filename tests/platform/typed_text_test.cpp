// Characters other systems type, read from edit controls by the program:
// each takes the code page 932 form of what Windows' Japanese input gives.
#include <windows.h>

#include <platform/testing.h>

#include "qt/native.h"
#include "windows/window.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <string>

namespace {

QWidget* WidgetOf(HWND control) {
    auto* native = wordoria::platform::NativeOf<wordoria::platform::QtNative>(control);
    return native != nullptr ? native->Widget() : nullptr;
}

std::string TextOf(HWND window) {
    char buffer[256];
    int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length));
}

void Commit(QWidget* widget, const char* utf8) {
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8(utf8));
    QApplication::sendEvent(widget, &composed);
}

// One key a character, as a keyboard layout or a compose key sends them.
void Type(QWidget* widget, const char* utf8) {
    for (QChar character : QString::fromUtf8(utf8)) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

TEST(TypedText, EditsHandOutTheCodePage932CharactersOfWhatOtherSystemsType) {
    wordoria::testing::StartTestDriver();
    WNDCLASSA parentClass{};
    parentClass.lpfnWndProc = DefWindowProcA;
    parentClass.lpszClassName = "TypedTextParent";
    RegisterClassA(&parentClass);
    HWND parent = CreateWindowExA(0, "TypedTextParent", "typed", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 480, 240,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND line = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 440, 24,
                                parent, nullptr, nullptr, nullptr);
    HWND multi = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 10, 50,
                                 440, 120, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent != nullptr && line != nullptr && multi != nullptr);
    const char* typed = u8"\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC";  // 〜−‖—¢£¬
    const std::string stored = "\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA";

    SetFocus(line);
    Commit(WidgetOf(line), typed);
    EXPECT_EQ(TextOf(line), stored);
    EXPECT_EQ(GetWindowTextLengthA(line), 14);
    dynamic_cast<QLineEdit*>(WidgetOf(line))->clear();
    Type(WidgetOf(line), u8"1\u301C2 \u00A3");
    EXPECT_EQ(TextOf(line),
              "1\x81\x60"
              "2 \x81\x92");

    SetFocus(multi);
    Commit(WidgetOf(multi), u8"\u2014\n\u2212");
    EXPECT_EQ(TextOf(multi), "\x81\x5C\r\n\x81\x7C");
    DestroyWindow(parent);
}

}  // namespace
