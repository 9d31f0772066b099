// Opening and closing a character in the window: fields, class selector, menu states,
// title, status line and the class portrait.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/App_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "view/Fields.h"
#include "view/Marks.h"
#include "view/View.h"

namespace {

const int kManagedItems[] = {IDM_SAVE,        IDM_SAVEAS,      IDM_CLOSE,    IDM_LOAD,
                             IDM_DELETE,      IDM_SAVEFOLDER,  IDM_REGISTER, IDM_UNREGISTER,
                             IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_RESTART,  IDM_COMPLETE,
                             IDM_MAXGOLD,     IDM_RESET};

// Portrait of each class code.
const int kClassIcons[kClassCount] = {IDI_AMAZONE, IDI_SORCERESS, IDI_NECROMANCER, IDI_PALADIN,
                                      IDI_BARBAR,  IDI_DRUID,     IDI_ASSASSINE,   IDI_WARLOCK};

void showIcon(cAppData& ad, int id) {
    // Shared icons at their own size: the portraits are larger than the system icon size.
    HICON icon =
        static_cast<HICON>(LoadImageA(g_hInst, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_SHARED));
    SendDlgItemMessageA(ad.hwnd, IDC_CLASSICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SendMessageA(ad.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(ad.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// The status line's height, the window's client height and the margin below the line in
// velmor.rc, in dialog units.
const int kStatusHeight = 33, kClientHeight = 112, kBottomMargin = 2;

// The status line with its whole text: the line grows to the height the text takes in its
// width, wrapped, and the window with it; it never shrinks below its size in the resource.
void setStatus(cAppData& ad, const char* text) {
    HWND status = GetDlgItem(ad.hwnd, IDC_STATUS);
    SetWindowTextA(status, text);
    RECT line, base = {0, 0, 0, kStatusHeight}, window = {0, 0, 0, kClientHeight},
               margin = {0, 0, 0, kBottomMargin}, client;
    GetWindowRect(status, &line);
    MapWindowPoints(nullptr, ad.hwnd, reinterpret_cast<POINT*>(&line), 2);
    MapDialogRect(ad.hwnd, &base), MapDialogRect(ad.hwnd, &window), MapDialogRect(ad.hwnd, &margin);
    RECT needed = {0, 0, line.right - line.left, 0};
    HDC dc = GetDC(status);
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(status, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text, -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, font);
    ReleaseDC(status, dc);
    const int height = std::max<int>(base.bottom, needed.bottom);
    SetWindowPos(status, nullptr, 0, 0, line.right - line.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(ad.hwnd, &client);
    const int grow =
        std::max<int>(window.bottom, line.top + height + margin.bottom) - client.bottom;
    if (grow == 0) return;
    RECT frame;
    GetWindowRect(ad.hwnd, &frame);
    SetWindowPos(ad.hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string format(const char* fmt, const char* a, const char* b, unsigned n) {
    char text[1024];
    std::snprintf(text, sizeof text, fmt, a, b, n);
    return text;
}

}  // namespace

bool ViewFileWritable(cAppData& ad) {
    return ad.fileopen() && TestExt(ad.filename.cstr(), "d2s") && DocVersionWritable(ad);
}

void ViewTakeFields(cAppData& ad) {
    if (ViewFileWritable(ad)) ViewGetData(ad);
}

bool ViewOpenFile(cAppData& ad, const char* name) {
    if (!DocOpenFile(ad, name)) {
        ViewCloseFile(ad);
        return false;
    }
    DocGetData(ad);
    ViewInitCombo(ad);
    ViewSetData(ad);
    // A layout Velmor does not know has no values to show: its bytes at the classic offsets
    // would be invented ones.
    if (!DocLayout(ad).writable) {
        for (const FieldInfo& f : kFields) SetDlgItemTextA(ad.hwnd, f.id, "?");
        ViewResetCombo(ad);
    }
    // Disabling the field that has the focus makes it report leaving it, and the window then
    // reads the fields of a writable file only: a read-only file's stored values stay shown.
    ViewEnableEdits(ad, !TestExt(name, backupext) && DocVersionWritable(ad));
    ViewSetFileInfo(ad, name);
    return true;
}

void ViewCloseFile(cAppData& ad) {
    ViewEnableEdits(ad, true);
    DocCloseFile(ad);
    ClearView(ad, sclear);
    showIcon(ad, IDI_APP);
    ViewShowCurDir(ad);
}

void ClearView(cAppData& ad, const char* text) {
    for (const FieldInfo& f : kFields) SetDlgItemTextA(ad.hwnd, f.id, text);
    SetWindowTextA(ad.hwnd, title);
    ViewResetMenu(ad);
    ViewResetCombo(ad);
}

void ViewEnableEdits(cAppData& ad, const bool& enable) {
    for (const FieldInfo& f : kFields) EnableWindow(GetDlgItem(ad.hwnd, f.id), enable);
    EnableWindow(GetDlgItem(ad.hwnd, IDC_CLASS), enable);
}

void ViewEnableMenuItems(cAppData& ad, const int& flag) {
    HMENU menu = GetMenu(ad.hwnd);
    for (int id : kManagedItems) EnableMenuItem(menu, id, MF_BYCOMMAND | flag);
}

void ViewSetFileInfo(cAppData& ad, const char* name) {
    if (!ad.fileopen()) return;
    const char* dir = CurDir(nullptr);
    std::string status, caption;
    if (TestExt(name, backupext)) {
        status = format(Tr(IDS_STATUS_BACKUP).c_str(), dir, name, ad.length);
        caption = Tr(IDS_CAPTION_BACKUP) + name;
    } else {
        status = format(Tr(IDS_STATUS_SAVE).c_str(), dir, name, ad.length);
        caption = DelExt(name);
    }
    status += "\n" + DocVersionText(ad);
    const unsigned char flags = DocLayout(ad).writable ? ad.data[DocLayout(ad).status] : 0;
    if ((flags & STATUS_DIED) && (flags & STATUS_HARDCORE)) caption += Tr(IDS_CAPTION_DEAD);
    if (flags & STATUS_HARDCORE) caption += Tr(IDS_CAPTION_HARDCORE);
    const std::string verdict = DocVerdictText(ad);  // what the game does with the file as loaded
    if (!verdict.empty()) status += "\n" + verdict;
    setStatus(ad, status.c_str());
    SetWindowTextA(ad.hwnd, caption.c_str());
    ViewSetPlayerIcon(ad);
}

void ViewSetPlayerIcon(cAppData& ad) {
    const int code = DocLayout(ad).writable ? ad.player.charClass : -1;
    // A damaged file's class outside the table shows the application's icon.
    showIcon(ad, code >= 0 && code < kClassCount ? kClassIcons[code] : IDI_APP);
}

void ViewShowMarks(cAppData& ad) {
    for (int id : kMarkItems)
        CheckMenuItem(GetMenu(ad.hwnd), id,
                      MF_BYCOMMAND | (EditMarked(ad.edit, id) ? MF_CHECKED : MF_UNCHECKED));
}

void ViewResetMenu(cAppData& ad) {
    ad.edit = CharEdit();
    ViewShowMarks(ad);
}

void ViewShowCurDir(cAppData& ad) { setStatus(ad, CurDir(nullptr)); }
