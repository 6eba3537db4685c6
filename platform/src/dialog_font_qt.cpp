#include "controls.h"
#include "dialog.h"
#include "native_qt.h"

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

// Win32's rule: the average width of the 52 Latin letters, rounded, and the
// font's height. MS UI Gothic 9 pt itself has 6 by 12; its stand-in draws the
// same Japanese but wider Latin letters, so the layout keeps the original's.
DialogUnits DialogUnitsOf(const DialogResource& resource) {
    bool msUiGothic9 = resource.fontFace == "MS UI Gothic" && resource.pointSize == 9;
    if (msUiGothic9) return DialogUnits{6, 12};
    QFontMetrics metrics(FontOfTemplate(resource));
    int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits{(letters / 26 + 1) / 2, metrics.height()};
}

}  // namespace wordoria::platform
