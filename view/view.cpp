#include "../app/main_content.h"

// The index panel, the pages and the help page arrive with view mode's own
// work; until then the view paints nothing and follows no pointer.
void CMain::m_sub_DrawView(CDC&) {}

void CMain::m_sub_HitTest() {}
