#include "qt/controls/edit_commands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

namespace wordoria::platform {

bool IsForeignEditKey(const QKeyEvent* event) {
    return event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Redo);
}

EditCommand RunEditMenu(const EditState& state, const QPoint& globalPosition, QWidget* parent) {
    bool clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
    struct Item {
        const char16_t* label;
        EditCommand command;
        bool enabled;
    };
    const Item items[] = {
        {u"元に戻す(&U)", EditCommand::Undo, state.canUndo && !state.readOnly},
        {nullptr, EditCommand::None, false},
        {u"切り取り(&T)", EditCommand::Cut, state.hasSelection && !state.password && !state.readOnly},
        {u"コピー(&C)", EditCommand::Copy, state.hasSelection && !state.password},
        {u"貼り付け(&P)", EditCommand::Paste, clipboardHasText && !state.readOnly},
        {u"削除(&D)", EditCommand::Delete, state.hasSelection && !state.readOnly},
        {nullptr, EditCommand::None, false},
        {u"すべて選択(&A)", EditCommand::SelectAll, !state.allSelected},
    };
    QMenu menu(parent);
    for (const Item& item : items) {
        if (item.label == nullptr) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromUtf16(item.label));
        action->setEnabled(item.enabled);
        action->setData(static_cast<int>(item.command));
    }
    QAction* chosen = menu.exec(globalPosition);
    return chosen != nullptr ? static_cast<EditCommand>(chosen->data().toInt()) : EditCommand::None;
}

}  // namespace wordoria::platform
