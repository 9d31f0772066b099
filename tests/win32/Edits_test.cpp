// Cases where the window used to lose an edit, a save or its place: read-only files opened
// from an edit field, stored values beyond the limits, a file changed or deleted behind the
// editor's back, the keyboard's context menu, Delete and commands without a file.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

// Answers a question or message after checking that it opened centred on the main window.
Answer centred(int button) {
    return Answer([button](HWND dlg) {
        RECT d = {}, o = {};
        EXPECT_TRUE(GetWindowRect(dlg, &d) && GetWindowRect(GetWindow(dlg, GW_OWNER), &o));
        EXPECT_NEAR(o.left + o.right, d.left + d.right, 4);
        EXPECT_NEAR(o.top + o.bottom, d.top + d.bottom, 4);
        PostMessageA(dlg, WM_COMMAND, button, 0);
    });
}

}  // namespace

TEST(Edits, ReadOnlyFileOpenedFromAFieldShowsAndSavesItsOwnValues) {
    TempFolder dir;
    const Bytes backup = With16(NewSave("Rogar", 4), kStrength, 77);
    WriteFileBytes(dir / "Rogar.bakvelmor", backup);
    Editor ed;
    SetFocus(GetDlgItem(ed.hwnd(), IDC_STRENGTH));
    ed.Select("Rogar.bakvelmor");
    EXPECT_EQ("77", ed.Text(IDC_STRENGTH));
    ed.Expect({Answer::SaveAs, "Rogar.d2s"});
    ed.Command(IDM_SAVEAS);
    EXPECT_EQ(backup, ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(Edits, StoredValuesBeyondTheLimitsAreNoEdit) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", With16(NewSave("Rogar", 4), kStrength, 40000));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Command(IDCANCEL);
    EXPECT_EQ("Velmor V2.0 Expansion", ed.Title());  // closed at the first Escape
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "500");  // a real edit is undone first
    ed.Command(IDCANCEL);
    EXPECT_EQ("40000", ed.Text(IDC_STRENGTH));
    ed.Close();  // no question: the hook fails the test on any dialog
}

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
        EXPECT_EQ(Names{"Velmor V2.0 Expansion|Rogar.d2s was changed on disk while Velmor was "
                        "in the background.\nSave your changes over it? The version on disk "
                        "becomes the backup."},
                  ed.shown);
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(agree ? With16(loaded, kStrength, 111) : game, ReadFileBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(agree ? game : Bytes(), ReadFileBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(agree ? "10" : "55", ed.Text(IDC_ENERGY));
    }
}

TEST(Edits, SavingAFileDeletedMeanwhileKeepsItListedAndSelected) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    DeleteFileA((dir / "Rogar.d2s").c_str());
    ed.Command(IDM_SAVE);
    EXPECT_EQ((Names{"..", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ(With16(NewSave("Rogar", 4), kStrength, 111), ReadFileBytes(dir / "Rogar.d2s"));
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
        ed.Expect(centred(IDC_CONFIRM_YES));
        if (readOnly) ed.Expect(centred(IDC_MESSAGE_OK));
        ed.Command(IDM_DELETE);
        Names said = {"Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?"};
        if (readOnly)
            said.push_back("修改器提示:|Could not delete Rogar.d2s!\nNothing was removed.");
        EXPECT_EQ(said, ed.shown);
        EXPECT_EQ(readOnly ? all : Names{"Rogar.ma4"}, dir.List());
        EXPECT_EQ((readOnly ? Names{"..", "Rogar.d2s"} : Names{".."}), ed.ListEntries());
        EXPECT_EQ(readOnly ? "Rogar" : "Velmor V2.0 Expansion", ed.Title());
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
    const std::vector<UINT> states = ed.RightClick({-1, -1});  // Shift+F10, the menu key
    ASSERT_EQ(5u, states.size());
    EXPECT_FALSE(states[1] & MF_GRAYED);  // Save As
    EXPECT_EQ("Rogar", ed.Title());
}
