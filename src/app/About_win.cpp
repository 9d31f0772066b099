// The About box: a picture, a text that cycles while the mouse rests on it, a button to
// the home page, and a chime on the first right click of each opening.
#include <windows.h>
// After windows.h, which they build on.
#include <mmsystem.h>
#include <windowsx.h>

#include <string>

#include "app/App_win.h"
#include "app/Version.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "res/resource.h"
#include "support/Lang_win.h"

namespace {

const UINT kTimer = 0;
const UINT kPeriodMs = 666;
const char* const kToolchainSite = "https://www.mingw-w64.org/";
std::string text(int sel) {
    const int ids[3] = {IDS_ABOUT_TOOLCHAIN, IDS_ABOUT_VISIT, IDS_ABOUT_EDITOR};
    return Tr(ids[sel], VELMOR_VERSION);
}

bool play = false;
HBITMAP hBit = nullptr;
bool animate = false;
int sel = 0;

bool overText(HWND hwnd, LPARAM lParam) {
    const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return ChildWindowFromPoint(hwnd, p) == GetDlgItem(hwnd, IDC_ABOUT_TEXT);
}

void setCursor(bool hand) { SetCursor(LoadCursorA(nullptr, hand ? IDC_HAND : IDC_ARROW)); }

INT_PTR onCommand(HWND hwnd, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            KillTimer(hwnd, kTimer);
            DeleteObject(hBit);
            hBit = nullptr;
            EndDialog(hwnd, 0);
            return TRUE;
        case IDC_ABOUT_HOMEPAGE:
            ShellOpen(wwweditor);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetTimer(hwnd, kTimer, kPeriodMs, nullptr);
            // Every opening starts the same way: first text, still until the mouse comes.
            play = true;
            animate = false;
            sel = 0;
            hBit = LoadBitmapA(g_hInst, MAKEINTRESOURCEA(IDB_ABOUT));
            SendDlgItemMessageA(hwnd, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                                reinterpret_cast<LPARAM>(hBit));
            return TRUE;
        case WM_TIMER:
            if (animate) {
                SetDlgItemTextA(hwnd, IDC_ABOUT_TEXT, text(sel).c_str());
                sel = (sel + 1) % 3;
            }
            return FALSE;
        case WM_MOUSEMOVE:
            animate = overText(hwnd, lParam);
            setCursor(animate);
            return FALSE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONUP:
            if (animate) setCursor(true);
            return FALSE;
        case WM_LBUTTONUP:
            if (overText(hwnd, lParam)) ShellOpen(kToolchainSite);
            return FALSE;
        case WM_RBUTTONDOWN:
            if (play) {
                PlaySoundA(MAKEINTRESOURCEA(IDR_ABOUTSOUND), g_hInst, SND_RESOURCE | SND_ASYNC);
                play = false;
            }
            if (animate) setCursor(true);
            return FALSE;
        case WM_COMMAND:
            return onCommand(hwnd, wParam);
    }
    return FALSE;
}

void ShowAbout(cAppData& ad) { LangDialogBox(IDD_ABOUT, ad.hwnd, AboutDlgProc, 0); }
