// Time the editor's window takes to list a folder of 10,000 saves: the real dialog, entered
// into the folder by a double click on its list entry, and back out again.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/App_win.h"
#include "res/resource.h"

namespace {

const int kFiles = 10000;
const int kRounds = 7;

void doubleClick(HWND dlg, const char* name) {
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name));
    SendMessageA(list, LB_SETCURSEL, at, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

}  // namespace

int main() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string root = std::string(tmp) + "velmor-listbench\\";
    const std::string many = root + "many\\";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(many.c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = many + "Hero" + std::to_string(i) + ".d2s";
        CloseHandle(
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    SetCurrentDirectoryA(root.c_str());
    g_hInst = GetModuleHandleA(nullptr);
    HWND dlg = CreateDialogParamW(g_hInst, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc,
                                  reinterpret_cast<LPARAM>(""));
    std::vector<double> times;
    for (int r = 0; r < kRounds; ++r) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        doubleClick(dlg, "many");
        QueryPerformanceCounter(&b);
        times.push_back(seconds(a, b));
        doubleClick(dlg, "..");
    }
    doubleClick(dlg, "many");
    const LRESULT listed = SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCOUNT, 0, 0);
    doubleClick(dlg, "..");
    DestroyWindow(dlg);
    std::sort(times.begin(), times.end());
    std::printf("window list of %d saves: %ld entries, median %.3f s, best %.3f s (%d rounds)\n",
                kFiles, static_cast<long>(listed), times[kRounds / 2], times[0], kRounds);
    SetCurrentDirectoryA(tmp);
    for (int i = 0; i < kFiles; ++i)
        DeleteFileA((many + "Hero" + std::to_string(i) + ".d2s").c_str());
    RemoveDirectoryA(many.c_str());
    RemoveDirectoryA(root.c_str());
    return listed == kFiles + 1 ? 0 : 1;
}
