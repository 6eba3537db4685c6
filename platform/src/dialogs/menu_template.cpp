#include "dialogs/resource_bytes.h"
#include "dialogs/resource_templates.h"
#include "text/text_encoding.h"

#include <windows.h>

namespace wordoria::platform {
namespace {

const uint16_t MENU_END = 0x0080;  // MF_END: the last item of its level
const int MAX_DEPTH = 8;           // deeper drop-downs mean broken bytes, not a menu

// One level of items, a drop-down's children following it directly.
bool ReadLevel(ByteReader& reader, int depth, std::vector<MenuEntry>* items) {
    if (depth > MAX_DEPTH) return false;
    for (;;) {
        MenuEntry entry;
        uint16_t option = reader.Word();
        entry.popup = (option & MF_POPUP) != 0;
        if (!entry.popup) entry.id = reader.Word();
        entry.text = Utf16ToUtf8(reader.String());
        entry.separator = (option & MF_SEPARATOR) != 0 || (!entry.popup && entry.id == 0 && entry.text.empty());
        entry.flags = option & ~(MF_POPUP | MENU_END);
        if (reader.Failed()) return false;
        if (entry.popup && !ReadLevel(reader, depth + 1, &entry.children)) return false;
        items->push_back(std::move(entry));
        if (option & MENU_END) return true;
    }
}

}  // namespace

bool ReadMenuTemplate(std::string_view bytes, std::vector<MenuEntry>* items, std::string* error) {
    ByteReader reader(bytes);
    uint16_t version = reader.Word();
    uint16_t headerSize = reader.Word();
    if (version != 0) {
        *error = "not a menu template (version " + std::to_string(version) + ")";
        return false;
    }
    reader.Skip(headerSize);
    std::vector<MenuEntry> read;
    if (!ReadLevel(reader, 0, &read)) {
        *error = "menu template cut short at byte " + std::to_string(reader.Offset());
        return false;
    }
    *items = std::move(read);
    return true;
}

}  // namespace wordoria::platform
