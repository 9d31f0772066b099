// The main dialog: start-up, the message map, the keys and the activation protocol with
// the folder monitor. Commands go to the command table (Commands_win.cpp).
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "app/App_win.h"
#include "app/Commands_win.h"
#include "app/FileCommands_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "monitor/Monitor_win.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/Utf8_win.h"
#include "support/mb.h"
#include "view/View.h"

namespace {

// The file named on the command line, with or without quotes and a folder. The whole path
// is searched, so that a save in another folder opens as well as one in the current folder.
void takeCommandLine(cAppData& ad, const char* text) {
    if (!text || !*text) return;
    std::string path = text;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path.c_str(), &found);
    // A path longer than the system takes would otherwise open nothing without a word.
    if (find == INVALID_HANDLE_VALUE &&
        (GetLastError() == ERROR_FILENAME_EXCED_RANGE || path.size() >= MAX_PATH))
        mb(Tr(IDS_PATH_REFUSED, path).c_str(), ad.hwnd);
    const bool ok = find != INVALID_HANDLE_VALUE &&
                    !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    (TestExt(found.cFileName, "d2s") || TestExt(found.cFileName, backupext));
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    ad.cmdfile = ok ? found.cFileName : "";
    if (!ok) return;
    ad.cmdfile.trim();
    const std::size_t start = path.find_last_of('\\');
    if (start == std::string::npos) return;
    // A folder the system cannot make the current one: refused by name, nothing opens.
    if (!SetCurrentDirectoryA(path.substr(0, start + 1).c_str())) {
        mb(Tr(IDS_PATH_REFUSED, path).c_str(), ad.hwnd);
        ad.cmdfile = "";
    }
}

HACCEL keys = nullptr;

// A key of the accelerator table pressed in the main window: runs its command when the
// command's menu item is enabled, and swallows the key either way.
bool mainWindowKey(cAppData& ad, const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !keys) return false;
    if (msg.hwnd != ad.hwnd && !IsChild(ad.hwnd, msg.hwnd)) return false;
    ACCEL table[16];
    const int n = CopyAcceleratorTableA(keys, table, 16);
    const BYTE held = (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                      (GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                      (GetKeyState(VK_MENU) < 0 ? FALT : 0);
    for (int i = 0; i < n; ++i) {
        if (table[i].key != msg.wParam || (table[i].fVirt & (FCONTROL | FSHIFT | FALT)) != held)
            continue;
        // In a field Delete deletes text; the file goes only from the list.
        if (table[i].cmd == IDM_DELETE && GetFocus() != GetDlgItem(ad.hwnd, IDC_FILELIST))
            return false;
        PrepareMenuBar(ad);
        const UINT state = GetMenuState(GetMenu(ad.hwnd), table[i].cmd, MF_BYCOMMAND);
        if (state == static_cast<UINT>(-1) || !(state & MF_GRAYED))
            SendMessageA(ad.hwnd, WM_COMMAND, table[i].cmd, 0);
        return true;
    }
    return false;
}

cAppData* keysFor = nullptr;  // the window whose keys the hook translates
HHOOK keyHook = nullptr;

// The dialog's own message loop knows no accelerators; this hook gives it the table's keys.
LRESULT CALLBACK keyFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && keysFor &&
        mainWindowKey(*keysFor, *reinterpret_cast<MSG*>(lParam)))
        return 1;
    return CallNextHookEx(keyHook, code, wParam, lParam);
}

void onDropFiles(cAppData& ad, HDROP drop) {
    const UINT len = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(len + 1, L'\0');
    const bool one = len > 0 && DragQueryFileW(drop, 0, &path[0], len + 1) == len;
    DragFinish(drop);
    if (one) OnDropPath(ad, Utf8FromWide(path.c_str()));
}

void enableList(cAppData& ad, BOOL enable) {
    EnableWindow(GetDlgItem(ad.hwnd, IDC_FILELIST), enable);
    EnableWindow(GetDlgItem(ad.hwnd, IDC_BROWSE), enable);
}

void onActivateApp(cAppData& ad, cMonitor& monitor, bool active) {
    if (active) {
        monitor.Pause();
        PostMessageA(ad.hwnd, WM_COMMAND, IDM_FOLDERCHECK, 0);
    } else {
        enableList(ad, FALSE);
        monitor.Start(CurDir(nullptr));
    }
}

