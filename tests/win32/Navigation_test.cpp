// The file list and the command line: what the list shows, moving between folders with
// double click and Enter, files that vanish, and the save named when the program starts.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

TEST(List, ShowsFoldersSavesAndBackupsAndMovesBetweenFolders) {
    TempFolder dir;
    const std::string longest = std::string(45, 'x') + ".d2s";  // 49 characters fit, 50 not
    for (const std::string& name :
         Names{"a.d2s", "B.D2S", "notes.txt", "Rogar.bakvelmor", longest, "y" + longest})
        WriteBytes(dir / name, NewSave("B", 1));
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    Editor ed;
    const Names top = {"..", "a.d2s", "B.D2S", "old", "Rogar.bakvelmor", longest};
    EXPECT_EQ(top, ed.ListEntries());
    SetFocus(GetDlgItem(ed.dlg, IDC_FILELIST));
    ed.Select("old", true);
    EXPECT_EQ(dir.path + "old\\", ed.Text(IDC_STATUS));
    EXPECT_EQ(Names{".."}, ed.ListEntries());
    ed.Command(IDOK);  // Enter on the selected ".."
    EXPECT_EQ(top, ed.ListEntries());
    ed.Select("B.D2S");
    ed.Command(IDCANCEL);  // closed, still selected
    DeleteFileA((dir / "a.d2s").c_str());
    ed.Command(IDOK);  // Enter opens the selected file
    EXPECT_EQ("B", ed.Title());
    ed.Select("a.d2s");  // gone from disk: it leaves the list, nothing opens
    EXPECT_EQ((Names{"..", "B.D2S", "old", "Rogar.bakvelmor", longest}), ed.ListEntries());
    EXPECT_EQ("..", ed.SelectedEntry());
    EXPECT_EQ("----", ed.Text(IDC_LEVEL));
}

TEST(List, CommandLineOpensTheSaveItNames) {
    TempFolder dir;
    CreateDirectoryA((dir / "saves").c_str(), nullptr);
    WriteBytes(dir / "saves\\Rogar.d2s", NewSave("Rolf", 4));  // a name the game refuses
    WriteBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    WriteBytes(dir / "notes.txt", Bytes{'h', 'i'});
    const std::string other = "\"" + dir.path + "saves\\Rogar.d2s\"";
    const std::string refused = "game would refuse this file: the name in the file is \"Rolf\"";
    // clang-format off
    const struct { std::string line, title, folder; } rows[] = {
        {other, "Rogar", dir.path + "saves\\"}, {"Lyra.d2s", "Lyra", dir.path}, {"\"L*.d2s\"", "Lyra", dir.path},
        {"notes.txt", kTitle, dir.path}, {"\"Missing.d2s\"", kTitle, dir.path}};
    // clang-format on
    for (const auto& r : rows) {
        SetCurrentDirectoryA(dir.path.c_str());
        Editor ed(r.line.c_str());
        EXPECT_EQ(r.title, ed.Title()) << r.line;
        EXPECT_EQ(0u, ed.Text(IDC_STATUS).find(r.folder)) << r.line;
        EXPECT_EQ(r.title == "Rogar", ed.Text(IDC_STATUS).find(refused) != std::string::npos);
        EXPECT_EQ(r.title[0] == 'V' ? ".." : r.title + ".d2s", ed.SelectedEntry()) << r.line;
    }
}
