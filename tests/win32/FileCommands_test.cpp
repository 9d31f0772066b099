// File commands through the real main dialog: Save with its backup copy, Save As with the
// side files, Delete, new characters, the closing prompt, failed saves and read-only formats.
// Every file written is compared whole against bytes edited by hand from the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Harness.h"
#include "res/resource.h"

namespace {

using Names = std::vector<std::string>;

const char* const kTitle = "Velmor V2.0 Expansion";
const char* const kNotice = "修改器提示:";  // the message box's fixed caption

// Slots of the four base attributes in a file whose optional attributes are absent.
const unsigned kStrength = 565, kEnergy = 569, kDexterity = 573, kVitality = 577;

Bytes with16(Bytes b, unsigned offset, unsigned value) {
    Put16(b, offset, value);
    return b;
}

// The character name lives in bytes 8-22, zero-padded.
Bytes named(Bytes b, const std::string& name) {
    std::fill(b.begin() + 8, b.begin() + 23, 0);
    std::copy(name.begin(), name.end(), b.begin() + 8);
    return b;
}

Bytes sideFile(const std::string& tag) { return Bytes(tag.begin(), tag.end()); }

void expectShown(const Editor& ed, std::size_t at, const std::string& caption,
                 const std::string& text) {
    ASSERT_GT(ed.shown.size(), at) << "no dialog #" << at;
    EXPECT_EQ(caption, ed.shown[at].caption) << "dialog #" << at;
    EXPECT_EQ(text, ed.shown[at].text) << "dialog #" << at;
}

bool noFileOpen(const Editor& ed) { return ed.Title() == kTitle && ed.Text(IDC_LEVEL) == "----"; }

}  // namespace