void onFolderCheck(cAppData& ad, cMonitor& monitor) {
    // While one of the window's questions is open (the window is disabled under it), closing
    // and reloading here would pull the document from under the question; the change stays
    // noted and is handled after the next return to the foreground.
    if (monitor.DirChange() && IsWindowEnabled(ad.hwnd)) {
        monitor.Reset();
        const DiskChange change = SettleDiskChange(ad);
        if (change != DiskChange::KeepOpen) {
            const bool wasOpen = ad.fileopen();
            // A save the user asked for that did not happen keeps the file open with its edits.
            if (change != DiskChange::None || OnCloseFile(ad)) {
                ViewCloseFile(ad);
                ViewReload(ad, wasOpen);
            }
        }
    }
    enableList(ad, TRUE);
}

}  // namespace

void OnInitApp(cAppData& ad) {
    SetClassLongPtrA(ad.hwnd, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(g_hInst, MAKEINTRESOURCEA(IDI_APP))));
    // The dialog loads its menu in whatever language the system picks: the chosen one
    // replaces it.
    HMENU loaded = GetMenu(ad.hwnd);
    SetMenu(ad.hwnd, LangMenu(IDM_MAINMENU));
    DestroyMenu(loaded);
    HMENU system = GetSystemMenu(ad.hwnd, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_ABOUT, Tr(IDS_SYSMENU_ABOUT).c_str());
    DragAcceptFiles(ad.hwnd, TRUE);
    keysFor = &ad;
    if (!keys) keys = LoadAcceleratorsA(g_hInst, MAKEINTRESOURCEA(IDR_ACCEL));
    if (!keyHook)
        keyHook = SetWindowsHookExA(WH_MSGFILTER, keyFilter, nullptr, GetCurrentThreadId());
    ClearView(ad, sclear);
    SetFocus(GetDlgItem(ad.hwnd, IDC_FILELIST));
    GetInitialDir(ad);
    if (ad.cmdfile != "") {
        ViewAddFilesToList(ad);
        ViewListSetSelFile(ad, ad.cmdfile.cstr());
        ViewOpenFileFromList(ad);
    } else {
        SetCurrentDirectoryA(ad.savedir.cstr());
        ViewAddFilesToList(ad);
    }
    // A file opened here shows its own status, as one opened from the list does.
    if (!ad.fileopen()) ViewShowCurDir(ad);
}

INT_PTR CALLBACK MainDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Built on the first call, destroyed at exit in reverse order: the monitor first.
    static cAppData ad;
    static cMonitor monitor;
    switch (msg) {
        case WM_INITDIALOG:
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            ad.hwnd = hwnd;
            mbSetOwner(hwnd);
            ad.popup = UiCreatePopup();
            takeCommandLine(ad, reinterpret_cast<const char*>(lParam));
            OnInitApp(ad);
            return FALSE;
        case WM_CLOSE:
            monitor.Reset();
            monitor.Stop();
            // A failed save keeps the window open with the edits.
            if (!OnCloseFile(ad)) return TRUE;
            ViewCloseFile(ad);
            EndDialog(hwnd, 0);
            return TRUE;
        case WM_DROPFILES:
            onDropFiles(ad, reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_DESTROY:
            if (keyHook) UnhookWindowsHookEx(keyHook);
            keyHook = nullptr;
            keysFor = nullptr;
            UiDestroyPopup(ad.popup);
            ad.popup = nullptr;
            mbSetOwner(nullptr);
            return FALSE;
        case WM_ACTIVATEAPP:
            onActivateApp(ad, monitor, wParam != 0);
            return FALSE;
        case WM_INITMENU:
            if (reinterpret_cast<HMENU>(wParam) == GetMenu(hwnd)) PrepareMenuBar(ad);
            return FALSE;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(hwnd, IDC_FILELIST))
                OnListContextMenu(ad, lParam);
            return FALSE;
        case WM_SYSCOMMAND:
            if (wParam == IDM_ABOUT) SendMessageA(hwnd, WM_COMMAND, IDM_ABOUT, 0);
            return FALSE;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_KILLFOCUS) ViewTakeFields(ad);
            if (LOWORD(wParam) == IDM_FOLDERCHECK) {
                onFolderCheck(ad, monitor);
                return TRUE;
            }
            return OnCommand(ad, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
