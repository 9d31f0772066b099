// The file list and the command line: what the list shows, moving between folders with
// double click and Enter, files that vanish, and the save named when the program starts.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

using Names = std::vector<std::string>;

const char* const kTitle = "Velmor V2.0 Expansion";

std::string currentFolder() {
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

void focus(Editor& ed, int id) { SetFocus(GetDlgItem(ed.hwnd(), id)); }

}  // namespace

TEST(WindowList, ShowsFoldersSavesAndBackupsInSortedOrder) {
    TempFolder dir;
    WriteFileBytes(dir / "a.d2s", NewSave("a", 0));
    WriteFileBytes(dir / "B.D2S", NewSave("B", 1));
    WriteFileBytes(dir / "notes.txt", Bytes{'h', 'i'});
    WriteFileBytes(dir / "Rogar.bakvelmor", NewSave("Rogar", 4));
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    // 49 characters still fit the list's names; 50 do not.
    const std::string longest = std::string(45, 'x') + ".d2s";
    WriteFileBytes(dir / longest, NewSave("Long", 2));
    WriteFileBytes(dir / ("y" + longest), NewSave("Long", 2));
    Editor ed;
    EXPECT_EQ((Names{"..", "a.d2s", "B.D2S", "old", "Rogar.bakvelmor", longest}), ed.ListEntries());
    EXPECT_EQ("..", ed.SelectedEntry());
    ed.Select(longest);
    EXPECT_EQ(std::string(45, 'x'), ed.Title());
    ed.Select("B.D2S");
    EXPECT_EQ("B", ed.Title());
    EXPECT_EQ("Sorceress", ed.ClassSelected());
}

TEST(WindowList, DoubleClickMovesBetweenFolders) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    WriteFileBytes(dir / "old\\Lyra.d2s", NewSave("Lyra", 0));
    Editor ed;
    const Names top = {"..", "old", "Rogar.d2s"};
    ASSERT_EQ(top, ed.ListEntries());
    ed.DoubleClick("old");
    EXPECT_EQ(dir.path + "old\\", ed.Text(IDC_STATUS));
    EXPECT_EQ(dir.path + "old", currentFolder());
    EXPECT_EQ((Names{"..", "Lyra.d2s"}), ed.ListEntries());
    EXPECT_EQ("..", ed.SelectedEntry());
    ed.DoubleClick("..");
    EXPECT_EQ(dir.path, ed.Text(IDC_STATUS));
    EXPECT_EQ(top, ed.ListEntries());
    // A save is opened by the click and stays where it is.
    ed.DoubleClick("Rogar.d2s");
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ(top, ed.ListEntries());
    EXPECT_EQ(dir.path, currentFolder() + "\\");

    // The save folder (here the start folder) is one command away.
    ed.Command(IDM_CLOSE);
    ed.DoubleClick("old");
    ed.Command(IDM_SAVEFOLDER);
    EXPECT_EQ(top, ed.ListEntries());
    EXPECT_EQ(dir.path, ed.Text(IDC_STATUS));
}

TEST(WindowList, EnterInTheListEntersFoldersAndOpensFiles) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    Editor ed;
    ed.Select("old");
    focus(ed, IDC_FILELIST);
    ed.Key(IDOK);
    EXPECT_EQ(dir.path + "old\\", ed.Text(IDC_STATUS));
    EXPECT_EQ(Names{".."}, ed.ListEntries());
    ed.Key(IDOK);  // ".." is selected
    EXPECT_EQ(dir.path, ed.Text(IDC_STATUS));

    ed.Select("Rogar.d2s");
    ed.Key(IDCANCEL);  // closes it and leaves it selected
    ASSERT_EQ(kTitle, ed.Title());
    focus(ed, IDC_FILELIST);
    ed.Key(IDOK);
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("30", ed.Text(IDC_STRENGTH));

    // Outside the list Enter only takes the fields.
    focus(ed, IDC_LEVEL);
    SetWindowTextA(GetDlgItem(ed.hwnd(), IDC_LEVEL), "150");
    ed.Key(IDOK);
    EXPECT_EQ("99", ed.Text(IDC_LEVEL));
    EXPECT_EQ("Rogar", ed.Title());
}

