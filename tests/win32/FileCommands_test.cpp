// File commands through the real main dialog: the backup and its questions, a save deleted
// meanwhile, Save As and new characters in the folder typed into the dialog, pending
// operations that reach only the bytes written, refused saves that keep the typed values.
// The file-system cases of the save itself are in Save_test and SaveFaults_test. Every file
// written is compared whole against bytes edited by hand from the input.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "Harness.h"
#include "res/resource.h"
#include "support/FileCalls.h"
#include "support/Instance_win.h"

const std::string kSaid = "修改器提示:|";

// Rows: a folder in the backup's place, the save deleted once open or a version-105
// Warlock, the file, the answers to the saves of strength 111, then 222 ("Cancel": no
// question), then the dialogs, the save, its backup, the list and the class shown. The
// first backup is kept unless the user agrees to replace it; one that cannot be made stops
// the save unless the user agrees to save without it. The Warlock's strength is 10 bits
// behind the 9-bit id of the first attribute at 835, and its file carries a checksum. The
// level-94 version-96 Sorceress keeps her stash of 2,500,000 (bits 6528-6552), above the
// cap of 1.10-1.12 but hers in 1.13 and later; her strength is at bit 6145.
TEST(FileCommands, SaveBacksUpAndAsksBeforeReplacingOrLosingTheBackup) {
    const Bytes original = NewSave("Rogar", 4), warlock = Sample("105_Warlock.d2s"),
                rich = Sealed(WithBits(Sample("96_NokkaSorc.d2s"), 6528, 25, 2500000));
    const std::string overwrite = "Status -> Saving|Overwrite existing BackupFile Rogar.bakvelmor?",
                      noBackup = kTitle +
                                 "|Rogar.d2s could not be backed up; nothing written (a folder "
                                 "is in the place of Rogar.bakvelmor)\n\nSave without a backup?";
    const Names both = {"..", "Rogar.bakvelmor", "Rogar.d2s"};
    // clang-format off
    const struct { std::string befalls; Bytes file; std::vector<Answer::Kind> answers; Names shown; Bytes saved, backup; Names listed; std::string cls; int icon; } rows[] = {
        {"", original, {Answer::Cancel, Answer::No}, {overwrite}, With16(original, kStrength, 222), original, both, "Barbar", IDI_BARBAR},
        {"folder", original, {Answer::Yes, Answer::No}, {noBackup, noBackup}, With16(original, kStrength, 111), {}, both, "Barbar", IDI_BARBAR},
        {"deleted", original, {Answer::Cancel}, {}, With16(original, kStrength, 111), {}, {"..", "Rogar.d2s"}, "Barbar", IDI_BARBAR},
        {"105", warlock, {Answer::Cancel, Answer::No}, {overwrite}, Sealed(WithBits(warlock, 835 * 8 + 9, 10, 222)), warlock, both, "Warlock", IDI_WARLOCK},
        {"96 stash", rich, {Answer::Cancel}, {}, Sealed(WithBits(rich, 6145, 10, 111)), rich, both, "Sorceress", IDI_SORCERESS}};
    // clang-format on
    for (const auto& r : rows) {
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", r.file);
        if (r.befalls == "folder") CreateDirectoryA((dir / "Rogar.bakvelmor").c_str(), nullptr);
        Editor ed;
        ed.Select("Rogar.d2s");
        if (r.befalls == "deleted") DeleteFileA((dir / "Rogar.d2s").c_str());
        std::string typed;
        for (Answer::Kind a : r.answers) {
            ed.Type(IDC_STRENGTH, typed = typed.empty() ? "111" : "222");
            if (a != Answer::Cancel) ed.Expect({a});
            ed.Command(IDM_SAVE);
        }
        EXPECT_EQ(r.shown, ed.shown) << r.befalls;
        EXPECT_EQ(r.saved, ReadBytes(dir / "Rogar.d2s")) << r.befalls;
        EXPECT_EQ(r.cls, ed.Text(IDC_CLASS));  // and its portrait, a shared icon: one handle
        EXPECT_EQ(LoadImageA(g_hInst, MAKEINTRESOURCEA(r.icon), IMAGE_ICON, 0, 0, LR_SHARED),
                  HANDLE(SendDlgItemMessageA(ed.dlg, IDC_CLASSICON, STM_GETICON, 0, 0)));
        EXPECT_EQ(r.backup, ReadBytes(dir / "Rogar.bakvelmor")) << r.befalls;
        EXPECT_EQ(r.listed, ed.ListEntries()) << r.befalls;
        EXPECT_EQ("Rogar.d2s", ed.SelectedEntry()) << r.befalls;
        EXPECT_EQ(typed, ed.Text(IDC_STRENGTH)) << r.befalls;
    }
}

