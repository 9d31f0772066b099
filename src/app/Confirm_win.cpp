// The yes/no confirmation dialog 106. Only its confirm button answers yes.
#include <windows.h>

#include "core/AppData.h"
#include "app/App_win.h"
#include "res/resource.h"
#include "support/Center_win.h"

namespace {

const dlgparam* pdp = nullptr;

}  // namespace

INT_PTR CALLBACK DelDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            pdp = reinterpret_cast<const dlgparam*>(lParam);
            SetWindowTextA(hwnd, pdp->caption);
            SetDlgItemTextA(hwnd, IDC_CONFIRM_TEXT, pdp->message);
            CenterOnOwner(hwnd);
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
    return static_cast<int>(DialogBoxParamW(g_hInst, MAKEINTRESOURCEW(IDD_CONFIRM), ad.hwnd,
                                            DelDlgProc, reinterpret_cast<LPARAM>(&dp)));
}
