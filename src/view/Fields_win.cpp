// The main dialog's edit fields and class selector, bound to the field rules.
#include <windows.h>

#include <vector>

#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "view/Fields.h"
#include "view/View.h"

namespace {

LRESULT selector(cAppData& ad, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(ad.hwnd, IDC_CLASS, message, wParam, lParam);
}

// An index past the end would keep the old selection; such a class selects nothing.
void selectClass(cAppData& ad, int index) {
    const bool listed = index >= 0 && index < selector(ad, CB_GETCOUNT);
    selector(ad, CB_SETCURSEL, listed ? index : -1);
}

void fillSelector(cAppData& ad, const std::vector<const char*>& names) {
    selector(ad, CB_RESETCONTENT);
    for (const char* name : names) selector(ad, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    selectClass(ad, 0);
}

void showText(cAppData& ad, int id, const FieldTexts& texts) {
    SetDlgItemTextA(ad.hwnd, id, texts[FieldIndex(id)].c_str());
}

void showTexts(cAppData& ad, const FieldTexts& texts) {
    for (const FieldInfo& f : kFields) showText(ad, f.id, texts);
}

}  // namespace

void ViewGetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    FieldTexts typed;
    for (int i = 0; i < kFieldCount; ++i) {
        char text[50] = "";
        GetDlgItemTextA(ad.hwnd, kFields[i].id, text, sizeof text);
        typed[i] = text;
    }
    const LRESULT sel = selector(ad, CB_GETCURSEL);
    showTexts(ad, FieldsRead(ad, sel == CB_ERR ? -1 : static_cast<int>(sel), typed));
}

void ViewSetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    showTexts(ad, FieldsShown(ad.player));
    selectClass(ad, static_cast<signed char>(ad.data[DocLayout(ad).charClass]));
}

void ViewOnMaxGold(cAppData& ad, const bool& on) {
    if (!ad.fileopen()) return;
    FieldTexts texts;
    FieldsShowGold(ad, on, texts);
    showText(ad, IDC_GOLD, texts);
    showText(ad, IDC_GOLDSTASH, texts);
}

void ViewInitCombo(cAppData& ad) { fillSelector(ad, FieldsClasses(ad)); }

void ViewResetCombo(cAppData& ad) { fillSelector(ad, {sclear}); }
