// The yes/no confirmation dialog 106, in which only the confirm button answers yes, and
// the closing question 120, which adds Cancel.
#include <windows.h>

#include "app/App_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "res/resource.h"
#include "support/Center_win.h"
#include "support/Lang_win.h"

namespace {

const dlgparam* pdp = nullptr;

void init(HWND hwnd, LPARAM lParam) {
    pdp = reinterpret_cast<const dlgparam*>(lParam);
    SetWindowTextA(hwnd, pdp->caption);
    SetDlgItemTextA(hwnd, IDC_CONFIRM_TEXT, pdp->message);
    CenterOnOwner(hwnd);
}

// What each button of a question answers, and which has the focus when it opens; 0 for a
// command the question does not end on.
struct Buttons {
    int focus;
    INT_PTR yes, no, ok, cancel;
};
// Escape and the close box go back to the edits.
const Buttons kSaveChanges = {IDC_CONFIRM_YES, IDYES, IDNO, 0, IDCANCEL};
// Only the confirm button answers yes.
const Buttons kConfirm = {IDC_CONFIRM_NO, IDYES, IDNO, IDNO, IDNO};

INT_PTR answerOf(const Buttons& b, WORD id) {
    switch (id) {
        case IDC_CONFIRM_YES:
            return b.yes;
        case IDC_CONFIRM_NO:
            return b.no;
        case IDOK:
            return b.ok;
        case IDCANCEL:
            return b.cancel;
    }
    return 0;
}

INT_PTR questionProc(const Buttons& b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            init(hwnd, lParam);
            SetFocus(GetDlgItem(hwnd, b.focus));
            return FALSE;
        case WM_COMMAND:
            if (const INT_PTR answer = answerOf(b, LOWORD(wParam))) {
                EndDialog(hwnd, answer);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(hwnd, b.cancel);
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK saveChangesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return questionProc(kSaveChanges, hwnd, msg, wParam, lParam);
}

}  // namespace

INT_PTR CALLBACK DelDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return questionProc(kConfirm, hwnd, msg, wParam, lParam);
}

int mb2(cAppData& ad, const char* caption, const char* question) {
    dlgparam dp(const_cast<char*>(caption), const_cast<char*>(question));
    return static_cast<int>(
        LangDialogBox(IDD_CONFIRM, ad.hwnd, DelDlgProc, reinterpret_cast<LPARAM>(&dp)));
}

int AskSaveChanges(cAppData& ad, const char* question) {
    dlgparam dp(const_cast<char*>(title), const_cast<char*>(question));
    return static_cast<int>(
        LangDialogBox(IDD_SAVECHANGES, ad.hwnd, saveChangesProc, reinterpret_cast<LPARAM>(&dp)));
}
