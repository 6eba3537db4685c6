// STATIC: text the program sets, aligned and wrapped as Win32's DrawText would
// for the style; it takes no input.
#include "qt/controls/control_native.h"

#include <QPainter>

namespace wordoria::platform {
namespace {

const DWORD NO_PREFIX = 0x0080;  // SS_NOPREFIX: '&' is shown as it is

// Qt's drawing flags for the text of a static style; 0 for the kinds we draw
// no text for (icons, bitmaps, rectangles and frames).
int TextFlags(DWORD style) {
    int flags = Qt::TextExpandTabs | ((style & NO_PREFIX) ? 0 : Qt::TextShowMnemonic);
    switch (style & SS_TYPEMASK) {
    case SS_LEFT: flags |= Qt::AlignLeft | Qt::TextWordWrap; break;
    case SS_CENTER: flags |= Qt::AlignHCenter | Qt::TextWordWrap; break;
    case SS_RIGHT: flags |= Qt::AlignRight | Qt::TextWordWrap; break;
    case SS_LEFTNOWORDWRAP: flags |= Qt::AlignLeft; break;
    // Always one line at the top, whatever else the style says.
    case SS_SIMPLE: return (flags & ~Qt::TextExpandTabs) | Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    default: return 0;
    }
    // SS_CENTERIMAGE makes the text one line, centred vertically.
    if (style & SS_CENTERIMAGE) return (flags & ~Qt::TextWordWrap) | Qt::TextSingleLine | Qt::AlignVCenter;
    return flags | Qt::AlignTop;
}

// CR LF, a lone CR and a lone LF each end a line, as in DrawText.
QString WithLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

class StaticText : public QWidget {
public:
    StaticText(HWND window, QWidget* parent) : QWidget(parent), window_(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetText(const QString& text) {
        text_ = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    HWND window_;
    QString text_;
};

void StaticText::paintEvent(QPaintEvent*) {
    Window* window = FindWindowObject(window_);
    if (window == nullptr) return;
    QPainter painter(this);
    DrawFrame(painter, *window, rect());
    int flags = TextFlags(window->style);
    if (flags == 0 || text_.isEmpty()) return;
    // The text starts right at the client area's corner, which the edges surround.
    int frame = FrameWidth(*window);
    QRect client = rect().adjusted(frame, frame, -frame, -frame);
    painter.setClipRect(client);
    painter.setPen(isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128));
    painter.drawText(client, flags, text_);
}

class StaticNative : public ControlNative {
public:
    StaticNative(const Window& window, StaticText* text) : ControlNative(window, text), text_(text) {}
    void TextChanged() override {
        Window* window = FindWindowObject(Handle());
        if (window != nullptr && text_ != nullptr) text_->SetText(WithLineFeeds(ToQString(window->text)));
    }

private:
    QPointer<StaticText> text_;
};

std::unique_ptr<NativeWindow> CreateStaticNative(Window& window) {
    return std::make_unique<StaticNative>(window, new StaticText(window.handle, ContainerOf(window.parent)));
}

LRESULT CALLBACK StaticProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return ControlDefaultProc(handle, message, wParam, lParam);
}

}  // namespace

QtControlClass StaticClass() { return QtControlClass{"Static", CS_DBLCLKS, StaticProc, CreateStaticNative}; }

}  // namespace wordoria::platform