TEST(FileCommands, SaveKeepsTheFirstBackupUnlessTheUserAgreesToReplaceIt) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 1));
    Editor ed;
    ed.Select("Rogar.d2s");

    // No backup yet: it is made silently and shows in the list, the character stays selected.
    ed.Type(IDC_STRENGTH, "111");
    ed.Command(IDM_SAVE);
    EXPECT_TRUE(ed.shown.empty());
    EXPECT_EQ((Names{"..", "Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(with16(original, kStrength, 111), ReadFileBytes(dir / "Rogar.d2s"));

    // Refusing to replace the backup keeps it and still saves.
    ed.Type(IDC_STRENGTH, "222");
    ed.Expect({Answer::No, ""});
    ed.Command(IDM_SAVE);
    expectShown(ed, 0, "Status -> Saving", "Overwrite existing BackupFile Rogar.bakvelmor?");
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(with16(original, kStrength, 222), ReadFileBytes(dir / "Rogar.d2s"));

    // Agreeing replaces it with the bytes the file had before this save.
    ed.Type(IDC_ENERGY, "33");
    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_SAVE);
    ASSERT_EQ(2u, ed.shown.size());
    EXPECT_EQ(with16(original, kStrength, 222), ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(with16(with16(original, kStrength, 222), kEnergy, 33),
              ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ((Names{"Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}), dir.List());
    EXPECT_EQ("33", ed.Text(IDC_ENERGY));
}

TEST(FileCommands, BackupOpensReadOnlyAndIsNeverSavedOrAskedAbout) {
    TempFolder dir;
    const Bytes save = NewSave("Rogar", 4);
    const Bytes backup = with16(save, kStrength, 77);
    WriteFileBytes(dir / "Rogar.d2s", save);
    WriteFileBytes(dir / "Rogar.bakvelmor", backup);
    Editor ed;
    ed.Select("Rogar.bakvelmor");
    EXPECT_EQ("Backupfile Rogar.bakvelmor", ed.Title());
    EXPECT_EQ("77", ed.Text(IDC_STRENGTH));
    EXPECT_FALSE(ed.Enabled(IDC_STRENGTH));
    EXPECT_FALSE(ed.Enabled(IDC_CLASS));

    ed.Type(IDC_STRENGTH, "200");  // forced into the disabled field
    ed.Expect({Answer::Ok, ""});
    ed.Command(IDM_SAVE);
    expectShown(ed, 0, kNotice, "Rogar.bakvelmor is a backupfile ->->->\nselect save as...");

    ed.Close();  // no question: the hook fails the test on any dialog
    EXPECT_EQ(1u, ed.shown.size());
    EXPECT_EQ((Names{"Rogar.bakvelmor", "Rogar.d2s"}), dir.List());
    EXPECT_EQ(backup, ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(save, ReadFileBytes(dir / "Rogar.d2s"));
}

TEST(FileCommands, SaveAsWritesOnlyUnderAValidNameAndCopiesTheSideFilesThatExist) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    WriteFileBytes(dir / "Rogar.key", sideFile("key of Rogar"));
    WriteFileBytes(dir / "Rogar.ma2", sideFile("map 2 of Rogar"));
    WriteFileBytes(dir / "Lyra.map", sideFile("someone else's map"));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "99");

    // A cancelled dialog and a refused name write nothing and keep the file open.
    ed.Expect({Answer::Cancel, ""});
    ed.Command(IDM_SAVEAS);
    ed.Expect({Answer::SaveAs, "A.d2s"});
    ed.Expect({Answer::Ok, ""});
    ed.Command(IDM_SAVEAS);
    expectShown(ed, 2, kNotice, "min len 2");
    EXPECT_EQ((Names{"Lyra.map", "Rogar.d2s", "Rogar.key", "Rogar.ma2"}), dir.List());
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("99", ed.Text(IDC_STRENGTH));

    ed.Expect({Answer::SaveAs, "Wulf.d2s"});
    ed.Command(IDM_SAVEAS);
    ASSERT_EQ(4u, ed.shown.size());  // the file dialog alone: no backup question
    EXPECT_EQ((Names{"Lyra.map", "Rogar.d2s", "Rogar.key", "Rogar.ma2", "Wulf.d2s", "Wulf.key",
                     "Wulf.ma2"}),
              dir.List());
    EXPECT_EQ(named(with16(original, kStrength, 99), "Wulf"), ReadFileBytes(dir / "Wulf.d2s"));
    EXPECT_EQ(sideFile("key of Rogar"), ReadFileBytes(dir / "Wulf.key"));
    EXPECT_EQ(sideFile("map 2 of Rogar"), ReadFileBytes(dir / "Wulf.ma2"));
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ(sideFile("key of Rogar"), ReadFileBytes(dir / "Rogar.key"));
    EXPECT_EQ(sideFile("map 2 of Rogar"), ReadFileBytes(dir / "Rogar.ma2"));

    EXPECT_EQ("Wulf.d2s", ed.SelectedEntry());
    EXPECT_EQ("Wulf", ed.Title());
    EXPECT_EQ("99", ed.Text(IDC_STRENGTH));
}

TEST(FileCommands, DeleteRemovesTheFileWithItsSideFilesButNotMa4) {
    TempFolder dir;
    WriteFileBytes(dir / "Amy.d2s", NewSave("Amy", 0));
    WriteFileBytes(dir / "Amy.key", sideFile("Amy"));
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteFileBytes(dir / "Rogar.bakvelmor", NewSave("Rogar", 4));
    const Names sides = {"key", "map", "ma0", "ma1", "ma2", "ma3", "ma4"};
    for (const std::string& ext : sides) WriteFileBytes(dir / ("Rogar." + ext), sideFile(ext));
    Editor ed;

    // A backup goes alone; the character's side files stay.
    ed.Select("Rogar.bakvelmor");
    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_DELETE);
    expectShown(ed, 0, "Delete VelmorBackupfile ???", "Delete Backupfile\nRogar.bakvelmor?");
    EXPECT_EQ((Names{"Amy.d2s", "Amy.key", "Rogar.d2s", "Rogar.key", "Rogar.ma0", "Rogar.ma1",
                     "Rogar.ma2", "Rogar.ma3", "Rogar.ma4", "Rogar.map"}),
              dir.List());
    EXPECT_EQ((Names{"..", "Amy.d2s", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Amy.d2s", ed.SelectedEntry());
    EXPECT_TRUE(noFileOpen(ed));

    // No deletes nothing and keeps the file open.
    ed.Select("Rogar.d2s");
    ed.Expect({Answer::No, ""});
    ed.Command(IDM_DELETE);
    expectShown(ed, 1, "Delete D2Savefile ???", "Delete D2SaveFile\nRogar.d2s?");
    EXPECT_EQ(10u, dir.List().size());
    EXPECT_EQ("Rogar", ed.Title());

    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_DELETE);
    EXPECT_EQ((Names{"Amy.d2s", "Amy.key", "Rogar.ma4"}), dir.List());
    EXPECT_EQ((Names{"..", "Amy.d2s"}), ed.ListEntries());
    EXPECT_EQ("Amy.d2s", ed.SelectedEntry());  // the entry before, not opened
    EXPECT_TRUE(noFileOpen(ed));

    // Deleting the first file selects the entry before it, the parent folder.
    ed.Select("Amy.d2s");
    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_DELETE);
    EXPECT_EQ((Names{"Rogar.ma4"}), dir.List());
    EXPECT_EQ((Names{".."}), ed.ListEntries());
    EXPECT_EQ("..", ed.SelectedEntry());
}

TEST(FileCommands, NewCharacterOfEachClassIsWrittenFromTheTemplateAndOpened) {
    struct Kind {
        int command;
        std::string name, className;
        unsigned strength, energy, dexterity, vitality;
    };
    const Kind kinds[] = {
        {IDM_NEW_AMAZONE, "Amara", "Amazone", 20, 15, 25, 20},
        {IDM_NEW_SORCERESS, "Sora", "Sorceress", 10, 35, 25, 10},
        {IDM_NEW_NECROMANCER, "Necro", "Necromancer", 10, 25, 25, 15},
        {IDM_NEW_PALADIN, "Paladan", "Paladin", 25, 15, 20, 25},
        {IDM_NEW_BARBAR, "Bartuk", "Barbar", 30, 10, 20, 25},
        {IDM_NEW_DRUID, "Druidus", "Druid", 15, 20, 20, 25},
        {IDM_NEW_ASSASSINE, "Assa", "Assassine", 20, 25, 20, 20},
    };
    TempFolder dir;
    Editor ed;
    std::vector<Bytes> randomBytes;
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.className);
        const int code = k.command - IDM_NEW_AMAZONE;
        ed.Expect({Answer::SaveAs, k.name + ".d2s"});
        ed.Command(k.command);
        const Bytes written = ReadFileBytes(dir / (k.name + ".d2s"));
        ASSERT_EQ(706u, written.size());

        Bytes expected = named(TemplateBytes(), k.name);
        expected[34] = static_cast<unsigned char>(code);
        if (code >= 5) expected[24] |= 0x20;
        Put16(expected, kStrength, k.strength);
        Put16(expected, kEnergy, k.energy);
        Put16(expected, kDexterity, k.dexterity);
        Put16(expected, kVitality, k.vitality);
        // Bytes 126-129 are random; they are the only ones taken from the file.
        std::copy(written.begin() + 126, written.begin() + 130, expected.begin() + 126);
        randomBytes.emplace_back(written.begin() + 126, written.begin() + 130);
        EXPECT_EQ(expected, written);

        EXPECT_EQ(k.name, ed.Title());
        EXPECT_EQ(k.name + ".d2s", ed.SelectedEntry());
        EXPECT_EQ(k.className, ed.ClassSelected());
        EXPECT_EQ(code >= 5 ? 7u : 5u, ed.ClassEntries().size());
        EXPECT_EQ(std::to_string(k.strength), ed.Text(IDC_STRENGTH));
        EXPECT_EQ("1", ed.Text(IDC_LEVEL));
    }
    EXPECT_EQ(7u, ed.shown.size());
    EXPECT_EQ(7u, dir.List().size());
    EXPECT_NE(randomBytes.size(), static_cast<std::size_t>(std::count(
                                      randomBytes.begin(), randomBytes.end(), randomBytes.front())))
        << "every new character got the same random bytes";
}

TEST(FileCommands, NewCharacterClosesTheOpenOneFirstAndCancelLeavesNothingOpen) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    WriteFileBytes(dir / "Rogar.d2s", original);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "44");
    ed.Expect({Answer::Yes, ""});
    ed.Expect({Answer::SaveAs, "Neo.d2s"});
    ed.Command(IDM_NEW_DRUID);
    expectShown(ed, 0, kTitle, "Save Changes to Rogar.d2s?");
    EXPECT_EQ(with16(original, kStrength, 44), ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ("Neo", ed.Title());
    EXPECT_EQ("Druid", ed.ClassSelected());

    // The open character is closed before the dialog runs, so cancelling leaves none open.
    ed.Expect({Answer::Cancel, ""});
    ed.Command(IDM_NEW_PALADIN);
    EXPECT_TRUE(noFileOpen(ed));

    ed.Expect({Answer::SaveAs, "A.d2s"});
    ed.Expect({Answer::Ok, ""});
    ed.Command(IDM_NEW_PALADIN);
    expectShown(ed, 4, kNotice, "min len 2");
    EXPECT_TRUE(noFileOpen(ed));
    EXPECT_EQ((Names{"Neo.d2s", "Rogar.bakvelmor", "Rogar.d2s"}), dir.List());
}

TEST(FileCommands, ClosingOffersToSaveEditsWithTheBackupQuestionNext) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    const Bytes oldBackup = with16(original, kStrength, 5);
    WriteFileBytes(dir / "Rogar.d2s", original);
    {
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "123");
        ed.Expect({Answer::No, ""});
        ed.Close();
        expectShown(ed, 0, kTitle, "Save Changes to Rogar.d2s?");
        EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());
        EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.d2s"));
    }
    WriteFileBytes(dir / "Rogar.bakvelmor", oldBackup);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "123");
    ed.Expect({Answer::Yes, ""});
    ed.Expect({Answer::No, ""});
    ed.Close();
    expectShown(ed, 1, "Status -> Saving", "Overwrite existing BackupFile Rogar.bakvelmor?");
    EXPECT_EQ(with16(original, kStrength, 123), ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ(oldBackup, ReadFileBytes(dir / "Rogar.bakvelmor"));
}

