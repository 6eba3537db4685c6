// The category radio buttons both dialogs share.
#ifndef WORDORIA_DIALOGS_CATEGORY_RADIOS_H
#define WORDORIA_DIALOGS_CATEGORY_RADIOS_H

#include <windows.h>

// あ stands alone in its radio group and the other 72 form one group, so a
// click on one side unchecks the other by hand. Returns the button's category.
int LinkCategoryRadios(HWND hDlg, int nButtonId);

#endif
