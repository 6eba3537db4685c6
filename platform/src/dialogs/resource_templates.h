// The two template layouts the program's resources use, as Windows reads them.
#pragma once

#include "dialogs/resources.h"

#include <string>
#include <string_view>

namespace wordoria::platform {

// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items);
// false, with what in `error`, for bytes that are not one.
bool ReadDialogTemplate(std::string_view bytes, DialogResource* dialog, std::string* error);

// A menu template (MENUITEMTEMPLATEHEADER and its MENUITEMTEMPLATE items).
bool ReadMenuTemplate(std::string_view bytes, std::vector<MenuEntry>* items, std::string* error);

}  // namespace wordoria::platform
