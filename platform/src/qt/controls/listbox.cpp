// LISTBOX: a list of strings with at most one selected. The user's selection
// is told to the parent (with LBS_NOTIFY); the program's never is.
#include "qt/controls/control_native.h"

#include <QListWidget>

#include <cstring>

namespace wordoria::platform {
namespace {

// Each item keeps the bytes the program gave, so LB_GETTEXT hands back exactly those.
const int BYTES_ROLE = Qt::UserRole;

bool MovesSelection(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

class ListWidget : public KeepsInput<QListWidget> {
public:
    ListWidget(const Window& window, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    HWND window_;
    bool pressedOnItem_ = false;
    bool inDoubleClick_ = false;
};

ListWidget::ListWidget(const Window& window, QWidget* parent) : KeepsInput(parent), window_(window.handle) {
    FrameScrollArea(this, window);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);  // Win32 clips a long item, with no ellipsis
    setUniformItemSizes(true);
    setDragEnabled(false);
    setAcceptDrops(false);
    // The vertical bar comes when the items need it (always, with LBS_DISABLENOSCROLL); the
    // horizontal one would need LB_SETHORIZONTALEXTENT, which the program never sends.
    Qt::ScrollBarPolicy vertical = !(window.style & WS_VSCROLL)           ? Qt::ScrollBarAlwaysOff
                                   : (window.style & LBS_DISABLENOSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                          : Qt::ScrollBarAsNeeded;
    setVerticalScrollBarPolicy(vertical);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool ListWidget::event(QEvent* event) {
    bool handled = KeepsInput::event(event);
    if (event->type() == QEvent::Paint) RedrawFrame(this, window_, true);
    return handled;
}

// A click or a key selects the item it lands on and nothing else; Control does
// not deselect, and a click beside the items changes nothing.
QItemSelectionModel::SelectionFlags ListWidget::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
    if (!index.isValid() || (event != nullptr && event->type() == QEvent::MouseButtonRelease)) {
        return QItemSelectionModel::NoUpdate;
    }
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

// Win32 selects on the press and tells the parent on the release, even when
// the clicked item was selected already.
void ListWidget::mousePressEvent(QMouseEvent* event) {
    if (!inDoubleClick_ && event->button() == Qt::LeftButton) {
        pressedOnItem_ = itemAt(event->position().toPoint()) != nullptr;
    }
    KeepsInput::mousePressEvent(event);
}

void ListWidget::mouseReleaseEvent(QMouseEvent* event) {
    KeepsInput::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && pressedOnItem_) {
        pressedOnItem_ = false;
        QueueNotification(window_, LBN_SELCHANGE);
    }
}

// The second press of a double click is no new selection: its release tells nothing.
void ListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    inDoubleClick_ = true;
    KeepsInput::mouseDoubleClickEvent(event);
    inDoubleClick_ = false;
    pressedOnItem_ = false;
    if (event->button() == Qt::LeftButton) QueueNotification(window_, LBN_DBLCLK);
}

void ListWidget::keyPressEvent(QKeyEvent* event) {
    int before = currentRow();
    KeepsInput::keyPressEvent(event);
    // Win32 tells the parent after every moving key, moved or not, and after a
    // typed letter that found an item.
    if (count() > 0 && (MovesSelection(event->key()) || currentRow() != before)) {
        QueueNotification(window_, LBN_SELCHANGE);
    }
}

class ListNative : public ControlNative {
public:
    ListNative(const Window& window, ListWidget* list) : ControlNative(window, list), list_(list) {}
    QListWidget* List() const { return list_; }

private:
    QPointer<ListWidget> list_;
};

QListWidgetItem* MakeItem(LPARAM text) {
    std::string bytes = text != 0 ? reinterpret_cast<const char*>(text) : "";
    auto* item = new QListWidgetItem(ToQString(bytes));
    item->setData(BYTES_ROLE, QByteArray::fromStdString(bytes));
    return item;
}

// Where LBS_SORT puts a new item: after the ones that do not sort after it.
int SortedPosition(const QListWidget& list, const QString& text) {
    int position = 0;
    while (position < list.count() &&
           QString::compare(list.item(position)->text(), text, Qt::CaseInsensitive) <= 0) {
        ++position;
    }
    return position;
}

LRESULT AddString(QListWidget& list, bool sorted, LPARAM text) {
    QListWidgetItem* item = MakeItem(text);
    int position = sorted ? SortedPosition(list, item->text()) : list.count();
    list.insertItem(position, item);
    return position;
}

LRESULT InsertString(QListWidget& list, WPARAM wParam, LPARAM text) {
    int index = static_cast<int>(wParam);
    if (index == -1) index = list.count();
    if (index < 0 || index > list.count()) return LB_ERR;
    list.insertItem(index, MakeItem(text));
    return index;
}

LRESULT DeleteString(QListWidget& list, WPARAM wParam) {
    int index = static_cast<int>(wParam);
    if (index < 0 || index >= list.count()) return LB_ERR;
    delete list.takeItem(index);
    return list.count();
}

QByteArray BytesAt(const QListWidget& list, WPARAM wParam, bool* found) {
    int index = static_cast<int>(wParam);
    *found = index >= 0 && index < list.count();
    return *found ? list.item(index)->data(BYTES_ROLE).toByteArray() : QByteArray();
}

LRESULT GetText(const QListWidget& list, WPARAM wParam, LPARAM buffer) {
    bool found = false;
    QByteArray bytes = BytesAt(list, wParam, &found);
    if (!found || buffer == 0) return LB_ERR;
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, bytes.constData(), static_cast<size_t>(bytes.size()));
    out[bytes.size()] = '\0';
    return bytes.size();
}

LRESULT GetTextLength(const QListWidget& list, WPARAM wParam) {
    bool found = false;
    QByteArray bytes = BytesAt(list, wParam, &found);
    return found ? bytes.size() : LB_ERR;
}

LRESULT CurrentSelection(const QListWidget& list) {
    QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? LB_ERR : list.row(selected.first());
}

// The program's selection: -1 clears it (and answers LB_ERR, as Win32 does).
LRESULT SetSelection(QListWidget& list, WPARAM wParam) {
    int index = static_cast<int>(wParam);
    if (index == -1) {
        list.clearSelection();
        return LB_ERR;
    }
    if (index < 0 || index >= list.count()) return LB_ERR;
    list.setCurrentRow(index);
    list.scrollToItem(list.item(index));
    return index;
}

LRESULT ListMessage(QListWidget& list, const Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING: return AddString(list, (window.style & LBS_SORT) != 0, lParam);
    case LB_INSERTSTRING: return InsertString(list, wParam, lParam);
    case LB_DELETESTRING: return DeleteString(list, wParam);
    case LB_RESETCONTENT: list.clear(); return 0;
    case LB_GETCOUNT: return list.count();
    case LB_GETTEXT: return GetText(list, wParam, lParam);
    case LB_GETTEXTLEN: return GetTextLength(list, wParam);
    case LB_GETCURSEL: return CurrentSelection(list);
    case LB_SETCURSEL: return SetSelection(list, wParam);
    default: return LB_ERR;
    }
}

bool IsListMessage(UINT message) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_GETCOUNT:
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
    case LB_GETCURSEL:
    case LB_SETCURSEL: return true;
    default: return false;
    }
}

LRESULT CALLBACK ListBoxProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) return 0;
    if (message == WM_CONTROL_NOTIFY && !(window->style & LBS_NOTIFY)) return 0;
    if (!IsListMessage(message)) return ControlDefaultProc(handle, message, wParam, lParam);
    auto* native = NativeOf<ListNative>(window->handle);
    QListWidget* list = native != nullptr ? native->List() : nullptr;
    return list != nullptr ? ListMessage(*list, *window, message, wParam, lParam) : LB_ERR;
}

std::unique_ptr<NativeWindow> CreateListBoxNative(Window& window) {
    return std::make_unique<ListNative>(window, new ListWidget(window, ContainerOf(window.parent)));
}

}  // namespace

QtControlClass ListBoxClass() { return QtControlClass{"ListBox", CS_DBLCLKS, ListBoxProc, CreateListBoxNative}; }

}  // namespace wordoria::platform