TEST(WindowList, FileGoneFromDiskVanishesWhenSelected) {
    TempFolder dir;
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    DeleteFileA((dir / "Lyra.d2s").c_str());
    ed.Select("Lyra.d2s");
    EXPECT_EQ((Names{"..", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("..", ed.SelectedEntry());
    EXPECT_EQ(kTitle, ed.Title());
    EXPECT_EQ("----", ed.Text(IDC_LEVEL));
    EXPECT_TRUE(ed.shown.empty());
}

TEST(WindowCommandLine, OpensTheSaveItNames) {
    TempFolder dir;
    CreateDirectoryA((dir / "saves").c_str(), nullptr);
    WriteFileBytes(dir / "saves\\Rogar.d2s", NewSave("Rogar", 4));
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    WriteFileBytes(dir / "notes.txt", Bytes{'h', 'i'});
    {
        // A save in another folder opens, and its folder becomes the list's.
        const std::string line = "\"" + dir.path + "saves\\Rogar.d2s\"";
        Editor ed(line.c_str());
        EXPECT_EQ("Rogar", ed.Title());
        EXPECT_EQ("Barbar", ed.ClassSelected());
        EXPECT_EQ((Names{"..", "Rogar.d2s"}), ed.ListEntries());
        EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
        EXPECT_EQ(dir.path + "saves", currentFolder());
        EXPECT_EQ(0u, ed.Text(IDC_STATUS).find(dir.path + "saves\\"));
    }
    // A bare name or a pattern is looked up in the current folder.
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 0));
    struct Case {
        const char* line;
        std::string opened;  // the entry opened, empty for none
        std::string title;
    };
    const Case cases[] = {
        {"Lyra.d2s", "Lyra.d2s", "Lyra"}, {"\"R*.d2s\"", "Rogar.d2s", "Rogar"},
        {"notes.txt", "", kTitle},        {"n*", "", kTitle},
        {"\"Missing.d2s\"", "", kTitle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        SetCurrentDirectoryA(dir.path.c_str());
        Editor ed(c.line);
        EXPECT_EQ(c.title, ed.Title());
        EXPECT_EQ((Names{"..", "Lyra.d2s", "Rogar.d2s", "saves"}), ed.ListEntries());
        EXPECT_EQ(c.opened.empty() ? ".." : c.opened, ed.SelectedEntry());
        EXPECT_EQ(c.opened.empty() ? "----" : "Amazone", ed.ClassSelected());
        EXPECT_EQ(dir.path, currentFolder() + "\\");
    }
}

// The user leaves the program while "Save Changes?" is up and the game writes into the
// folder; the folder check then arrives inside that question's modal loop. Reloading there
// would ask a second time and let the first answer write the other character's bytes into
// Rogar.d2s, so the check waits for the next return to the foreground.
TEST(WindowList, FolderCheckDuringTheSaveQuestionKeepsEachFile) {
    TempFolder dir;
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_LEVEL, "4");
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    WriteFileBytes(dir / "Game.d2s", NewSave("Game", 1));
    Sleep(300);
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);  // posts the folder check
    ed.Expect({Answer::Yes, ""});
    ed.Select("Lyra.d2s");
    EXPECT_EQ(1u, ed.shown.size());
    Bytes rogar = NewSave("Rogar", 4);
    rogar[36] = 4;                                     // level
    rogar[605] = 4;                                    // level attribute
    rogar[563] |= 0x20;                                // experience now present
    const unsigned char exp4[4] = {0xA7, 0x0E, 0, 0};  // 3751
    rogar.insert(rogar.begin() + 609, exp4, exp4 + 4);
    EXPECT_EQ(rogar, ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ(NewSave("Rogar", 4), ReadFileBytes(dir / "Rogar.bakvelmor"));
    EXPECT_EQ(NewSave("Lyra", 0), ReadFileBytes(dir / "Lyra.d2s"));
}
