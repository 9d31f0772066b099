// The main dialog: start-up, the message map and the activation protocol with the folder
// monitor. Commands go to the command table (Commands_win.cpp).
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "core/AppData.h"
#include "app/App_win.h"
#include "app/Commands_win.h"
#include "core/Constants.h"
#include "app/FileCommands_win.h"
#include "monitor/Monitor_win.h"
#include "res/resource.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "view/Fields.h"
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
    const bool ok = find != INVALID_HANDLE_VALUE &&
                    !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    (TestExt(found.cFileName, "d2s") || TestExt(found.cFileName, backupext));
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    ad.cmdfile = ok ? found.cFileName : "";
    if (!ok) return;
    ad.cmdfile.trim();
    if (path.find('\\') != std::string::npos) SetCurrentDirectoryA(GetPathFromFile(path.c_str()));
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
    HMENU system = GetSystemMenu(ad.hwnd, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_ABOUT, "&About");
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
    ViewShowCurDir(ad);
}

INT_PTR CALLBACK MainDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Built on the first call, destroyed at exit in reverse order: the monitor first.
    static cAppData ad;
    static cMonitor monitor;
    switch (msg) {
        case WM_INITDIALOG:
            std::srand(static_cast<unsigned>(std::time(nullptr)));
            ad.hwnd = hwnd;
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
            if (HIWORD(wParam) == EN_KILLFOCUS) ViewGetData(ad);
            if (LOWORD(wParam) == IDM_FOLDERCHECK) {
                onFolderCheck(ad, monitor);
                return TRUE;
            }
            return OnCommand(ad, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
