// The application shell: file-type registration through the menu, the game's save folder,
// and the activation protocol with the folder monitor.
#include <gtest/gtest.h>

#include "Harness.h"
#include "app/AppData.h"
#include "app/App_win.h"
#include "res/resource.h"
#include "support/Paths_win.h"

namespace {

// The default value of a key of HKCR, "-" when the key is missing.
std::string classValue(const std::string& key) {
    char value[1024] = "-";
    LONG size = sizeof value;
    RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size);
    return value;
}

const std::vector<std::string> kKeys = {".d2s",
                                        ".bakvelmor",
                                        "D2SaveFile",
                                        "D2SaveFile\\shell\\open\\command",
                                        "D2SaveFile\\DefaultIcon",
                                        "D2BackupFile",
                                        "D2BackupFile\\shell\\open\\command",
                                        "D2BackupFile\\DefaultIcon"};

std::vector<std::string> registration() {
    std::vector<std::string> values;
    for (const std::string& key : kKeys) values.push_back(classValue(key));
    return values;
}

}  // namespace

TEST(Shell, RegistrationThroughTheMenuAsksWritesAndRemovesTheKeys) {
    cAppData ad;
    UnregisterApp(ad);
    TempFolder dir;
    Editor ed;
    const std::string app = GetAppPath(nullptr), open = "\"" + app + "\"\"%1\"";
    const std::vector<std::string> on = {"D2SaveFile", "D2BackupFile", "D2SaveFile", open,
                                         app + ",1",   "D2BackupFile", open,         app + ",1"};
    const struct {
        int command;
        Answer::Kind answer;
        std::vector<std::string> values;
        int offered;
    } rows[] = {{IDM_REGISTER, Answer::Yes, on, IDM_UNREGISTER},
                {IDM_UNREGISTER, Answer::No, on, IDM_UNREGISTER},
                {IDM_UNREGISTER, Answer::Yes, std::vector<std::string>(8, "-"), IDM_REGISTER}};
    for (const auto& r : rows) {
        ed.Expect({r.answer});
        ed.Command(r.command);
        EXPECT_EQ(r.values, registration()) << r.command;
        EXPECT_EQ(std::vector<int>{r.offered}, ed.EnabledItems({IDM_REGISTER, IDM_UNREGISTER}));
    }
    EXPECT_EQ("Register Diablo SaveFiles?", ed.shown[0].text);
    EXPECT_EQ("Unregister Diablo SaveFiles?", ed.shown[2].text);
}

// The list starts in the game's save folder, and the menu returns there.
TEST(Shell, SaveFolderComesFromTheGame) {
    TempFolder dir;
    CreateDirectoryA((dir / "saves").c_str(), nullptr);
    const std::string key = "Software\\Blizzard Entertainment\\Diablo II";
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "Save Path", REG_SZ, (dir / "saves").c_str(),
                    static_cast<DWORD>((dir / "saves").size() + 1));
    Editor ed;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Blizzard Entertainment");
    EXPECT_EQ(dir / "saves\\", ed.Text(IDC_STATUS));
    ed.DoubleClick("..");
    EXPECT_EQ(std::vector<int>{IDM_SAVEFOLDER}, ed.EnabledItems({IDM_SAVEFOLDER}));
    ed.Command(IDM_SAVEFOLDER);
    EXPECT_EQ(dir / "saves\\", ed.Text(IDC_STATUS));
}

// Back in the foreground the open file is offered for saving and the list reloaded, but
// only when the folder changed while away; the window's own save is no change.
TEST(Shell, ActivationReloadsOnlyWhenTheFolderChanged) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.AwayAndBack();  // whatever a real loss of focus may have counted is spent
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "99");
    ed.Command(IDM_SAVE);
    ed.Type(IDC_LEVEL, "7");
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(ed.Enabled(IDC_FILELIST) || ed.Enabled(IDC_BROWSE));
    ed.AwayAndBack();
    EXPECT_TRUE(ed.Enabled(IDC_FILELIST) && ed.Enabled(IDC_BROWSE));
    EXPECT_EQ("7", ed.Text(IDC_LEVEL));
    ed.Expect({Answer::No});
    ed.AwayAndBack([&] { WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0)); });
    ASSERT_EQ(1u, ed.shown.size());
    EXPECT_EQ("Save Changes to Rogar.d2s?", ed.shown[0].text);
    EXPECT_EQ((std::vector<std::string>{"..", "Lyra.d2s", "Rogar.bakvelmor", "Rogar.d2s"}),
              ed.ListEntries());
    EXPECT_EQ("1", ed.Text(IDC_LEVEL));
    ed.Type(IDC_LEVEL, "9");
    ed.AwayAndBack();  // the change was counted once
    EXPECT_EQ("9", ed.Text(IDC_LEVEL));
}
