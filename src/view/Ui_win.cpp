// The window services of the portable layers, on the real main dialog.
#include <windows.h>

#include "core/AppData.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "view/Ui.h"
#include "view/View.h"

void UiGetText(cAppData& ad, const int& id, char* buf, const int& cap) {
    if (cap > 0) buf[0] = '\0';
    GetDlgItemTextA(ad.hwnd, id, buf, cap);
}

void UiSetText(cAppData& ad, const int& id, const char* text) {
    SetDlgItemTextA(ad.hwnd, id, text);
}

void UiComboReset(cAppData& ad) { SendDlgItemMessageA(ad.hwnd, IDC_CLASS, CB_RESETCONTENT, 0, 0); }

void UiComboAdd(cAppData& ad, const char* text) {
    SendDlgItemMessageA(ad.hwnd, IDC_CLASS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void UiComboSelect(cAppData& ad, const int& index) {
    // An index past the end would keep the old selection; such a class selects nothing.
    const bool listed = index >= 0 && index < UiComboCount(ad);
    SendDlgItemMessageA(ad.hwnd, IDC_CLASS, CB_SETCURSEL, listed ? index : -1, 0);
}

int UiComboSel(cAppData& ad) {
    const LRESULT sel = SendDlgItemMessageA(ad.hwnd, IDC_CLASS, CB_GETCURSEL, 0, 0);
    return sel == CB_ERR ? -1 : static_cast<int>(sel);
}

int UiComboCount(cAppData& ad) {
    return static_cast<int>(SendDlgItemMessageA(ad.hwnd, IDC_CLASS, CB_GETCOUNT, 0, 0));
}

HMENU__* UiCreatePopup() {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    const struct {
        UINT id;
        int text;
    } items[] = {{IDM_SAVE, IDS_POPUP_SAVE},
                 {IDM_SAVEAS, IDS_POPUP_SAVEAS},
                 {IDM_CLOSE, IDS_POPUP_CLOSE},
                 {IDM_LOAD, IDS_POPUP_LOAD},
                 {IDM_DELETE, IDS_POPUP_DELETE}};
    UINT pos = 0;
    for (const auto& item : items)
        InsertMenuA(menu, pos++, MF_BYPOSITION | MF_STRING, item.id, Tr(item.text).c_str());
    return menu;
}

void UiDestroyPopup(HMENU__* menu) {
    if (menu) DestroyMenu(menu);
}
