// The .res format: one entry per resource, each a header (data and header
// sizes, type, name, flags) and the resource's own bytes, both padded to
// 32 bits. windres writes it for every build from res/wordoria.rc.
#include "dialogs/resource_bytes.h"
#include "dialogs/resource_templates.h"
#include "dialogs/resources.h"

#include <cstdio>
#include <cstdlib>

namespace wordoria::platform {
namespace {

const uint16_t RESOURCE_MENU = 4;    // RT_MENU
const uint16_t RESOURCE_DIALOG = 5;  // RT_DIALOG

struct Entry {
    NameOrOrdinal type, name;
    std::string_view data;
};

// One entry from `offset` on; false when the bytes end inside it.
bool ReadEntry(std::string_view bytes, size_t* offset, Entry* entry) {
    ByteReader reader(bytes.substr(*offset));
    uint32_t dataSize = reader.Dword();
    uint32_t headerSize = reader.Dword();
    entry->type = reader.NameOrOrd();
    entry->name = reader.NameOrOrd();
    if (reader.Failed() || headerSize < reader.Offset() || headerSize > reader.Left() + reader.Offset() ||
        dataSize > bytes.size() - *offset - headerSize)
        return false;
    entry->data = bytes.substr(*offset + headerSize, dataSize);
    size_t end = *offset + headerSize + dataSize;
    *offset = end + (4 - end % 4) % 4;
    return true;
}

bool ReadResource(const Entry& entry, Resources* resources, std::string* error) {
    if (!entry.type.isOrdinal || !entry.name.isOrdinal) return true;  // the program names its resources by number
    if (entry.type.ordinal == RESOURCE_MENU) {
        MenuResource menu;
        menu.id = entry.name.ordinal;
        if (!ReadMenuTemplate(entry.data, &menu.items, error)) return false;
        resources->menus.push_back(std::move(menu));
    } else if (entry.type.ordinal == RESOURCE_DIALOG) {
        DialogResource dialog;
        dialog.id = entry.name.ordinal;
        if (!ReadDialogTemplate(entry.data, &dialog, error)) return false;
        resources->dialogs.push_back(std::move(dialog));
    }
    return true;
}

}  // namespace

const MenuResource* Resources::FindMenu(int id) const {
    for (const MenuResource& menu : menus) {
        if (menu.id == id) return &menu;
    }
    return nullptr;
}

const DialogResource* Resources::FindDialog(int id) const {
    for (const DialogResource& dialog : dialogs) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

bool ReadCompiledResources(std::string_view bytes, Resources* out, std::string* error) {
    Resources read;
    size_t offset = 0;
    while (offset < bytes.size()) {
        Entry entry;
        size_t at = offset;
        if (!ReadEntry(bytes, &offset, &entry)) {
            *error = "resource entry cut short at byte " + std::to_string(at);
            return false;
        }
        if (!ReadResource(entry, &read, error)) {
            *error = "resource " + std::to_string(entry.name.ordinal) + ": " + *error;
            return false;
        }
    }
    *out = std::move(read);
    return true;
}

const Resources& ProgramResources() {
    static const Resources resources = [] {
        Resources read;
        std::string error;
        if (!ReadCompiledResources(EmbeddedResources(), &read, &error)) {
            std::fprintf(stderr, "wordoria: the built-in resources cannot be read: %s\n", error.c_str());
            std::abort();
        }
        return read;
    }();
    return resources;
}

}  // namespace wordoria::platform