// A backup opened from an edit field shows its own values, even those beyond the limits,
// and Save As keeps them, as the game keeps any attribute; Save As and New write to the
// folder typed into the dialog, Save As with the side files under the new name.
TEST(FileCommands, SaveAsAndNewWriteToTheFolderTypedIntoTheDialog) {
    TempFolder dir;
    const Bytes backup = With16(NewSave("Rogar", 4), kStrength, 0), key = {'k', 'e', 'y'};
    WriteBytes(dir / "Rogar.bakvelmor", backup);
    WriteBytes(dir / "Rogar.key", key);
    CreateDirectoryA((dir / "other").c_str(), nullptr);
    WriteBytes(dir / "other\\Wulf.d2s", key);  // replaced once the file dialog has asked
    Editor ed;
    SetFocus(GetDlgItem(ed.dlg, IDC_STRENGTH));
    ed.Select("Rogar.bakvelmor");
    ed.MenuItems({}, 0);  // the menu bar opens
    EXPECT_EQ("0", ed.Text(IDC_STRENGTH));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ed.dlg, IDC_STRENGTH)));  // a backup is only read
    ed.Expect({Answer::SaveAs, dir / "other\\Wulf.d2s"});
    ed.Expect(Answer([](HWND box) { PostMessageA(box, WM_COMMAND, IDYES, 0); }));
    ed.Command(IDM_SAVEAS);
    EXPECT_EQ(With16(NewSave("Wulf", 4), kStrength, 0), ReadBytes(dir / "other\\Wulf.d2s"));
    EXPECT_EQ(key, ReadBytes(dir / "other\\Wulf.key"));
    EXPECT_EQ("Wulf", ed.Title());
    ed.Expect({Answer::SaveAs, dir / "Neo.d2s"});
    ed.Command(IDM_NEW_DRUID);
    EXPECT_EQ(706u, ReadBytes(dir / "Neo.d2s").size());
    EXPECT_EQ("Neo", ed.Title());
    EXPECT_EQ("Druid", ed.Text(IDC_CLASS));
    EXPECT_EQ((Names{"Neo.d2s", "Rogar.bakvelmor", "Rogar.key", "other"}), dir.List());
}

// New characters for a newer game, in either language: every run of commands is in the
// menu, and the one chosen writes the file that game writes at creation, made now (hardcore
// while the mark is on), which opens read-only saying that the game builds the character.
TEST(FileCommands, NewForANewerGameWritesItsNewbieFile) {
    const std::string builds = "the game builds the character when it first loads it";
    // clang-format off
    const struct { Lang lang; int command; bool hardcore; std::vector<int> made; std::string title, cls; } rows[] = {
        {Lang::Chinese, IDM_NEW96_CLASSIC + 2, false, {96, 2, 1}, "Neo", "Necromancer"},
        {Lang::English, IDM_NEW105_WARLOCK + 7, true, {105, 7, 3}, "Neo (hardcore)", "Warlock"},
        {Lang::English, IDM_NEW105_EXPANSION + 6, false, {105, 6, 2}, "Neo", "Assassine"}};
    // clang-format on
    for (const auto& r : rows) {
        TempFolder dir;
        Editor ed("", r.lang);
        for (int id : {IDM_NEW96_EXPANSION + 6, IDM_NEW96_CLASSIC + 4, IDM_NEW105_EXPANSION + 6,
                       IDM_NEW105_CLASSIC + 4, IDM_NEW105_WARLOCK + 7, IDM_NEW_HARDCORE})
            EXPECT_NE(UINT(-1), GetMenuState(GetMenu(ed.dlg), id, MF_BYCOMMAND)) << id;
        if (r.hardcore) ed.Command(IDM_NEW_HARDCORE);
        ed.Expect({Answer::SaveAs, dir / "Neo.d2s"});
        const unsigned before = unsigned(time(nullptr));
        ed.Command(r.command);
        const Bytes got = ReadBytes(dir / "Neo.d2s");
        EXPECT_TRUE(Created(got) >= before && Created(got) <= unsigned(time(nullptr)));
        EXPECT_EQ(Newbie(r.made[0], r.made[1], r.made[2], r.hardcore, Created(got), "Neo"), got);
        EXPECT_EQ(r.title + "|" + r.cls, ed.Title() + "|" + ed.Text(IDC_CLASS));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ed.dlg, IDC_STRENGTH)));
        EXPECT_NE(std::string::npos, ed.Text(IDC_STATUS).find(builds)) << ed.Text(IDC_STATUS);
    }
}

