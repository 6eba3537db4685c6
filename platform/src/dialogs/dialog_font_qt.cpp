#include "controls/controls.h"
#include "painting/fonts_qt.h"
#include "dialogs/dialog.h"
#include "windows/native_qt.h"

#include <QFontMetrics>

namespace wordoria::platform {
namespace {

QFont FontOfTemplate(const DialogResource& resource) {
    QString face = QString::fromStdString(resource.fontFace);
    if (face.isEmpty()) face = QStringLiteral("MS UI Gothic");
    int points = resource.pointSize > 0 ? resource.pointSize : 9;
    return DialogFont(face, points, resource.weight, resource.italic);
}

}  // namespace

HFONT DialogFontHandle(const DialogResource& resource) { return RegisterFont(FontOfTemplate(resource)); }

// Win32's rule: the average width of the 52 Latin letters, rounded. MS UI
// Gothic 9 pt itself has 6; its stand-in draws the same Japanese but wider
// Latin letters, so what is laid out in its units keeps the original's.
int AverageCharWidth(const QFont& font) {
    if (font == DialogFont(QStringLiteral("MS UI Gothic"), 9, 400, false)) return 6;
    int letters = QFontMetrics(font).horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (letters / 26 + 1) / 2;
}

// The average width and the font's height; 12 for MS UI Gothic 9 pt.
DialogUnits DialogUnitsOf(const DialogResource& resource) {
    QFont font = FontOfTemplate(resource);
    bool msUiGothic9 = resource.fontFace == "MS UI Gothic" && resource.pointSize == 9;
    return DialogUnits{AverageCharWidth(font), msUiGothic9 ? 12 : QFontMetrics(font).height()};
}

}  // namespace wordoria::platform
