// The command table of the main window and the rules that enable its menu items.
#include "app/Commands_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <initializer_list>

#include "app/App_win.h"
#include "app/EditDlg_win.h"
#include "app/FileCommands_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/mb.h"
#include "view/Fields.h"
#include "view/Marks.h"
#include "view/View.h"

namespace {

const int kPopupItems[] = {IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_DELETE, IDM_LOAD};
const int kEditDialogItems[] = {IDM_SKILLS_DIALOG, IDM_QUESTS_DIALOG, IDM_WAYPOINTS_DIALOG};

void enable(HMENU menu, int id) { EnableMenuItem(menu, id, MF_BYCOMMAND | MF_ENABLED); }

bool listedFileSelected(cAppData& ad) {
    const char* name = ViewListGetSelFile(ad, nullptr);
    return (TestExt(name, "d2s") || TestExt(name, backupext)) && FileExists(name);
}

bool atSaveFolder(cAppData& ad) { return ad.savedir == CurDir(nullptr); }

// False when a save the user asked for did not happen: the file stays open with its edits.
bool closeOpenFile(cAppData& ad) {
    if (!OnCloseFile(ad)) return false;
    ViewCloseFile(ad);
    return true;
}

void refillList(cAppData& ad) {
    ViewAddFilesToList(ad);
    ViewShowCurDir(ad);
}

void revertEdits(cAppData& ad) {
    ad.player = ad.loaded;
    ViewResetMenu(ad);
    ViewSetData(ad);
}

// Enter: in the list it enters a folder or opens a file; elsewhere it takes the fields.
void onEnter(cAppData& ad) {
    if (GetFocus() != GetDlgItem(ad.hwnd, IDC_FILELIST)) {
        ViewTakeFields(ad);
    } else if (SelectionIsNotOpen(ad)) {
        if (ViewListChangeDir(ad)) {
            refillList(ad);
        } else {
            ViewOpenFileFromList(ad);
        }
    }
}

// Escape walks back one step: undo the edits, then close the file, then clear the window.
void onEscape(cAppData& ad) {
    ViewTakeFields(ad);
    if (UnsavedEdits(ad)) {
        revertEdits(ad);
    } else if (ad.fileopen()) {
        SetFocus(GetDlgItem(ad.hwnd, IDC_FILELIST));
        ViewCloseFile(ad);
    } else {
        SendDlgItemMessageA(ad.hwnd, IDC_FILELIST, LB_SETCURSEL, 0, 0);
        ClearView(ad, sclear);
    }
}

bool onFileList(cAppData& ad, int code) {
    if (code == LBN_SELCHANGE) {
        if (SelectionIsNotOpen(ad)) {
            if (closeOpenFile(ad)) {
                ViewOpenFileFromList(ad);
            } else {
                ViewListSetSelFile(ad, ad.filename.cstr());
            }
        }
        return true;
    }
    if (code == LBN_DBLCLK) {
        if (SelectionIsNotOpen(ad) && ViewListChangeDir(ad)) refillList(ad);
        return true;
    }
    return false;
}

void onSaveFolder(cAppData& ad) {
    if (atSaveFolder(ad) || !closeOpenFile(ad)) return;
    SetCurrentDirectoryA(ad.savedir.cstr());
    refillList(ad);
}

// Ctrl+N: the New submenu of the File menu, opened at the top left of the window.
void onNewMenu(cAppData& ad) {
    HMENU file = GetSubMenu(GetMenu(ad.hwnd), 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        HMENU sub = GetSubMenu(file, i);
        if (!sub || GetMenuState(sub, IDM_NEW_AMAZONE, MF_BYCOMMAND) == static_cast<UINT>(-1))
            continue;
        POINT at = {0, 0};
        ClientToScreen(ad.hwnd, &at);
        TrackPopupMenuEx(sub, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, ad.hwnd, nullptr);
        return;
    }
}

// The New menu's characters for a newer game, and its hardcore mark, which holds for them
// until it is taken off.
bool onNewbieCommand(cAppData& ad, int id) {
    if (id == IDM_NEW_HARDCORE) {
        const HMENU menu = GetMenu(ad.hwnd);
        const bool on = GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED;
        CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_UNCHECKED : MF_CHECKED));
        return true;
    }
    NewbieChoice choice;
    if (!DocNewbieCommand(id, choice)) return false;
    choice.hardcore = (GetMenuState(GetMenu(ad.hwnd), IDM_NEW_HARDCORE, MF_BYCOMMAND) & MF_CHECKED);
    OnSaveNewbieAs(ad, choice);
    return true;
}