// Refused saves (a name too short, a file that would grow past 100000 bytes) write nothing
// and keep the typed values and the marks; the marks reach only the bytes written, and a
// vanished file is restored as it was loaded, whatever is marked.
TEST(FileCommands, RefusedSavesKeepTheEditsAndMarksReachOnlyTheBytesWritten) {
    TempFolder dir;
    Bytes longest = NewSave("Rogar", 4);
    longest.resize(100000, 0);  // the gold maxima would add bytes
    WriteBytes(dir / "Rogar.d2s", longest);
    WriteBytes(dir / "Lyra.d2s", NewSave("Lyra", 1));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Command(IDM_SKILLS_FULL);
    ed.Command(IDM_MAXGOLD);
    ed.Type(IDC_STRENGTH, "99");
    for (Answer a : {Answer(Answer::SaveAs, "A.d2s"), Answer(Answer::Ok), Answer(Answer::Yes),
                     Answer(Answer::Ok), Answer(Answer::SaveAs, "Wulf.d2s"), Answer(Answer::Ok),
                     Answer(Answer::Yes), Answer(Answer::Ok)})
        ed.Expect(a);
    ed.Command(IDM_SAVEAS);
    ed.Select("Lyra.d2s");
    ed.Command(IDM_SAVEAS);
    SendMessageA(ed.dlg, WM_CLOSE, 0, 0);  // the refused save keeps the window open
    const std::string tooLong =
        " would be longer than 100000 bytes; nothing written (100008 bytes)";
    EXPECT_EQ((Names{"file dialog", kSaid + "min len 2", kTitle + "|Save Changes to Rogar.d2s?",
                     kSaid + "Rogar.d2s" + tooLong, "file dialog", kSaid + "Wulf.d2s" + tooLong,
                     kTitle + "|Save Changes to Rogar.d2s?", kSaid + "Rogar.d2s" + tooLong}),
              ed.shown);
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("99", ed.Text(IDC_STRENGTH));
    EXPECT_EQ((Names{"Lyra.d2s", "Rogar.d2s"}), dir.List());
    EXPECT_EQ(longest, ReadBytes(dir / "Rogar.d2s"));
    ed.Command(IDM_SKILLS_FULL);
    ed.Command(IDM_MAXGOLD);
    ed.Command(IDM_SAVE);
    const Bytes saved = With16(longest, kStrength, 99);
    EXPECT_EQ(saved, ReadBytes(dir / "Rogar.d2s"));
    ed.Command(IDM_COMPLETE);
    ASSERT_TRUE(DeleteFileA((dir / "Rogar.d2s").c_str()));
    ed.Expect({Answer::Yes});
    ed.Close();
    EXPECT_EQ(kTitle + "|Rogar.d2s has been removed! Restore Character?", ed.shown.back());
    EXPECT_EQ(saved, ReadBytes(dir / "Rogar.d2s"));
}

// A write that fails on its way to the disk (here the sync of the temporary file: first the
// backup's, then the save's) leaves the file and the folder as they were, and the message names the
// step and the system's reason.
TEST(FileCommands, AFailedWriteNamesItsStepAndLeavesTheFileAsItWas) {
    TempFolder dir;
    const Bytes rogar = NewSave("Rogar", 4);
    WriteBytes(dir / "Rogar.d2s", rogar);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "99");
    const FileCalls real = fileCalls;
    fileCalls.sync = [](int) { return errno = EIO, -1; };
    ed.Expect({Answer::Yes});  // to saving without the backup, whose copy failed the same way
    ed.Expect({Answer::Ok});
    ed.Command(IDM_SAVE);
    fileCalls = real;
    EXPECT_EQ(kSaid +
                  "Could not save Rogar.d2s!\nThe file on disk is unchanged.\ncannot sync "
                  "the temporary file for Rogar.d2s: " +
                  std::strerror(EIO),
              ed.shown.back());
    EXPECT_EQ(rogar, ReadBytes(dir / "Rogar.d2s"));
    EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());
    EXPECT_EQ("99", ed.Text(IDC_STRENGTH));
}
