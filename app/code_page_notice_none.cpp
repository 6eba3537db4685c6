#include "code_page_notice.h"

// The Linux build's layer turns Shift-JIS into the screen's and the file
// system's text itself, whatever the user's locale: nothing to say.
void NoticeForeignCodePage() {}
