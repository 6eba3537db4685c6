#include "qt/fonts.h"

#include "base/handle_table.h"

namespace wordoria::platform {
namespace {

HandleTable<QFont>& Fonts() {
    static auto* fonts = new HandleTable<QFont>;  // fonts live as long as the windows using them
    return *fonts;
}

}  // namespace

HFONT RegisterFont(const QFont& font) {
    HANDLE handle = Fonts().Open();
    *Fonts().Find(handle) = font;
    return reinterpret_cast<HFONT>(handle);
}

bool FontOf(HFONT handle, QFont* font) {
    QFont* found = Fonts().Find(reinterpret_cast<HANDLE>(handle));
    if (found == nullptr) return false;
    *font = *found;
    return true;
}

}  // namespace wordoria::platform