// A click on one of the Edit menu's marks changes the pending edit record.
void onMark(cAppData& ad, int id) {
    EditSwitchMark(ad.edit, id);
    ViewShowMarks(ad);
    if (id == IDM_MAXGOLD) ViewOnMaxGold(ad, ad.edit.maxGold);
}

// A file whose sections this editor knows: its skills, quests and waypoints can be shown,
// and changed when it is writable.
bool editDialogsOffered(cAppData& ad) { return ad.fileopen() && DocVersionWritable(ad); }

void openEditDialog(cAppData& ad, int id) {
    if (!editDialogsOffered(ad)) return;
    ViewTakeFields(ad);  // the skills follow the class chosen in the window
    if (id == IDM_SKILLS_DIALOG) ShowSkillsDialog(ad);
    if (id == IDM_QUESTS_DIALOG) ShowQuestsDialog(ad);
    if (id == IDM_WAYPOINTS_DIALOG) ShowWaypointsDialog(ad);
}

// Commands that act on the open file and do nothing without one.
bool onFileCommand(cAppData& ad, int id) {
    if (!ad.fileopen()) return true;
    switch (id) {
        case IDM_SAVEAS:
            OnSaveFileAs(ad);
            break;
        case IDM_SAVE:
            OnSaveFile(ad);
            break;
        case IDM_CLOSE:
            closeOpenFile(ad);
            break;
        case IDM_RESET:
            revertEdits(ad);
            break;
        case IDM_MAXGOLD:
        case IDM_RESTART:
        case IDM_COMPLETE:
        case IDM_SKILLS_FULL:
        case IDM_SKILLS_NONE:
            onMark(ad, id);
            break;
        case IDM_SKILLS_DIALOG:
        case IDM_QUESTS_DIALOG:
        case IDM_WAYPOINTS_DIALOG:
            openEditDialog(ad, id);
            break;
    }
    return true;
}

// The list entry a context menu belongs to and where it opens. The keyboard's context menu
// (-1, -1) belongs to the selected entry and opens at it.
bool menuTarget(HWND list, LPARAM lParam, DWORD& hit, POINT& screen) {
    const DWORD sel = static_cast<DWORD>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (screen.x == -1 && screen.y == -1) {
        RECT r = {};
        if (SendMessageA(list, LB_GETITEMRECT, sel, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            return false;
        screen = {r.left + (r.right - r.left) / 2, r.bottom};
        ClientToScreen(list, &screen);
        hit = sel;
        return true;
    }
    POINT client = screen;
    ScreenToClient(list, &client);
    // A miss sets the high half of the answer, so it never equals the selection.
    hit =
        static_cast<DWORD>(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y)));
    return true;
}

}  // namespace

void ShellOpen(const char* target) {
    ShellExecuteA(nullptr, nullptr, target, nullptr, nullptr, SW_SHOW);
}

bool UnsavedEdits(cAppData& ad) { return ad.fileopen() && (FieldsEdited(ad) || !ad.edit.empty()); }

bool SelectionIsNotOpen(cAppData& ad) { return ad.filename != ViewListGetSelFile(ad, nullptr); }

bool OnCommand(cAppData& ad, int id, int code) {
    switch (id) {
        case IDOK:
            onEnter(ad);
            return true;
        case IDCANCEL:
            onEscape(ad);
            return true;
        case IDC_FILELIST:
            return onFileList(ad, code);
        case IDC_BROWSE:
            if (closeOpenFile(ad) && Browse(ad, Tr(IDS_BROWSE_TITLE).c_str()))
                ViewAddFilesToList(ad);
            return true;
        case IDM_FANSITE:
            ShellOpen(fansite);
            return true;
        case IDM_OPENFOLDER:
            if (ad.savedir != "") ShellOpen(CurDir(nullptr));
            return true;
        case IDM_STARTLOG:
            ad.clearLogFile();
            return true;
        case IDM_DELETE:
            // Delete acts on the selected entry: the open file or a listed save or backup.
            if (listedFileSelected(ad)) OnFileDelete(ad);
            return true;
        case IDM_SHOWLOG:
            ShellOpen(logfile);
            return true;
        case IDM_MAKERSITE:
            ShellOpen(blizzard);
            return true;
        case IDM_ABOUT:
            ShowAbout(ad);
            return true;
        case IDM_NOTHING:
            return true;
        case IDM_SAVEAS:
        case IDM_SAVE:
        case IDM_CLOSE:
        case IDM_RESET:
        case IDM_MAXGOLD:
        case IDM_RESTART:
        case IDM_COMPLETE:
        case IDM_SKILLS_FULL:
        case IDM_SKILLS_NONE:
        case IDM_SKILLS_DIALOG:
        case IDM_QUESTS_DIALOG:
        case IDM_WAYPOINTS_DIALOG:
            return onFileCommand(ad, id);
        case IDM_EXIT:
            SendMessageA(ad.hwnd, WM_CLOSE, 0, 0);
            return true;
        case IDM_LOAD:
            if (closeOpenFile(ad)) ViewOpenFileFromList(ad);
            return true;
        case IDM_READFIELDS:
            ViewTakeFields(ad);
            return true;
        case IDM_SAVEFOLDER:
            onSaveFolder(ad);
            return true;
        case IDM_NEWEDITOR:
            ShellOpen(GetAppPath(nullptr));
            return true;
        case IDM_REGISTER:
            if (mb2(ad, title, Tr(IDS_ASK_REGISTER).c_str()) == IDYES) RegisterApp(ad);
            return true;
        case IDM_UNREGISTER:
            if (mb2(ad, title, Tr(IDS_ASK_UNREGISTER).c_str()) == IDYES) UnregisterApp(ad);
            return true;
        case IDM_RELOAD:
            ViewReload(ad, false);
            return true;
        case IDM_NEWMENU:
            onNewMenu(ad);
            return true;
    }
    if (id >= IDM_NEW_AMAZONE && id <= IDM_NEW_ASSASSINE) {
        OnSaveNewFileAs(ad, id);
        return true;
    }
    return onNewbieCommand(ad, id);
}

