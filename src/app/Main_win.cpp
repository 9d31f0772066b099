// Program entry: picks the window's language and runs the main dialog modally with the
// file named on the command line as its parameter.
#include <windows.h>

#include <string>

#include "app/App_win.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/StartUp.h"
#include "support/Utf8_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_hInst = instance;
    // The wide command line: names outside any code page arrive whole.
    const EditorArgs args = ParseEditorArgs(ArgsAfterProgram(Utf8FromWide(GetCommandLineW())));
    LangSet(args.lang == "en" ? Lang::English : args.lang == "zh" ? Lang::Chinese : LangOfUser());
    DialogBoxIndirectParamW(instance, LangDialog(IDD_MAIN), nullptr, MainDlgProc,
                            reinterpret_cast<LPARAM>(args.file.c_str()));
    return 0;
}