TEST(FileCommands, ClosingAfterTheFileVanishedOffersToRestoreTheLoadedValues) {
    for (const bool restore : {true, false}) {
        SCOPED_TRACE(restore ? "restore" : "do not restore");
        TempFolder dir;
        const Bytes original = with16(NewSave("Rogar", 4), kVitality, 66);
        WriteFileBytes(dir / "Rogar.d2s", original);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "150");
        ASSERT_TRUE(DeleteFileA((dir / "Rogar.d2s").c_str()));
        ed.Expect({restore ? Answer::Yes : Answer::No, ""});
        ed.Close();
        ASSERT_EQ(1u, ed.shown.size());  // no "Save Changes" question after it
        expectShown(ed, 0, kTitle, "Rogar.d2s has been removed! Restore Character?");
        if (restore) {
            EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());
            EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.d2s"));
        } else {
            EXPECT_TRUE(dir.List().empty());
        }
    }
}

TEST(FileCommands, FailedSaveLeavesTheFileAndKeepsTheEdits) {
    TempFolder dir;
    const Bytes original = NewSave("Rogar", 4);
    const std::string path = dir / "Rogar.d2s";
    WriteFileBytes(path, original);
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    // Another program holds the file open without sharing: it can be neither read for the
    // backup nor replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ed.Expect({Answer::Ok, ""});
    ed.Command(IDM_SAVE);
    CloseHandle(held);
    expectShown(ed, 0, kNotice, "Could not save Rogar.d2s!\nThe file on disk is unchanged.");
    EXPECT_EQ(original, ReadFileBytes(path));
    EXPECT_EQ((Names{"Rogar.d2s"}), dir.List());  // no backup, no temporary file left
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("111", ed.Text(IDC_STRENGTH));

    // Once the file is free again the kept edits are what gets saved.
    ed.Command(IDM_SAVE);
    EXPECT_EQ(1u, ed.shown.size());
    EXPECT_EQ(with16(original, kStrength, 111), ReadFileBytes(path));
    EXPECT_EQ(original, ReadFileBytes(dir / "Rogar.bakvelmor"));
}

