// The usual road: open a character from the list, edit it, save it, and find the backup.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

TEST(Road, OpenEditSaveReload) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    Editor ed;
    EXPECT_EQ((std::vector<std::string>{"..", "Lyra.d2s", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("----", ed.Text(IDC_LEVEL));
    ed.Select("Rogar.d2s");
    EXPECT_EQ("Rogar", ed.Title());
    EXPECT_EQ("30", ed.Text(IDC_STRENGTH));
    EXPECT_EQ("Barbar", ed.ClassSelected());
    ed.Type(IDC_STRENGTH, "-250");
    EXPECT_EQ("250", ed.Text(IDC_STRENGTH));
    ed.Command(IDM_SAVE);
    EXPECT_EQ((std::vector<std::string>{"Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}), dir.List());
    EXPECT_EQ(NewSave("Rogar", 4), ReadFileBytes(dir / "Rogar.bakvelmor"));
    Bytes expected = NewSave("Rogar", 4);
    Put16(expected, 565, 250);
    EXPECT_EQ(expected, ReadFileBytes(dir / "Rogar.d2s"));
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("250", ed.Text(IDC_STRENGTH));
    EXPECT_EQ((std::vector<std::string>{"..", "Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}),
              ed.ListEntries());
}

TEST(Road, ClosingAsksAboutUnsavedEdits) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_LEVEL, "12");
    ed.Expect({Answer::Yes, ""});
    ed.Close();
    ASSERT_EQ(1u, ed.shown.size());
    EXPECT_EQ("Velmor V2.0 Expansion", ed.shown[0].caption);
    EXPECT_EQ("Save Changes to Rogar.d2s?", ed.shown[0].text);
    EXPECT_EQ(12, ReadFileBytes(dir / "Rogar.d2s")[36]);
    EXPECT_TRUE(PathExists(dir / "Rogar.bakvelmor"));
}
