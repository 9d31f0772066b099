// Program entry: runs the main dialog modally with the command line as its parameter.
#include <windows.h>

#include "app/App_win.h"
#include "res/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_hInst = instance;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc,
                    reinterpret_cast<LPARAM>(commandLine));
    return 0;
}
