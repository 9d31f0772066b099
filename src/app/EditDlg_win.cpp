#include "app/EditDlg_win.h"

#include <string>

#include "res/resource.h"
#include "support/Instance_win.h"
#include "support/Lang_win.h"
#include "support/Utf8_win.h"

HWND RowMaker::Add(const wchar_t* cls, const std::string& text, DWORD style, int id, RECT du) {
    MapDialogRect(dlg, &du);
    const DWORD exStyle = wcscmp(cls, L"Edit") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND w =
        CreateWindowExW(exStyle, cls, WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                        du.left, du.top, du.right, du.bottom, dlg,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hInst, nullptr);
    SendMessageW(w, WM_SETFONT, SendMessageW(dlg, WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = w;
    return w;
}

// The rectangles are {x, y, width, height}, as in a resource script.
HWND RowMaker::Group(const std::string& text, int id, RECT du) {
    return Add(L"Button", text, BS_GROUPBOX, id, du);
}

HWND RowMaker::Label(const std::string& text, int id, RECT du) {
    return Add(L"Static", text, SS_LEFT | SS_NOPREFIX, id, du);
}

HWND RowMaker::Check(const std::string& text, int id, RECT du, DWORD kind) {
    return Add(L"Button", text, kind | WS_TABSTOP, id, du);
}

HWND RowMaker::Combo(int id, RECT du) {
    return Add(L"ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id, du);
}

void SetText(HWND w, const std::string& text) { SetWindowTextW(w, WideFromUtf8(text).c_str()); }

std::string Text(HWND w) {
    wchar_t text[64] = L"";
    GetWindowTextW(w, text, 64);
    return Utf8FromWide(text);
}

void AddComboItem(HWND combo, const std::string& text, int data) {
    const LRESULT at =
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
    SendMessageW(combo, CB_SETITEMDATA, at, data);
}

bool SelectComboData(HWND combo, int data) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(combo, CB_GETITEMDATA, i, 0) != data) continue;
        SendMessageW(combo, CB_SETCURSEL, i, 0);
        return true;
    }
    return false;
}

int SelectedComboData(HWND combo) {
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return sel == CB_ERR ? -1 : static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, sel, 0));
}

std::string ActName(int act) {
    static const char* const roman[] = {"", "I", "II", "III", "IV", "V"};
    return Tr(IDS_ACT, roman[act]);
}

void FillDifficulties(HWND dlg) {
    HWND combo = GetDlgItem(dlg, IDC_DIFFICULTY);
    // Unsorted: the items stay in the order of the difficulties.
    for (int id : {IDS_DIFFICULTY_NORMAL, IDS_DIFFICULTY_NIGHTMARE, IDS_DIFFICULTY_HELL})
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(WideFromUtf8(Tr(id)).c_str()));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

int SelectedDifficulty(HWND dlg) {
    const LRESULT sel = SendDlgItemMessageW(dlg, IDC_DIFFICULTY, CB_GETCURSEL, 0, 0);
    return sel == CB_ERR ? 0 : static_cast<int>(sel);
}

void MakeReadOnly(HWND dlg) {
    EnumChildWindows(
        dlg,
        [](HWND w, LPARAM) -> BOOL {
            const int id = GetDlgCtrlID(w);
            const bool input = (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) || id == IDOK;
            if (input && id != IDC_DIFFICULTY && id != IDCANCEL) EnableWindow(w, FALSE);
            return TRUE;
        },
        0);
}
