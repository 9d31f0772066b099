// The application shell: file-type registration through the menu, and the activation
// protocol with the folder monitor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "Harness.h"
#include "app/App_win.h"
#include "core/AppData.h"
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

// Rows: the classic game's save folder in its registry entry (empty: none), whether the remaster's
// folder exists, the command line (a save, with or without quotes, a folder or a pattern, or
// something else), and the character opened and the folder the list starts in and shows.
TEST(Shell, TheListStartsInTheNamedSavesTheClassicOrTheRemastersFolder) {
    TempFolder dir;
    for (const char* folder : {"classic", "other"})
        CreateDirectoryA((dir / folder).c_str(), nullptr);
    WriteBytes(dir / "other\\Lyra.d2s", NewSave("Lyra", 0));
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteBytes(dir / "notes.txt", Bytes{'h', 'i'});
    WriteBytes(dir / "classic\\Cla.d2s", NewSave("Cla", 4));
    const std::string remaster =  // where Windows keeps a profile's Saved Games
        std::string(std::getenv("USERPROFILE")) + "\\Saved Games\\Diablo II Resurrected\\";
    const char* const key = "Software\\Blizzard Entertainment\\Diablo II";
    const std::string classic = dir / "classic", gone = dir / "gone";
    const std::map<std::string, Names> listed = {
        {classic + "\\", {"..", "Cla.d2s"}},
        {remaster, {"..", "Rem.d2s"}},
        {dir.path, {"..", "classic", "other", "Rogar.d2s"}},
        {dir / "other\\", {"..", "Lyra.d2s"}}};
    // clang-format off
    const struct { std::string classic; bool remastered; std::string line, title, folder; } rows[] = {
        {classic, true, "", kTitle, classic + "\\"}, {gone, true, "", kTitle, remaster}, {gone, false, "", kTitle, dir.path},
        {classic, true, "\"" + dir / "other\\Lyra.d2s\"", "Lyra", dir / "other\\"}, {gone, false, "Rogar.d2s", "Rogar", dir.path},
        {gone, false, "\"R*.d2s\"", "Rogar", dir.path}, {classic, false, "notes.txt", kTitle, classic + "\\"},
        {gone, false, "\"Missing.d2s\"", kTitle, dir.path}, {"", false, "", kTitle, dir.path}};
    // clang-format on
    for (const auto& r : rows) {
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "Save Path", REG_SZ, r.classic.c_str(),
                        static_cast<DWORD>(r.classic.size() + 1));
        SetCurrentDirectoryA(dir.path.c_str());  // not the remaster's, which may go
        std::filesystem::remove_all(remaster);
        if (r.remastered)
            std::filesystem::create_directories(remaster),
                WriteBytes(remaster + "Rem.d2s", NewSave("Rem", 4));
        Editor ed(r.line.c_str());
        EXPECT_EQ(r.title, ed.Title()) << r.line;
        EXPECT_EQ(0u, ed.Text(IDC_STATUS).find(r.folder)) << ed.Text(IDC_STATUS);
        EXPECT_EQ(listed.at(r.folder), ed.ListEntries()) << r.folder;
        EXPECT_EQ(r.title == kTitle ? ".." : r.title + ".d2s", ed.SelectedEntry()) << r.line;
        if (r.title == kTitle) continue;
        // The save opened at start shows the status of one opened from the list.
        const std::string atStart = ed.Text(IDC_STATUS);
        ed.Command(IDCANCEL);
        ed.Select(r.title + ".d2s");
        EXPECT_EQ(ed.Text(IDC_STATUS), atStart);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, key);  // the last row has removed the remaster's folder
}
