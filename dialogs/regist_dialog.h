// The registration dialog (template 101) and its state.
#ifndef WORDORIA_DIALOGS_REGIST_DIALOG_H
#define WORDORIA_DIALOGS_REGIST_DIALOG_H

#include <windows.h>

#include <word_file.h>

// What the dialog reads at each press of 決定, and the confirmation it composes.
struct RegistState {
    WordEntry entry;  // category number, display text, word name, content
    char szConfirm[1000];
};
extern RegistState g_RegistState;

INT_PTR CALLBACK RegistDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

#endif
