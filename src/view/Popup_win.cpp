// The file list's context menu.
#include <windows.h>

#include "res/resource.h"
#include "support/Lang_win.h"
#include "view/View.h"

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
