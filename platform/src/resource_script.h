// The program's resource script, read on Linux: the same res/wordoria.rc
// that windres compiles into the Windows executable, so menus and dialog
// templates have one source.
#pragma once

#include <cstdint>
#include <map>
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
    uint32_t flags = 0;  // MF_GRAYED, MF_CHECKED, ... from the item's options
    std::vector<MenuEntry> children;
};

struct MenuResource {
    int id = 0;
    std::vector<MenuEntry> items;
};

struct ControlTemplate {
    std::string text;  // UTF-8
    int id = 0;        // -1 for IDC_STATIC
    std::string className;  // as written, e.g. "BUTTON"
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

struct IconResource {
    int id = 0;
    std::string file;  // as written
};

struct ResourceScript {
    std::vector<MenuResource> menus;
    std::vector<DialogResource> dialogs;
    std::vector<IconResource> icons;

    const MenuResource* FindMenu(int id) const;
    const DialogResource* FindDialog(int id) const;
};

// Parses a resource script in UTF-8; `defines` holds the #define names of the
// headers it includes (the standard Win32 style names are known already).
// Returns false and says where in `error` ("line N: what") when the text is
// not understood; `out` is then left unchanged.
bool ParseResourceScript(std::string_view script, const std::map<std::string, long>& defines,
                         ResourceScript* out, std::string* error);

// Reads the "#define NAME value" lines of a header whose value is a number
// (decimal, hex, negative, in parentheses) or an earlier such name; ignores
// everything else.
std::map<std::string, long> ParseDefines(std::string_view header);

// res/wordoria.rc and res/resource.h, embedded at build time.
std::string_view EmbeddedResourceScript();
std::string_view EmbeddedResourceHeader();

// The program's own resources, parsed once on first use. Aborts with a
// message on stderr if they do not parse: that is a build error, never a
// user's.
const ResourceScript& ProgramResources();

}  // namespace wordoria::platform
