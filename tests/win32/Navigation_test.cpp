// The file list: what the list shows, moving between folders with double click and Enter,
// and files that vanish. The save named when the program starts: Shell_test.cpp.
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
