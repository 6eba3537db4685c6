// What a Win32 edit control offers besides typing: its editing keys and its
// context menu, which Qt's editors offer differently.
#pragma once

#include <QPoint>

class QKeyEvent;
class QWidget;

namespace wordoria::platform {

// Keys Qt's editors take that Win32's edit controls ignore: select-all and redo.
bool IsForeignEditKey(const QKeyEvent* event);

struct EditState {
    bool canUndo;
    bool hasSelection;
    bool allSelected;
    bool readOnly;
    bool password;
};

enum class EditCommand { None, Undo, Cut, Copy, Paste, Delete, SelectAll };

// Shows the edit control's context menu, in Japanese and with the items
// enabled as Win32 enables them, and gives the command chosen.
EditCommand RunEditMenu(const EditState& state, const QPoint& globalPosition, QWidget* parent);

}  // namespace wordoria::platform
