// The real box, under Qt's offscreen platform, answered by simulated clicks and keys.
#include <windows.h>

#include <platform/testing.h>

#include "text/text_encoding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>


namespace {

// The box on screen: it is not application-modal, the program stays usable beside it.
QMessageBox* OpenBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible()) return box;
    }
    return nullptr;
}

struct Seen {
    QString title, text;
    QStringList buttons;
};

class MessageBox : public ::testing::Test {
protected:
    void SetUp() override { wordoria::testing::StartTestDriver(); }
};

TEST_F(MessageBox, ShowsCaptionTextAndButtonsAndAnswersWithTheClickedOne) {
    Seen* seen = nullptr;
    QTimer::singleShot(50, [&] {
        QMessageBox* box = OpenBox();
        ASSERT_NE(box, nullptr);
        static Seen s;
        s.title = box->windowTitle();
        s.text = box->text();
        for (QAbstractButton* button : box->buttons()) s.buttons << button->text();
        seen = &s;
        box->buttons().at(1)->click();
    });
    int answer = MessageBoxA(nullptr, "下記の内容で登録します。\n\n宜しいですか？", "確認メッセージ", MB_OKCANCEL);
    EXPECT_EQ(answer, IDCANCEL);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->title, QString::fromUtf8(u8"確認メッセージ"));
    EXPECT_EQ(seen->text, QString::fromUtf8(u8"下記の内容で登録します。\n\n宜しいですか？"));
    EXPECT_EQ(seen->buttons.size(), 2);
}

TEST_F(MessageBox, EscapeGivesWhatTheCloseBoxWould) {
    auto pressEscape = [] {
        QTimer::singleShot(50, [] { QTest::keyClick(OpenBox(), Qt::Key_Escape); });
    };
    pressEscape();
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OK), IDOK);
    pressEscape();
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OKCANCEL), IDCANCEL);

    // Yes/No has no way out but its buttons: Escape does nothing, so press No after it.
    bool closable = true;
    QTimer::singleShot(50, [&] {
        QWidget* box = OpenBox();
        closable = box->windowFlags().testFlag(Qt::WindowCloseButtonHint);
        QTest::keyClick(box, Qt::Key_Escape);
        QTimer::singleShot(50, [] {
            QMessageBox* stillOpen = OpenBox();
            ASSERT_NE(stillOpen, nullptr);
            stillOpen->buttons().at(1)->click();
        });
    });
    EXPECT_EQ(MessageBoxA(nullptr, "終了しますか？", "確認メッセージ", MB_YESNO), IDNO);
    EXPECT_FALSE(closable);
}

TEST_F(MessageBox, HookRecordsAndAnswersWithoutShowingAnything) {
    wordoria::testing::MessageBoxHook outer;
    {
        wordoria::testing::MessageBoxHook inner([](const wordoria::testing::MessageBoxCall&) { return IDCANCEL; });
        EXPECT_EQ(MessageBoxA(nullptr, "a", "お知らせ", MB_OKCANCEL), IDCANCEL);
        ASSERT_EQ(inner.calls().size(), 1u);
        EXPECT_EQ(inner.calls()[0].caption, "お知らせ");
        EXPECT_EQ(inner.calls()[0].type, static_cast<UINT>(MB_OKCANCEL));
    }
    EXPECT_EQ(MessageBoxA(nullptr, "b", nullptr, MB_YESNO), IDYES);
    ASSERT_EQ(outer.calls().size(), 1u);
    EXPECT_EQ(outer.calls()[0].caption, "Error");
    EXPECT_EQ(outer.calls()[0].text, "b");
}

}  // namespace
