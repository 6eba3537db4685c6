#include "dialogs/resource_bytes.h"
#include "dialogs/resource_templates.h"
#include "text/text_encoding.h"

#include <windows.h>

namespace wordoria::platform {
namespace {

const uint16_t EXTENDED_SIGNATURE = 0xFFFF;

// The predefined classes a template names by ordinal.
std::string ClassName(const NameOrOrdinal& windowClass) {
    if (!windowClass.isOrdinal) return Utf16ToUtf8(windowClass.name);
    switch (windowClass.ordinal) {
    case 0x80: return "BUTTON";
    case 0x81: return "EDIT";
    case 0x82: return "STATIC";
    case 0x83: return "LISTBOX";
    case 0x84: return "SCROLLBAR";
    case 0x85: return "COMBOBOX";
    default: return "#" + std::to_string(windowClass.ordinal);
    }
}

ControlTemplate ReadItem(ByteReader& reader) {
    ControlTemplate control;
    reader.AlignToDword();
    reader.Dword();  // help id
    control.exStyle = reader.Dword();
    control.style = reader.Dword();
    control.x = reader.Short();
    control.y = reader.Short();
    control.cx = reader.Short();
    control.cy = reader.Short();
    control.id = static_cast<int32_t>(reader.Dword());
    control.className = ClassName(reader.NameOrOrd());
    NameOrOrdinal title = reader.NameOrOrd();
    control.text = title.isOrdinal ? "" : Utf16ToUtf8(title.name);  // an ordinal names an icon
    reader.Skip(reader.Word());  // creation data
    return control;
}

void ReadFont(ByteReader& reader, DialogResource* dialog) {
    dialog->pointSize = reader.Word();
    dialog->weight = reader.Word();
    dialog->italic = reader.Byte() != 0;
    dialog->charset = reader.Byte();
    dialog->fontFace = Utf16ToUtf8(reader.String());
}

}  // namespace

bool ReadDialogTemplate(std::string_view bytes, DialogResource* dialog, std::string* error) {
    ByteReader reader(bytes);
    if (reader.Word() != 1 || reader.Word() != EXTENDED_SIGNATURE) {
        *error = "not an extended dialog template";
        return false;
    }
    DialogResource read;
    reader.Dword();  // help id
    read.exStyle = reader.Dword();
    read.style = reader.Dword();
    uint16_t count = reader.Word();
    read.x = reader.Short();
    read.y = reader.Short();
    read.cx = reader.Short();
    read.cy = reader.Short();
    reader.NameOrOrd();  // menu: a dialog of ours has none
    reader.NameOrOrd();  // class: the predefined dialog class
    read.caption = Utf16ToUtf8(reader.String());
    if (read.style & DS_SETFONT) ReadFont(reader, &read);  // DS_SHELLFONT holds DS_SETFONT too
    for (uint16_t i = 0; i < count && !reader.Failed(); ++i) read.controls.push_back(ReadItem(reader));
    if (reader.Failed()) {
        *error = "dialog template cut short at byte " + std::to_string(reader.Offset());
        return false;
    }
    read.id = dialog->id;
    *dialog = std::move(read);
    return true;
}

}  // namespace wordoria::platform
