// Dialog fonts and their base units, for the Qt driver.
#include "qt/dialog_font.h"

#include "qt/fonts.h"
#include "qt/native.h"

#include <QFontMetrics>

namespace wordoria::platform {
namespace {

QFont QFontOf(const FontRequest& request) {
    return DialogFont(QString::fromStdString(request.face), request.points, request.weight, request.italic);
}

bool IsMsUiGothic9(const FontRequest& request) { return request.face == "MS UI Gothic" && request.points == 9; }

}  // namespace

HFONT CreateDialogFontHandle(const FontRequest& request) { return RegisterFont(QFontOf(request)); }

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
DialogBaseUnits BaseUnitsOfFont(const FontRequest& request) {
    QFont font = QFontOf(request);
    return DialogBaseUnits{AverageCharWidth(font), IsMsUiGothic9(request) ? 12 : QFontMetrics(font).height()};
}

}  // namespace wordoria::platform
