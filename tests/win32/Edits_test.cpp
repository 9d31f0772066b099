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
const char* const kTitle = "Velmor V2.0 Expansion";
const unsigned kStrength = 565, kEnergy = 569;  // slots in a file without optional attributes

Bytes with16(Bytes b, unsigned offset, unsigned value) {
    Put16(b, offset, value);
    return b;
}

// Answers a question or message after checking that it opened centred on the main window.
Answer centred(int button) {
    return Answer([button](HWND dlg) {
        RECT d = {}, o = {};
        GetWindowRect(dlg, &d);
        GetWindowRect(GetWindow(dlg, GW_OWNER), &o);
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
    EXPECT_EQ("10", ed.Text(IDC_ENERGY));
    ed.Expect({Answer::SaveAs, "Rogar.d2s"});
    ed.Command(IDM_SAVEAS);
    EXPECT_EQ(backup, ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(Edits, StoredValuesBeyondTheLimitsAreNoEdit) {
    TempFolder dir;
    const Bytes strong = with16(NewSave("Rogar", 4), kStrength, 40000);
    WriteFileBytes(dir / "Rogar.d2s", strong);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Key(IDCANCEL);
    EXPECT_EQ(kTitle, ed.Title());  // closed at the first Escape
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "500");  // a real edit is still undone first
    ed.Key(IDCANCEL);
    EXPECT_EQ("Rogar", ed.Title());
    ed.Key(IDCANCEL);
    EXPECT_EQ(kTitle, ed.Title());
    ed.Select("Rogar.d2s");
    ed.Close();  // no question: the hook fails the test on any dialog
    EXPECT_EQ(strong, ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(Edits, AFileTheGameWroteMeanwhileIsOverwrittenOnlyByChoiceAndThenKeptAsTheBackup) {
    const Bytes loaded = NewSave("Rogar", 4), game = with16(loaded, kEnergy, 55);
    const struct {
        Answer::Kind answer;
        Bytes file, backup;
        std::string energyShown;
    } rows[] = {{Answer::No, game, {}, "55"},
                {Answer::Yes, with16(loaded, kStrength, 111), game, "10"}};
    for (const auto& row : rows) {
        TempFolder dir;
        WriteFileBytes(dir / "Rogar.d2s", loaded);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
        WriteFileBytes(dir / "Rogar.d2s", game);
        Sleep(300);
        ed.Expect({row.answer, ""});
        SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
        Pump();
        ASSERT_EQ(1u, ed.shown.size());
        EXPECT_EQ(
            "Rogar.d2s was changed on disk while Velmor was in the background.\n"
            "Save your changes over it? The version on disk becomes the backup.",
            ed.shown[0].text);
        EXPECT_EQ(row.file, ReadFileBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(row.backup, ReadFileBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(row.energyShown, ed.Text(IDC_ENERGY));
    }
}

TEST(Edits, KeyboardContextMenuOpensForTheSelectedEntry) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    const std::vector<UINT> states = ed.RightClick({-1, -1});
    ASSERT_EQ(5u, states.size());
    EXPECT_FALSE(states[1] & MF_GRAYED);  // Save As
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
}

TEST(Edits, SavingAFileDeletedMeanwhileKeepsItListedAndSelected) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    DeleteFileA((dir / "Rogar.d2s").c_str());
    ed.Command(IDM_SAVE);
    EXPECT_EQ((Names{"..", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    ed.Type(IDC_STRENGTH, "222");
    ed.Command(IDM_SAVE);
    EXPECT_EQ(with16(original, kStrength, 222), ReadFileBytes(dir / "Rogar.d2s"));
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
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("Rogar", ed.Title());
}

TEST(Edits, CommandsThatNeedAFileDoNothingWithoutOne) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;  // ".." selected, nothing open
    for (int id : {IDM_MAXGOLD, IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE, IDM_RESTART,
                   IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_RESET, IDM_DELETE}) {
        ed.Command(id);
        EXPECT_FALSE(ed.Checked(id)) << id;
        EXPECT_EQ("----", ed.Text(IDC_GOLD)) << id;
    }
    EXPECT_TRUE(ed.shown.empty());
    EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());
}
