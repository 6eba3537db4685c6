// Characters other systems type, read from an edit control by the program:
// each takes the code page 932 form of what Windows' Japanese input gives.
#include <windows.h>

#include "text/text_encoding.h"
#include "windows/native_qt.h"
#include "windows/qt_application.h"
#include "windows/window.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kTyped = u8"\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC";  // 〜−‖—¢£¬
const char kStored[] = "\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA";

QWidget* WidgetOf(HWND control) {
    wordoria::platform::Window* window = wordoria::platform::FindWindowObject(control);
    auto* native =
        window != nullptr ? dynamic_cast<wordoria::platform::QtNative*>(window->native.get()) : nullptr;
    return native != nullptr ? native->Widget() : nullptr;
}

std::string TextOf(HWND window) {
    char buffer[256];
    int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length));
}

// One key per character, as a keyboard layout or compose key sends them.
void Type(QWidget* widget, const QString& text) {
    for (QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

void Commit(QWidget* widget, const QString& text) {
    QInputMethodEvent composed;
    composed.setCommitString(text);
    QApplication::sendEvent(widget, &composed);
}

class TypedText : public ::testing::Test {
protected:
    void SetUp() override {
        wordoria::platform::EnsureQtApplication();
        WNDCLASSA parentClass{};
        parentClass.lpfnWndProc = DefWindowProcA;
        parentClass.lpszClassName = "TypedTextParent";
        RegisterClassA(&parentClass);
        parent_ = CreateWindowExA(0, "TypedTextParent", "typed", WS_OVERLAPPED | WS_CAPTION, 40, 40, 480, 240,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        ShowWindow(parent_, SW_SHOW);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND MakeEdit(DWORD style, int y, int height) {
        HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, y, 440,
                                    height, parent_, nullptr, nullptr, nullptr);
        EXPECT_NE(edit, nullptr);
        SetFocus(edit);
        return edit;
    }

    HWND parent_ = nullptr;
};

TEST_F(TypedText, ASingleLineEditHandsOutTheCodePage932Characters) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, 10, 24);
    auto* line = dynamic_cast<QLineEdit*>(WidgetOf(edit));
    ASSERT_NE(line, nullptr);
    Commit(line, QString::fromUtf8(kTyped));
    EXPECT_EQ(TextOf(edit), kStored);
    EXPECT_EQ(GetWindowTextLengthA(edit), 14);
    // A buffer that holds two characters gets two whole ones.
    char buffer[6];
    EXPECT_EQ(GetWindowTextA(edit, buffer, sizeof buffer), 4);
    EXPECT_EQ(std::string(buffer), "\x81\x60\x81\x7C");

    // Typed key by key, between other text.
    line->clear();
    Type(line, QString::fromUtf8(u8"1\u301C2 \u00A3"));
    EXPECT_EQ(TextOf(edit),
              "1\x81\x60"
              "2 \x81\x92");
}

TEST_F(TypedText, AMultiLineEditHandsOutTheCodePage932CharactersAcrossLines) {
    HWND edit = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL, 10, 120);
    auto* text = dynamic_cast<QPlainTextEdit*>(WidgetOf(edit));
    ASSERT_NE(text, nullptr);
    Commit(text, QString::fromUtf8(u8"\u2014\n") + QString::fromUtf8(kTyped));
    EXPECT_EQ(TextOf(edit), std::string("\x81\x5C\r\n") + kStored);
}

// What the program itself puts into a field is its own Shift-JIS, as it was.
TEST_F(TypedText, TheProgramsOwnTextReadsBackUnchanged) {
    HWND edit = MakeEdit(ES_AUTOHSCROLL, 10, 24);
    SetWindowTextA(edit, kStored);
    EXPECT_EQ(dynamic_cast<QLineEdit*>(WidgetOf(edit))->text(),
              QString::fromUtf8(u8"\uFF5E\uFF0D\u2225\u2015\uFFE0\uFFE1\uFFE2"));
    EXPECT_EQ(TextOf(edit), kStored);
}

// Typed text takes the table's forms; the layer's other conversions do not:
// a name must still read back as itself.
TEST(TypedTextEncoding, OnlyTypedTextTakesTheStandIns) {
    EXPECT_EQ(wordoria::platform::TypedUtf8ToAnsi(std::string(kTyped) + "a\xFF"),
              std::string(kStored) + "a?");
    std::string ansi;
    EXPECT_FALSE(wordoria::platform::Utf8ToAnsiExact(u8"\u2212.txt", &ansi));
    EXPECT_FALSE(wordoria::platform::Utf8ToAnsiExact(u8"\u00A2", &ansi));
}

}  // namespace
