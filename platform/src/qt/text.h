// Text and fonts on Qt's side: the program's Shift-JIS as Qt's UTF-16, the
// fonts that stand in for Windows' own, and keys as virtual-key codes.
#pragma once

#include <QFont>
#include <QString>

#include <string>

namespace wordoria::platform {

QString ToQString(const std::string& ansi);
// What the user typed into a field, as the program reads it (TypedUtf8ToAnsi).
std::string TypedTextToAnsi(const QString& text);

// The font a device context draws with by default: full-width characters 16
// pixels wide, as the program's layout expects of the system font.
QFont SystemFont();
// The font that stands in for a dialog template's font.
QFont DialogFont(const QString& face, int pointSize, int weight, bool italic);

// Win32 virtual-key code of a Qt key; 0 when there is none.
int VirtualKeyOf(int qtKey);

}  // namespace wordoria::platform
