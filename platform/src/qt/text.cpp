#include "qt/text.h"

#include "text/text_encoding.h"

#include <windows.h>

#include <QFontDatabase>
#include <QFontMetrics>

namespace wordoria::platform {

QString ToQString(const std::string& ansi) { return QString::fromStdString(AnsiToUtf8(ansi)); }

std::string TypedTextToAnsi(const QString& text) { return TypedUtf8ToAnsi(text.toStdString()); }

QFont SystemFont() {
    // Made once: every paint's device context starts with it.
    static const QFont font = [] {
        // IPAGothic is fixed-pitch: 16-pixel full-width and 8-pixel half-width cells.
        QFont made(QStringLiteral("IPAGothic"));
        made.setPixelSize(16);
        made.setStyleStrategy(QFont::NoAntialias);
        made.setHintingPreference(QFont::PreferFullHinting);
        return made;
    }();
    return font;
}

QFont DialogFont(const QString& face, int pointSize, int weight, bool italic) {
    // MS UI Gothic is a proportional Japanese sans; IPAPGothic has its shape.
    QString family = face == QStringLiteral("MS UI Gothic") ? QStringLiteral("IPAPGothic") : face;
    QFont font(family);
    // Points at 96 dots per inch, as the dialog's layout was made for.
    font.setPixelSize((pointSize * 96 + 36) / 72);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

int VirtualKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return VK_F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
    }
}

}  // namespace wordoria::platform