TEST(FileCommands, OnlyVersionsWithAKnownLayoutAreWritten) {
    TempFolder dir;
    Bytes newer = NewSave("Newer", 4);
    newer[4] = 71;
    newer.resize(800, 0);
    WriteFileBytes(dir / "Newer.d2s", newer);
    Bytes older = NewSave("Older", 4);
    older[4] = 87;
    WriteFileBytes(dir / "Older.d2s", older);
    Editor ed;

    ed.Select("Newer.d2s");
    EXPECT_FALSE(ed.Enabled(IDC_STRENGTH));
    EXPECT_FALSE(ed.Enabled(IDC_LEVEL));
    const std::string status = ed.Text(IDC_STATUS);
    EXPECT_EQ(3, std::count(status.begin(), status.end(), '\n')) << status;
    EXPECT_EQ(
        "\nformat version 71 (1.00-1.06): read-only, only versions 87, 89, 92, 96, 97, 98 "
        "and 99 can be saved",
        status.substr(status.rfind('\n')));
    ed.Type(IDC_STRENGTH, "99");  // forced into the disabled field
    ed.Expect({Answer::Ok, ""});
    ed.Command(IDM_SAVE);
    expectShown(ed, 0, kNotice,
                "format version 71 cannot be saved: only versions 87, 89, 92, 96, 97, 98 and 99 "
                "can be saved");

    ed.Select("Older.d2s");  // closing the other asks nothing
    EXPECT_TRUE(ed.Enabled(IDC_STRENGTH));
    EXPECT_EQ(std::string::npos, ed.Text(IDC_STATUS).find("format version"));
    ed.Type(IDC_STRENGTH, "99");
    ed.Command(IDM_SAVE);
    EXPECT_EQ(1u, ed.shown.size());
    EXPECT_EQ((Names{"Newer.d2s", "Older.bakvelmor", "Older.d2s"}), dir.List());
    EXPECT_EQ(newer, ReadFileBytes(dir / "Newer.d2s"));
    EXPECT_EQ(with16(older, kStrength, 99), ReadFileBytes(dir / "Older.d2s"));
    EXPECT_EQ(older, ReadFileBytes(dir / "Older.bakvelmor"));
}
