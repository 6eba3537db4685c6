// The program's menus and dialog templates, read on Linux from the compiled
// resource file (.res) that windres makes of res/wordoria.rc, the same bytes
// the Windows executables carry, as Windows' own loader reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wordoria::platform {

// One item of a menu or drop-down.
struct MenuEntry {
    std::string text;  // UTF-8, '&' kept as written
    int id = 0;        // 0 for a drop-down
    bool popup = false;
    bool separator = false;
    uint32_t flags = 0;  // MF_GRAYED, MF_CHECKED, ... as the template gives them
    std::vector<MenuEntry> children;
};

struct MenuResource {
    int id = 0;
    std::vector<MenuEntry> items;
};

struct ControlTemplate {
    std::string text;       // UTF-8
    int id = 0;             // -1 for IDC_STATIC
    std::string className;  // "BUTTON", "EDIT", ... for the predefined classes' ordinals
    uint32_t style = 0;     // the exact bits the control is created with
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogResource {
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::string caption;   // UTF-8, empty when none
    std::string fontFace;  // UTF-8, empty when the template sets no font
    int pointSize = 0, weight = 0;
    bool italic = false;
    int charset = 0;
    std::vector<ControlTemplate> controls;  // template order
};

struct Resources {
    std::vector<MenuResource> menus;
    std::vector<DialogResource> dialogs;

    const MenuResource* FindMenu(int id) const;
    const DialogResource* FindDialog(int id) const;
};

// Reads the menus (MENU item templates) and dialogs (DLGTEMPLATEEX) of a
// compiled resource file. False, saying what and where in `error`, when the
// bytes are not such a file; `out` is then left unchanged.
bool ReadCompiledResources(std::string_view bytes, Resources* out, std::string* error);

// The program's .res, embedded at build time.
std::string_view EmbeddedResources();

// The program's own resources, read once on first use. Aborts with a message
// on stderr if they cannot be read: that is a build error, never a user's.
const Resources& ProgramResources();

}  // namespace wordoria::platform
