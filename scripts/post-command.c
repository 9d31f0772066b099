/* Sends a menu command to the editor's main window, found by its title, as a click on the
   item would: screenshot.sh opens the Edit menu's dialogs with it.
   usage: post-command.exe TITLE COMMAND-ID */
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HWND window = FindWindowA("#32770", argv[1]);
    if (!window) return 1;
    PostMessageA(window, WM_COMMAND, (WPARAM)atoi(argv[2]), 0);
    return 0;
}
