// The one thing said before the program starts: Wordoria's texts and file
// names are Shift-JIS, which Windows reads right only where its ANSI code
// page is Japanese (932).
#ifndef WORDORIA_APP_CODE_PAGE_NOTICE_H
#define WORDORIA_APP_CODE_PAGE_NOTICE_H

// Where the code page is not 932, says so in a box and waits until it is
// answered; elsewhere does nothing.
void NoticeForeignCodePage();

#endif
