// The program's message box, dialog 107. The dialogs are created through the wide entry
// points, in the window's language.
#include <windows.h>

#include "res/resource.h"
#include "support/Center_win.h"
#include "support/Instance_win.h"
#include "support/Lang_win.h"
#include "support/mb.h"

HINSTANCE g_hInst = nullptr;

INT_PTR CALLBACK MbProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetDlgItemTextA(hwnd, IDC_MESSAGE_TEXT, reinterpret_cast<const char*>(lParam));
            CenterOnOwner(hwnd);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_MESSAGE_OK:
                case IDOK:
                case IDCANCEL:
                    EndDialog(hwnd, 0);
                    return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(hwnd, 0);
            return TRUE;
    }
    return FALSE;
}

void mb(const char* text, HWND__* const& owner) {
    LangDialogBox(IDD_MESSAGE, owner, MbProc, reinterpret_cast<LPARAM>(text));
}

namespace {
HWND defaultOwner = nullptr;
}

void mbSetOwner(HWND__* owner) { defaultOwner = owner; }

void mb(const char* text) { mb(text, defaultOwner); }
