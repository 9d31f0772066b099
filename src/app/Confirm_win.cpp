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

// Escape and the close box go back to the edits.
INT_PTR CALLBACK saveChangesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            init(hwnd, lParam);
            SetFocus(GetDlgItem(hwnd, IDC_CONFIRM_YES));
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CONFIRM_YES:
                    EndDialog(hwnd, IDYES);
                    return TRUE;
                case IDC_CONFIRM_NO:
                    EndDialog(hwnd, IDNO);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(hwnd, IDCANCEL);
                    return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK DelDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            init(hwnd, lParam);
            SetFocus(GetDlgItem(hwnd, IDC_CONFIRM_NO));
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CONFIRM_YES:
                    EndDialog(hwnd, IDYES);
                    return TRUE;
                case IDC_CONFIRM_NO:
                case IDOK:
                case IDCANCEL:
                    EndDialog(hwnd, IDNO);
                    return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(hwnd, IDNO);
            return FALSE;
    }
    return FALSE;
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
