// Cases where the window used to lose an edit, a save or its place: read-only files opened
// from an edit field, stored values beyond the limits, a file changed or deleted behind the
// editor's back, the keyboard's context menu, refused deletes and commands without a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "res/resource.h"

namespace {

using Names = std::vector<std::string>;
const unsigned kStrength = 565, kEnergy = 569;  // slots in a file without optional attributes

Bytes with16(Bytes b, unsigned offset, unsigned value) {
    Put16(b, offset, value);
    return b;
}

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
    const Bytes backup = with16(NewSave("Rogar", 4), kStrength, 77);
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
    WriteFileBytes(dir / "Rogar.d2s", with16(NewSave("Rogar", 4), kStrength, 40000));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Key(IDCANCEL);
    EXPECT_EQ("Velmor V2.0 Expansion", ed.Title());  // closed at the first Escape
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "500");  // a real edit is undone first
    ed.Key(IDCANCEL);
    EXPECT_EQ("40000", ed.Text(IDC_STRENGTH));
    ed.Close();  // no question: the hook fails the test on any dialog
}

TEST(Edits, AFileTheGameWroteMeanwhileIsOverwrittenOnlyByChoiceAndThenKeptAsTheBackup) {
    const Bytes loaded = NewSave("Rogar", 4), game = with16(loaded, kEnergy, 55);
    for (bool agree : {false, true}) {
        TempFolder dir;
        WriteFileBytes(dir / "Rogar.d2s", loaded);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
        WriteFileBytes(dir / "Rogar.d2s", game);
        Sleep(300);
        ed.Expect({agree ? Answer::Yes : Answer::No, ""});
        SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
        Pump();
        ASSERT_EQ(1u, ed.shown.size());
        EXPECT_NE(std::string::npos, ed.shown[0].text.find("was changed on disk"));
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(agree ? with16(loaded, kStrength, 111) : game, ReadFileBytes(dir / "Rogar.d2s"));
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
    EXPECT_EQ(with16(NewSave("Rogar", 4), kStrength, 111), ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(Edits, RefusedDeleteIsReportedAndRemovesNothing) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteFileBytes(dir / "Rogar.key", Bytes{1, 2, 3});
    SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_READONLY);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Expect(centred(IDC_CONFIRM_YES));
    ed.Expect(centred(IDC_MESSAGE_OK));
    ed.Command(IDM_DELETE);
    ASSERT_EQ(2u, ed.shown.size());
    EXPECT_EQ("Could not delete Rogar.d2s!\nNothing was removed.", ed.shown[1].text);
    EXPECT_EQ((Names{"Rogar.d2s", "Rogar.key"}), dir.List());
    EXPECT_EQ("Rogar", ed.Title());
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