void PrepareMenuBar(cAppData& ad) {
    HMENU menu = GetMenu(ad.hwnd);
    ViewTakeFields(ad);
    ViewEnableMenuItems(ad, MF_GRAYED);
    // A backup shows its skills, quests and waypoints read-only, as it shows its fields.
    for (int id : kEditDialogItems)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (editDialogsOffered(ad) ? MF_ENABLED : MF_GRAYED));
    if (ad.fileopen()) {
        for (int id : {IDM_SAVEAS, IDM_CLOSE, IDM_DELETE}) enable(menu, id);
        if (ViewFileWritable(ad)) {
            if (UnsavedEdits(ad)) {
                enable(menu, IDM_SAVE);
                enable(menu, IDM_RESET);
            }
            for (int id : kMarkItems) enable(menu, id);
        }
    } else if (listedFileSelected(ad)) {
        enable(menu, IDM_LOAD);
        enable(menu, IDM_DELETE);
    }
    if (!atSaveFolder(ad)) enable(menu, IDM_SAVEFOLDER);
    enable(menu, RegSet(ad) ? IDM_UNREGISTER : IDM_REGISTER);
}

void TrackPopUp(cAppData& ad, const POINT& point) {
    if (!ad.popup) return;
    TrackPopupMenuEx(ad.popup, TPM_VERTICAL, point.x, point.y, ad.hwnd, nullptr);
}

void OnListContextMenu(cAppData& ad, LPARAM lParam) {
    HWND list = GetDlgItem(ad.hwnd, IDC_FILELIST);
    DWORD hit = 0;
    POINT screen = {};
    if (!menuTarget(list, lParam, hit, screen)) return;
    const DWORD sel = static_cast<DWORD>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (hit != sel) {
        if (closeOpenFile(ad)) SendMessageA(list, LB_SETCURSEL, hit, 0);
        return;
    }
    for (int id : kPopupItems) EnableMenuItem(ad.popup, id, MF_BYCOMMAND | MF_GRAYED);
    if (ad.fileopen()) {
        ViewTakeFields(ad);
        if (UnsavedEdits(ad) && ViewFileWritable(ad)) enable(ad.popup, IDM_SAVE);
        for (int id : {IDM_SAVEAS, IDM_CLOSE, IDM_DELETE}) enable(ad.popup, id);
    } else if (listedFileSelected(ad)) {
        enable(ad.popup, IDM_DELETE);
        enable(ad.popup, IDM_LOAD);
    } else {
        return;
    }
    TrackPopUp(ad, screen);
}

void OnDropPath(cAppData& ad, const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    const std::size_t start = path.find_last_of('\\') + 1;
    if (!folder && !TestExt(path.c_str(), "d2s") && !TestExt(path.c_str(), backupext)) {
        mb(Tr(IDS_NOT_A_SAVE, path.substr(start)).c_str(), ad.hwnd);
        return;
    }
    if (!closeOpenFile(ad)) return;
    if (!SetCurrentDirectoryA(folder ? path.c_str() : path.substr(0, start).c_str())) {
        mb(Tr(IDS_PATH_REFUSED, path).c_str(), ad.hwnd);
        return;
    }
    refillList(ad);
    if (folder) return;
    ViewListSetSelFile(ad, path.substr(start).c_str());
    ViewOpenFileFromList(ad);
}
