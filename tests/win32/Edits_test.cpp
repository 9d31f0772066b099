// Cases where the window used to lose an edit, a file or its place: a file the game wrote
// behind the editor's back, Delete, and the keyboard's context menu.
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
    // Refused, agreed, agreed over an older backup, agreed with no backup possible.
    for (int run : {0, 1, 2, 3}) {
        const bool agree = run > 0, saved = agree && run < 3;
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", loaded);
        if (run == 2) WriteBytes(dir / "Rogar.bakvelmor", {'o', 'l', 'd'});
        if (run == 3) CreateDirectoryA((dir / "Rogar.bakvelmor").c_str(), nullptr);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        ed.Expect({agree ? Answer::Yes : Answer::No});
        if (run == 3) ed.Expect({Answer::Ok});  // nothing saved, the edits stay
        ed.AwayAndBack([&] { WriteBytes(dir / "Rogar.d2s", game); });
        ASSERT_EQ(run == 3 ? 2u : 1u, ed.shown.size());
        EXPECT_EQ(0u, ed.shown[0].find(kTitle + "|Rogar.d2s was changed on disk while"));
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(saved ? With16(loaded, kStrength, 111) : game, ReadBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(saved ? game : Bytes(), ReadBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(std::to_string(agree ? loaded[kEnergy] : 55), ed.Text(IDC_ENERGY));
    }
}

// The side files go with the save, but only once the save itself is gone; .ma4 is not one.
TEST(Edits, DeleteRemovesTheSideFilesOnlyAfterTheSaveAndReportsARefusal) {
    for (bool readOnly : {false, true}) {
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
        for (const char* ext : {"key", "map", "ma0", "ma1", "ma2", "ma3", "ma4"})
            WriteBytes(dir / (std::string("Rogar.") + ext), {'s'});
        if (readOnly) SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_READONLY);
        const Names all = dir.List();
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Expect({Answer::Yes});
        if (readOnly) ed.Expect({Answer::Ok});
        ed.Command(IDM_DELETE);
        const std::string asked = "Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?",
                          refused = "修改器提示:|Could not delete Rogar.d2s!\nNothing was removed.";
        EXPECT_EQ((readOnly ? Names{asked, refused} : Names{asked}), ed.shown);
        EXPECT_EQ(readOnly ? all : Names{"Rogar.ma4"}, dir.List());
        EXPECT_EQ((readOnly ? Names{"..", "Rogar.d2s"} : Names{".."}), ed.ListEntries());
        EXPECT_EQ(readOnly ? "Rogar.d2s" : "..", ed.SelectedEntry());
        EXPECT_EQ(readOnly ? "Rogar" : kTitle, ed.Title());
        SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_NORMAL);  // to clean up
    }
}

// Shift+F10 or the menu key open the list's context menu at (-1, -1): for the open file.
TEST(Edits, TheKeyboardContextMenuKeepsTheOpenFile) {
    TempFolder dir;
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    saveAs = MF_GRAYED;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordMenu, nullptr, GetCurrentThreadId());
    SendMessageA(ed.dlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(ed.dlg, IDC_FILELIST)),
                 MAKELPARAM(-1, -1));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, saveAs & MF_GRAYED);
    EXPECT_EQ("Rogar", ed.Title());
}
