// EDIT: single-line (QLineEdit) and multi-line (QPlainTextEdit) edit controls.
// The widget holds the text; WM_GETTEXT reads it from there. Without automatic
// scrolling an edit takes only what it can show: a single line cuts an insert
// to the width, a multi-line edit refuses an insert that needs more lines than
// it shows. Text the program sets is never cut.
#include "qt/controls/control_native.h"
#include "qt/controls/edit_commands.h"
#include "windows/window_internal.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextLayout>
#include <QValidator>

namespace wordoria::platform {
namespace {

// Qt's line edit keeps this many pixels between its contents and the text.
const int LINE_EDIT_INNER_MARGIN = 2;
// Pixels between a multi-line edit's frame and its text.
const int TEXT_MARGIN = 1;

// Line breaks: CR LF for the program, LF inside Qt. A lone CR or LF the
// program gives is taken as a break too.
QString WithLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string WithCrLf(QString text) {
    return TypedTextToAnsi(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

// Where a user's change put new text into `before` to make `after`: usually it
// ends at the cursor, and what follows the cursor was there before.
struct Span {
    qsizetype start;
    qsizetype length;
};

Span FindInsert(const QString& before, const QString& after, qsizetype cursor) {
    qsizetype tail = after.size() - qBound<qsizetype>(0, cursor, after.size());
    bool endsAtCursor =
        tail <= before.size() && QStringView(before).right(tail) == QStringView(after).right(tail);
    if (!endsAtCursor) tail = 0;
    qsizetype shorter = qMin(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter - tail && before[head] == after[head]) ++head;
    if (!endsAtCursor) {
        while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
            ++tail;
    }
    return Span{head, after.size() - head - tail};
}

qsizetype FirstLineBreak(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')) return i;
    }
    return -1;
}

// Carries out what the edit menu chose; the two editors name only the
// removal of the selection differently.
template <typename Editor, typename RemoveSelection>
void Carry(Editor& editor, EditCommand command, RemoveSelection removeSelection) {
    switch (command) {
    case EditCommand::Undo: editor.undo(); break;
    case EditCommand::Cut: editor.cut(); break;
    case EditCommand::Copy: editor.copy(); break;
    case EditCommand::Paste: editor.paste(); break;
    case EditCommand::Delete: removeSelection(); break;
    case EditCommand::SelectAll: editor.selectAll(); break;
    case EditCommand::None: break;
    }
}

class LineEdit : public KeepsInput<QLineEdit> {
public:
    LineEdit(const Window& window, QWidget* parent);
    void SetProgramText(const QString& text);
    bool ProgramChanging() const { return programChange_; }
    // The text before the change being validated.
    const QString& Current() const { return current_; }
    HWND Handle() const { return window_; }
    // Whether the line shows `text` whole, with the cursor after it, without scrolling.
    bool Fits(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnTextChanged(const QString& text);
    HWND window_;
    QString current_;
    bool programChange_ = false;
};

// Cuts what the user inserts into a line edit until the line fits its width.
class FitToWidth : public QValidator {
public:
    explicit FitToWidth(LineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int& pos) const override;

private:
    // How much of `inserted` fits between `head` and `tail`; never half a surrogate pair.
    qsizetype LongestFit(const QString& head, const QString& inserted, const QString& tail) const;
    LineEdit* edit_;
};

QValidator::State FitToWidth::validate(QString& input, int& pos) const {
    if (edit_->ProgramChanging()) return Acceptable;
    Span span = FindInsert(edit_->Current(), input, pos);
    QString head = input.left(span.start);
    QString inserted = input.mid(span.start, span.length);
    QString tail = input.mid(span.start + span.length);
    // One line takes what comes before the first line break of, say, a pasted text.
    qsizetype lineBreak = FirstLineBreak(inserted);
    if (lineBreak >= 0) inserted.truncate(lineBreak);
    if (!inserted.isEmpty() && !edit_->Fits(head + inserted + tail)) {
        inserted.truncate(LongestFit(head, inserted, tail));
        QueueNotification(edit_->Handle(), EN_MAXTEXT);
    }
    input = head + inserted + tail;
    pos = static_cast<int>(head.size() + inserted.size());
    return Acceptable;
}

qsizetype FitToWidth::LongestFit(const QString& head, const QString& inserted, const QString& tail) const {
    qsizetype low = 0;  // inserting nothing leaves the text as it was, which stands
    qsizetype high = inserted.size();
    while (low < high) {
        qsizetype middle = (low + high + 1) / 2;
        if (edit_->Fits(head + inserted.left(middle) + tail)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low > 0 && inserted[low - 1].isHighSurrogate()) --low;
    return low;
}

LineEdit::LineEdit(const Window& window, QWidget* parent) : KeepsInput(parent), window_(window.handle) {
    // The frame is ours (drawn in paintEvent); the text keeps inside it.
    setFrame(false);
    int frame = FrameWidth(window);
    setTextMargins(frame, frame, frame, frame);
    Qt::Alignment horizontal = (window.style & ES_RIGHT)    ? Qt::AlignRight
                               : (window.style & ES_CENTER) ? Qt::AlignHCenter
                                                            : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
    setAcceptDrops(false);
    setReadOnly((window.style & ES_READONLY) != 0);
    if (window.style & ES_PASSWORD) setEchoMode(QLineEdit::Password);
    if (!(window.style & ES_AUTOHSCROLL)) setValidator(new FitToWidth(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { OnTextChanged(text); });
}

void LineEdit::SetProgramText(const QString& text) {
    programChange_ = true;
    setText(text);
    programChange_ = false;
}

bool LineEdit::Fits(const QString& text) const {
    // As Win32 measures it: the text within the line's width, which Qt's line
    // edit also shows without scrolling as long as the cursor's pixel after the
    // text stays inside.
    QString shown = text;
    if (echoMode() == QLineEdit::Password) {
        shown.fill(QChar(style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, this)));
    }
    int used = qRound(QFontMetricsF(font()).horizontalAdvance(shown)) + 1;
    int width = contentsRect().marginsRemoved(textMargins()).width() - 2 * LINE_EDIT_INNER_MARGIN;
    return used <= width;
}

void LineEdit::paintEvent(QPaintEvent* event) {
    KeepsInput::paintEvent(event);
    Window* window = FindWindowObject(window_);
    if (window == nullptr) return;
    QPainter painter(this);
    DrawFrame(painter, *window, rect(), true);
}

void LineEdit::keyPressEvent(QKeyEvent* event) {
    if (IsForeignEditKey(event)) {
        event->accept();
        return;
    }
    KeepsInput::keyPressEvent(event);
}

void LineEdit::contextMenuEvent(QContextMenuEvent* event) {
    SetFocus(window_);  // the control the menu is for takes the focus first
    EditState state{isUndoAvailable(), hasSelectedText(),
                    selectionStart() <= 0 && selectionLength() == text().size(), isReadOnly(),
                    echoMode() != QLineEdit::Normal};
    Carry(*this, RunEditMenu(state, event->globalPos(), this), [this] { del(); });
    event->accept();
}

void LineEdit::OnTextChanged(const QString& text) {
    if (text == current_) return;
    current_ = text;
    if (programChange_) return;
    if (Window* window = FindWindowObject(window_)) window->text = TypedTextToAnsi(text);
    QueueNotification(window_, EN_UPDATE);
    QueueNotification(window_, EN_CHANGE);
}

class TextEdit : public KeepsInput<QPlainTextEdit> {
public:
    TextEdit(const Window& window, QWidget* parent);
    void SetProgramText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Win32's default tab stops: every 32 dialog units of the control's font.
    void SetTabStops() { setTabStopDistance(8 * AverageCharWidth(font())); }
    bool LimitsLines() const { return !(style_ & ES_AUTOVSCROLL); }
    bool FitsReplacingSelection(const QString& insert) const;
    int LinesNeeded(const QString& text) const;
    int VisibleLines() const;
    void InsertIfFits(const QString& text);
    void Refuse() { QueueNotification(window_, EN_MAXTEXT); }
    void OnTextChanged();
    void Restore(const QString& text);

    HWND window_;
    DWORD style_;
    QString current_;
    bool programChange_ = false;
};

TextEdit::TextEdit(const Window& window, QWidget* parent)
    : KeepsInput(parent), window_(window.handle), style_(window.style) {
    FrameScrollArea(this, window);
    document()->setDocumentMargin(TEXT_MARGIN);
    // Win32 wraps a multi-line edit at its width unless it scrolls sideways.
    bool wraps = !(style_ & (ES_AUTOHSCROLL | WS_HSCROLL));
    setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy((style_ & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy((style_ & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    setReadOnly((style_ & ES_READONLY) != 0);
    SetTabStops();
    connect(this, &QPlainTextEdit::textChanged, this, [this] { OnTextChanged(); });
}

void TextEdit::SetProgramText(const QString& text) {
    programChange_ = true;
    setPlainText(text);
    programChange_ = false;
}

bool TextEdit::event(QEvent* event) {
    bool handled = KeepsInput::event(event);
    if (event->type() == QEvent::Paint) RedrawFrame(this, window_, true);
    if (event->type() == QEvent::FontChange) SetTabStops();
    return handled;
}

void TextEdit::keyPressEvent(QKeyEvent* event) {
    if (IsForeignEditKey(event)) {
        event->accept();
        return;
    }
    if (isReadOnly()) {
        KeepsInput::keyPressEvent(event);
        return;
    }
    // Enter breaks the line, with or without Shift or Control, as a plain LF.
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::AltModifier)) {
        InsertIfFits(QStringLiteral("\n"));
        event->accept();
        return;
    }
    QString typed = event->text();
    bool typing = !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\t')) &&
                  !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (typing && LimitsLines() && !FitsReplacingSelection(typed)) {
        Refuse();
        event->accept();
        return;
    }
    KeepsInput::keyPressEvent(event);
}

void TextEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString& commit = event->commitString();
    if (!commit.isEmpty() && !isReadOnly() && LimitsLines() && !FitsReplacingSelection(commit)) {
        // The composition ends without its text.
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        KeepsInput::inputMethodEvent(&withoutCommit);
        event->accept();
        Refuse();
        return;
    }
    KeepsInput::inputMethodEvent(event);
}

// Paste (and drop, were drops on): the whole text or nothing.
void TextEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText() || isReadOnly()) return;
    InsertIfFits(WithLineFeeds(source->text()));
}

void TextEdit::contextMenuEvent(QContextMenuEvent* event) {
    SetFocus(window_);
    QTextCursor cursor = textCursor();
    bool allSelected = cursor.selectionStart() == 0 && cursor.selectionEnd() == document()->characterCount() - 1;
    EditState state{document()->isUndoAvailable(), cursor.hasSelection(), allSelected, isReadOnly(), false};
    Carry(*this, RunEditMenu(state, event->globalPos(), this), [&cursor] { cursor.removeSelectedText(); });
    event->accept();
}

void TextEdit::InsertIfFits(const QString& text) {
    if (LimitsLines() && !FitsReplacingSelection(text)) {
        Refuse();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool TextEdit::FitsReplacingSelection(const QString& insert) const {
    QTextCursor cursor = textCursor();
    QString text = toPlainText();
    QString after = text.left(cursor.selectionStart()) + insert + text.mid(cursor.selectionEnd());
    return LinesNeeded(after) <= VisibleLines();
}

// Lines as the widget lays them out: each paragraph wrapped at the width
// between the margins, an empty one taking a line.
int TextEdit::LinesNeeded(const QString& text) const {
    QTextOption option = document()->defaultTextOption();
    qreal width = viewport()->width() - 2 * document()->documentMargin();
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, document()->defaultFont());
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++count;
        }
        layout.endLayout();
        lines += qMax(1, count);
    }
    return lines;
}

int TextEdit::VisibleLines() const {
    // Whole lines between the top and bottom margins; Qt also keeps the last
    // pixel clear before it would scroll.
    qreal room = viewport()->height() - 2 * document()->documentMargin() - 1;
    qreal line = QFontMetricsF(document()->defaultFont()).lineSpacing();
    return qMax(1, static_cast<int>(room / line));
}

void TextEdit::OnTextChanged() {
    QString text = toPlainText();
    if (text == current_) return;
    if (!programChange_ && LimitsLines()) {
        int needed = LinesNeeded(text);
        if (needed > VisibleLines() && needed > LinesNeeded(current_)) {
            // A change the checks above did not see coming (an undo, say):
            // taken back once Qt has finished making it.
            QString previous = current_;
            QMetaObject::invokeMethod(
                this, [this, previous] { Restore(previous); }, Qt::QueuedConnection);
            return;
        }
    }
    current_ = text;
    if (programChange_) return;
    if (Window* window = FindWindowObject(window_)) window->text = WithCrLf(text);
    QueueNotification(window_, EN_UPDATE);
    QueueNotification(window_, EN_CHANGE);
}

void TextEdit::Restore(const QString& text) {
    if (toPlainText() == text) return;
    int position = qMin(textCursor().position(), static_cast<int>(text.size()));
    programChange_ = true;
    setPlainText(text);
    programChange_ = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
    Refuse();
}

class EditNative : public ControlNative {
public:
    using ControlNative::ControlNative;
    // The text as WM_GETTEXT hands it out.
    virtual std::string WindowText() const = 0;
};

class SingleLineNative : public EditNative {
public:
    SingleLineNative(const Window& window, LineEdit* edit) : EditNative(window, edit), edit_(edit) {}
    void TextChanged() override {
        Window* window = FindWindowObject(Handle());
        if (window != nullptr && edit_ != nullptr) edit_->SetProgramText(ToQString(window->text));
    }
    std::string WindowText() const override {
        return edit_ != nullptr ? TypedTextToAnsi(edit_->text()) : std::string();
    }

private:
    QPointer<LineEdit> edit_;
};

class MultiLineNative : public EditNative {
public:
    MultiLineNative(const Window& window, TextEdit* edit) : EditNative(window, edit), edit_(edit) {}
    void TextChanged() override {
        Window* window = FindWindowObject(Handle());
        if (window != nullptr && edit_ != nullptr)
            edit_->SetProgramText(WithLineFeeds(ToQString(window->text)));
    }
    std::string WindowText() const override {
        return edit_ != nullptr ? WithCrLf(edit_->toPlainText()) : std::string();
    }

private:
    QPointer<TextEdit> edit_;
};

std::unique_ptr<NativeWindow> CreateEditNative(Window& window) {
    QWidget* container = ContainerOf(window.parent);
    if (window.style & ES_MULTILINE)
        return std::make_unique<MultiLineNative>(window, new TextEdit(window, container));
    return std::make_unique<SingleLineNative>(window, new LineEdit(window, container));
}

LRESULT CALLBACK EditProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(handle);
    auto* native = NativeOf<EditNative>(handle);
    if (native == nullptr) return ControlDefaultProc(handle, message, wParam, lParam);
    switch (message) {
    case WM_GETTEXT:
        return CopyTextOut(native->WindowText(), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(native->WindowText().size());
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        // A single-line edit reports the program's text as a change; a multi-line one does not.
        if (!(window->style & ES_MULTILINE)) {
            NotifyParent(handle, EN_UPDATE);
            NotifyParent(handle, EN_CHANGE);
        }
        return result;
    }
    default: return ControlDefaultProc(handle, message, wParam, lParam);
    }
}

}  // namespace

QtControlClass EditClass() { return QtControlClass{"Edit", CS_DBLCLKS, EditProc, CreateEditNative}; }

}  // namespace wordoria::platform
