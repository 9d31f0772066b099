// File commands through the real main dialog: the backup and its questions, Save As and new
// characters in the folder typed into the dialog, pending operations that reach only the
// bytes written, refused saves that keep the typed values, and Delete. The file-system
// cases of the save itself are tested natively. Every file written is compared whole
// against bytes edited by hand from the input.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

const std::string kTitle = "Velmor V2.0 Expansion", kSaid = "修改器提示:|";

Bytes named(Bytes b, const std::string& name) {
    std::fill(b.begin() + 8, b.begin() + 23, 0);
    std::copy(name.begin(), name.end(), b.begin() + 8);
    return b;
}

}  // namespace

TEST(FileCommands, SaveMakesTheBackupAndAsksBeforeReplacingIt) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    ed.Command(IDM_SAVE);
    EXPECT_TRUE(ed.shown.empty());
    EXPECT_EQ((Names{"..", "Rogar.bakvelmor", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    ed.Type(IDC_STRENGTH, "222");
    ed.Expect({Answer::No});
    ed.Command(IDM_SAVE);
    EXPECT_EQ(Names{"Status -> Saving|Overwrite existing BackupFile Rogar.bakvelmor?"}, ed.shown);
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(With16(original, kStrength, 222), ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(FileCommands, ABackupThatCannotBeMadeStopsTheSaveUnlessTheUserAgrees) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    CreateDirectoryA((dir / "Rogar.bakvelmor").c_str(), nullptr);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    ed.Expect({Answer::No});
    ed.Command(IDM_SAVE);
    const std::string ask = kTitle +
                            "|Rogar.d2s could not be backed up; nothing written (a folder is in "
                            "the place of Rogar.bakvelmor)\n\nSave without a backup?";
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ("111", ed.Text(IDC_STRENGTH));
    ed.Expect({Answer::Yes});
    ed.Command(IDM_SAVE);
    EXPECT_EQ((Names{ask, ask}), ed.shown);
    EXPECT_EQ(With16(original, kStrength, 111), ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(FileCommands, SaveAsAndNewWriteToTheFolderTypedIntoTheDialog) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4), key = {'k', 'e', 'y'};
    WriteFileBytes(dir / "Rogar.d2s", original);
    WriteFileBytes(dir / "Rogar.key", key);
    CreateDirectoryA((dir / "other").c_str(), nullptr);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "99");
    ed.Expect({Answer::SaveAs, dir / "other\\Wulf.d2s"});
    ed.Command(IDM_SAVEAS);
    EXPECT_EQ(named(With16(original, kStrength, 99), "Wulf"),
              ReadFileBytes(dir / "other\\Wulf.d2s"));
    EXPECT_EQ(key, ReadFileBytes(dir / "other\\Wulf.key"));
    EXPECT_EQ("Wulf", ed.Title());
    ed.Expect({Answer::SaveAs, dir / "Neo.d2s"});
    ed.Command(IDM_NEW_DRUID);
    EXPECT_EQ(706u, ReadFileBytes(dir / "Neo.d2s").size());
    EXPECT_EQ("Neo", ed.Title());
    EXPECT_EQ("Druid", ed.Text(IDC_CLASS));
    EXPECT_EQ((Names{"Neo.d2s", "Rogar.d2s", "Rogar.key", "other"}), dir.List());
}

TEST(FileCommands, PendingOperationsReachOnlyTheBytesWritten) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Command(IDM_SKILLS_FULL);
    ed.Expect({Answer::SaveAs, "A.d2s"});
    ed.Expect({Answer::Ok});
    ed.Command(IDM_SAVEAS);  // the name is refused
    ed.Command(IDM_SKILLS_FULL);
    ed.Type(IDC_STRENGTH, "99");
    ed.Command(IDM_SAVE);
    const Bytes saved = With16(original, kStrength, 99);
    EXPECT_EQ(saved, ReadFileBytes(dir / "Rogar.d2s"));
    // Restoring a vanished file writes it as it was loaded, whatever is marked.
    ed.Command(IDM_COMPLETE);
    ASSERT_TRUE(DeleteFileA((dir / "Rogar.d2s").c_str()));
    ed.Expect({Answer::Yes});
    ed.Close();
    EXPECT_EQ((Names{"file dialog", kSaid + "min len 2",
                     kTitle + "|Rogar.d2s has been removed! Restore Character?"}),
              ed.shown);
    EXPECT_EQ(saved, ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(FileCommands, ARefusedSaveKeepsTheTypedValuesOnEveryPath) {
    TempFolder dir;
    Bytes longest = NewSave("Rogar", 4);
    longest.resize(100000, 0);  // a higher level and the gold maxima would add 12 bytes
    WriteFileBytes(dir / "Rogar.d2s", longest);
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 1));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_LEVEL, "31");
    ed.Command(IDM_MAXGOLD);
    const std::string tooLong =
        " would be longer than 100000 bytes; nothing written (100012 bytes)";
    ed.Expect({Answer::Yes});
    ed.Expect({Answer::Ok});
    ed.Select("Lyra.d2s");
    ed.Expect({Answer::SaveAs, "Wulf.d2s"});
    ed.Expect({Answer::Ok});
    ed.Command(IDM_SAVEAS);
    EXPECT_EQ((Names{kTitle + "|Save Changes to Rogar.d2s?", kSaid + "Rogar.d2s" + tooLong,
                     "file dialog", kSaid + "Wulf.d2s" + tooLong}),
              ed.shown);
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("31", ed.Text(IDC_LEVEL));
    EXPECT_EQ((Names{"Lyra.d2s", "Rogar.d2s"}), dir.List());
    EXPECT_EQ(longest, ReadFileBytes(dir / "Rogar.d2s"));
}
