// Cases where the window used to lose an edit, a file or its place: a file the game wrote
// behind the editor's back, Delete, commands without a file and the keyboard's context menu.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

UINT saveAs = 0;  // the state of the context menu's Save As when it opened

// Records the state of Save As when the context menu opens, then closes the menu again.
LRESULT CALLBACK recordMenu(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP) {
        saveAs = GetMenuState(reinterpret_cast<HMENU>(m->wParam), IDM_SAVEAS, MF_BYCOMMAND);
        PostMessageA(m->hwnd, WM_CANCELMODE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(Edits, AFileTheGameWroteMeanwhileIsOverwrittenOnlyByChoiceAndThenKeptAsTheBackup) {
    const Bytes loaded = NewSave("Rogar", 4), game = With16(loaded, kEnergy, 55);
    for (bool agree : {false, true}) {
        TempFolder dir;
        WriteFileBytes(dir / "Rogar.d2s", loaded);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        ed.Expect({agree ? Answer::Yes : Answer::No});
        ed.AwayAndBack([&] { WriteFileBytes(dir / "Rogar.d2s", game); });
        EXPECT_EQ(
            Names{kTitle + "|Rogar.d2s was changed on disk while Velmor was "
                           "in the background.\nSave your changes over it? The version on disk "
                           "becomes the backup."},
            ed.shown);
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(agree ? With16(loaded, kStrength, 111) : game, ReadFileBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(agree ? game : Bytes(), ReadFileBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(std::to_string(agree ? loaded[kEnergy] : 55), ed.Text(IDC_ENERGY));
    }
}

// The side files go with the save, but only once the save itself is gone; .ma4 is not one.
TEST(Edits, DeleteRemovesTheSideFilesOnlyAfterTheSaveAndReportsARefusal) {
    for (bool readOnly : {false, true}) {
        TempFolder dir;
        WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
        for (const char* ext : {"key", "map", "ma0", "ma1", "ma2", "ma3", "ma4"})
            WriteFileBytes(dir / (std::string("Rogar.") + ext), {'s'});
        if (readOnly) SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_READONLY);
        const Names all = dir.List();
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Expect({Answer::Yes});
        if (readOnly) ed.Expect({Answer::Ok});
        ed.Command(IDM_DELETE);
        Names said = {"Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?"};
        if (readOnly)
            said.push_back("修改器提示:|Could not delete Rogar.d2s!\nNothing was removed.");
        EXPECT_EQ(said, ed.shown);
        EXPECT_EQ(readOnly ? all : Names{"Rogar.ma4"}, dir.List());
        EXPECT_EQ((readOnly ? Names{"..", "Rogar.d2s"} : Names{".."}), ed.ListEntries());
        EXPECT_EQ(readOnly ? "Rogar" : kTitle, ed.Title());
    }
}

TEST(Edits, CommandsThatNeedAFileDoNothingWithoutOneAndTheKeyboardMenuKeepsIt) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;  // ".." selected, nothing open
    for (int id : {IDM_MAXGOLD, IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE, IDM_RESTART,
                   IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_RESET, IDM_DELETE}) {
        ed.Command(id);
        EXPECT_FALSE(ed.Checked(id)) << id;
        EXPECT_EQ("----", ed.Text(IDC_GOLD)) << id;
    }
    EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());
    ed.Select("Rogar.d2s");
    saveAs = MF_GRAYED;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordMenu, nullptr, GetCurrentThreadId());
    SendMessageA(ed.hwnd(), WM_CONTEXTMENU,  // Shift+F10 or the menu key: at (-1, -1)
                 reinterpret_cast<WPARAM>(GetDlgItem(ed.hwnd(), IDC_FILELIST)), MAKELPARAM(-1, -1));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, saveAs & MF_GRAYED);  // opened, for the open file
    EXPECT_EQ("Rogar", ed.Title());
}
