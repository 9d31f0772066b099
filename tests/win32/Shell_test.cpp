// The application shell: file-type registration through the menu, and the activation
// protocol with the folder monitor.
#include <gtest/gtest.h>

#include "Harness.h"
#include "core/AppData.h"
#include "app/App_win.h"
#include "res/resource.h"
#include "support/Paths_win.h"

namespace {

// The default values of the eight registered keys of HKCR, "-" for a missing key.
Names registration() {
    Names values;
    for (const char* key : {".d2s", ".bakvelmor", "D2SaveFile", "D2SaveFile\\shell\\open\\command",
                            "D2SaveFile\\DefaultIcon", "D2BackupFile",
                            "D2BackupFile\\shell\\open\\command", "D2BackupFile\\DefaultIcon"}) {
        char value[1024] = "-";
        LONG size = sizeof value;
        RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size);
        values.push_back(value);
    }
    return values;
}

}  // namespace

TEST(Shell, RegistrationThroughTheMenuAsksWritesAndRemovesTheKeys) {
    cAppData ad;
    UnregisterApp(ad);
    TempFolder dir;
    Editor ed;
    const std::string app = GetAppPath(nullptr), open = "\"" + app + "\"\"%1\"";
    const Names on = {"D2SaveFile", "D2BackupFile", "D2SaveFile", open,
                      app + ",1",   "D2BackupFile", open,         app + ",1"};
    // clang-format off
    const struct { int command; Answer::Kind answer; Names values; int offered; const char* asked; } rows[] = {
        {IDM_REGISTER, Answer::Yes, on, IDM_UNREGISTER, "|Register"}, {IDM_UNREGISTER, Answer::No, on, IDM_UNREGISTER, "|Unregister"},
        {IDM_UNREGISTER, Answer::Yes, Names(8, "-"), IDM_REGISTER, "|Unregister"}};
    // clang-format on
    for (const auto& r : rows) {
        ed.Expect({r.answer});
        ed.Command(r.command);
        EXPECT_EQ(r.values, registration()) << r.command;
        EXPECT_EQ(kTitle + r.asked + " Diablo SaveFiles?", ed.shown.back());
        EXPECT_EQ(std::vector<int>{r.offered},
                  ed.MenuItems({IDM_REGISTER, IDM_UNREGISTER}, MF_GRAYED, false));
    }
}

// Back in the foreground the open file is offered for saving and the list reloaded, but
// only when the folder changed while away (the window's own save is no change), and never
// under a question that is open: the answer would then save the wrong character.
TEST(Shell, ActivationReloadsOnlyWhenTheFolderChanged) {
    TempFolder dir;
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    Editor ed;
    ed.AwayAndBack();  // whatever a real loss of focus may have counted is spent
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "44");
    ed.Command(IDM_SAVE);
    EXPECT_EQ((Names{"..", "Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}), ed.ListEntries());
    ed.Type(IDC_LEVEL, "7");
    SendMessageA(ed.dlg, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ed.dlg, IDC_FILELIST)));
    ed.AwayAndBack();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(ed.dlg, IDC_FILELIST)));
    EXPECT_EQ("7", ed.Text(IDC_LEVEL));
    ed.Expect({Answer::No});
    ed.AwayAndBack([&] { WriteBytes(dir / "Game.d2s", NewSave("Game", 1)); });
    EXPECT_EQ(Names{kTitle + "|Save Changes to Rogar.d2s?"}, ed.shown);
    EXPECT_EQ((Names{"..", "Game.d2s", "Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}),
              ed.ListEntries());
    EXPECT_EQ("1", ed.Text(IDC_LEVEL));  // reopened as saved
    ed.Type(IDC_STRENGTH, "55");
    ed.AwayAndBack([&] { DeleteFileA((dir / "Game.d2s").c_str()); }, false);
    ed.Expect({Answer::Yes});  // the folder check arrives inside this question
    ed.Expect({Answer::No});   // keep the first backup
    ed.Select("Lyra.d2s");
    EXPECT_EQ(3u, ed.shown.size());
    EXPECT_EQ(With16(NewSave("Rogar", 4), kStrength, 55), ReadBytes(dir / "Rogar.d2s"));
    EXPECT_EQ(NewSave("Lyra", 0), ReadBytes(dir / "Lyra.d2s"));
    ed.AwayAndBack();  // the change was counted once: nothing more happens
    ed.Type(IDC_STRENGTH, "66");
    ed.AwayAndBack();
    EXPECT_EQ("66", ed.Text(IDC_STRENGTH));
}
