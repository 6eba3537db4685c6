#include "code_page_notice.h"

#include <windows.h>

namespace {

// Wide literals and MessageBoxW: every narrow literal of ours is Shift-JIS,
// which is exactly what this Windows would show garbled.
const wchar_t s_szCaption[] = L"Wordoria";
const wchar_t s_szNotice[] =
    L"Wordoria needs Windows' system locale (\"Language for non-Unicode programs\") "
    L"set to Japanese (Japan). It is set to another language, so Wordoria's texts will be "
    L"garbled, every index category will read empty and no word can be registered.\n"
    L"\n"
    L"To set it: Control Panel \u2192 Clock and Region \u2192 Region \u2192 the Administrative tab "
    L"\u2192 Change system locale\u2026 \u2192 Japanese (Japan), OK, and restart Windows.\n"
    L"\n"
    L"Wordoria を使うには、Windows の「Unicode 対応ではないプログラムの言語」"
    L"（システム ロケール）が「日本語 (日本)」でなければなりません。今は別の言語に"
    L"なっているため、文字が化け、どの索引カテゴリも空に見え、単語も登録できません。\n"
    L"\n"
    L"設定は「コントロール パネル」→「時計と地域」→「地域」→「管理」タブ→"
    L"「システム ロケールの変更」→「日本語 (日本)」を選んで OK、再起動です。";

}  // namespace

// Before any window exists, so the box's own loop has nothing of ours to
// dispatch, and whatever it returns, start-up goes on as it always does.
void NoticeForeignCodePage() {
    if (GetACP() == 932) return;
    MessageBoxW(NULL, s_szNotice, s_szCaption, MB_OK | MB_ICONWARNING);
}
