// The file list: the working folder's subfolders, save files and backups. The working
// folder is the process's current folder; every name in the list is a bare name in it.
#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "core/AppData.h"
#include "core/Constants.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/cString.h"
#include "support/mb.h"
#include "view/View.h"

namespace {

// Names of up to 49 characters fit the list's name buffer; longer ones are not listed.
const std::size_t kNameLen = 50;
char file[kNameLen];

LRESULT list(cAppData& ad, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(ad.hwnd, IDC_FILELIST, msg, wParam, lParam);
}

bool listed(const WIN32_FIND_DATAA& entry) {
    const char* name = entry.cFileName;
    if (std::strlen(name) >= kNameLen) return false;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::strcmp(name, ".") != 0;
    return TestExt(name, "d2s") || TestExt(name, backupext);
}

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void ViewAddFilesToList(cAppData& ad) {
    list(ad, LB_RESETCONTENT);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA("*", &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    // One redraw for the whole folder: drawing after every entry makes a folder of thousands
    // of saves take many seconds.
    list(ad, WM_SETREDRAW, FALSE);
    do {
        if (listed(entry)) list(ad, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.cFileName));
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    list(ad, LB_SETCURSEL, 0);
    list(ad, WM_SETREDRAW, TRUE);
    InvalidateRect(GetDlgItem(ad.hwnd, IDC_FILELIST), nullptr, TRUE);
}

char* ViewListGetSelFile(cAppData& ad, char* out) {
    std::memset(file, 0, sizeof file);
    const LRESULT sel = list(ad, LB_GETCURSEL);
    if (sel != LB_ERR && list(ad, LB_GETTEXTLEN, sel) < static_cast<LRESULT>(kNameLen))
        list(ad, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(file));
    if (out) std::strcpy(out, file);
    return file;
}

bool ViewListSetSelFile(cAppData& ad, const char* name) {
    const LRESULT at =
        list(ad, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    if (at == LB_ERR) return false;
    list(ad, LB_SETCURSEL, at);
    return true;
}

bool ViewListDelCurSel(cAppData& ad) {
    const LRESULT sel = list(ad, LB_GETCURSEL);
    if (sel != LB_ERR) {
        list(ad, LB_DELETESTRING, sel);
        list(ad, LB_SETCURSEL, 0);
    }
    return true;
}

bool ViewListChangeDir(cAppData& ad) {
    cString name(nullptr, kNameLen);
    ViewListGetSelFile(ad, name.str());
    name.UpdatePos();
    if (name == "..") {
        SetCurrentDirectoryA("..");
        return true;
    }
    if (!isFolder(GetFileAttributesA(name.cstr()))) return false;
    name.push_front(".\\");
    if (name[name.len() - 1] != '\\') name.add('\\');
    // A folder whose path is longer than the system allows stays closed, and says so.
    if (!SetCurrentDirectoryA(name.cstr()))
        mb(Tr(IDS_PATH_REFUSED, CurDir(nullptr) + std::string(name.cstr() + 2)).c_str(), ad.hwnd);
    return true;
}

void ViewOpenFileFromList(cAppData& ad) {
    char name[kNameLen];
    ViewListGetSelFile(ad, name);
    if (ad.filename == name) return;
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ViewOpenFile(ad, name);
    } else if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        ViewListDelCurSel(ad);
    }
}

void ViewReload(cAppData& ad, const bool& open) {
    char name[kNameLen];
    ViewListGetSelFile(ad, name);
    ViewAddFilesToList(ad);
    if (!name[0]) return;
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ViewListSetSelFile(ad, name);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && open) ViewOpenFile(ad, name);
}

bool Browse(cAppData& ad, const char* title) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOA info = {};
    info.hwndOwner = ad.hwnd;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    char path[MAX_PATH + 1] = "";
    const bool ok = chosen && SHGetPathFromIDListA(chosen, path);
    if (ok) {
        addSlash(path);
        SetCurrentDirectoryA(path);
        ViewShowCurDir(ad);
    }
    if (chosen) {
        IMalloc* malloc = nullptr;
        if (SUCCEEDED(SHGetMalloc(&malloc))) {
            malloc->Free(chosen);
            malloc->Release();
        }
    }
    CoUninitialize();
    return ok;
}
