// The application shell: file-type registration, the game's save folder, the About box,
// the exit log and the activation protocol with the folder monitor.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "Harness.h"
#include "app/AppData.h"
#include "app/App_win.h"
#include "res/resource.h"
#include "support/Paths_win.h"

namespace {

const char* const kGameKey = "Software\\Blizzard Entertainment\\Diablo II\\";

std::string DefaultValue(const std::string& key) {
    char value[1024] = "";
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

bool KeyExists(const std::string& key) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

std::vector<std::string> Subkeys(const std::string& key) {
    std::vector<std::string> names;
    HKEY k;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(k, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(k);
    return names;
}

const char* const kRegistered[] = {".d2s",
                                   ".bakvelmor",
                                   "D2SaveFile",
                                   "D2SaveFile\\shell\\open\\command",
                                   "D2SaveFile\\DefaultIcon",
                                   "D2BackupFile",
                                   "D2BackupFile\\shell\\open\\command",
                                   "D2BackupFile\\DefaultIcon"};

void ExpectRegisteredTo(const std::string& app) {
    const std::string open = "\"" + app + "\"\"%1\"";
    const std::string icon = app + ",1";
    const std::string values[] = {"D2SaveFile", "D2BackupFile", "D2SaveFile", open,
                                  icon,         "D2BackupFile", open,         icon};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(values[i], DefaultValue(kRegistered[i])) << kRegistered[i];
    for (const char* type : {"D2SaveFile", "D2BackupFile"})
        EXPECT_EQ((std::vector<std::string>{"DefaultIcon", "shell"}), Subkeys(type)) << type;
}

void SetSavePath(const char* folder) {
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kGameKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &k, nullptr));
    RegSetValueExA(k, "Save Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(std::strlen(folder) + 1));
    RegCloseKey(k);
}

void RemoveGameKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Blizzard Entertainment"); }

// A round trip to the background and back, which also consumes a change that the monitor
// may have counted while the test program itself lost the focus earlier.
void AwayAndBack(Editor& ed, DWORD awayMs) {
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    Sleep(awayMs);
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    Pump();
}

}  // namespace

TEST(Registration, WritesTheEightKeysOnceAndRemovesThem) {
    cAppData ad;
    UnregisterApp(ad);
    EXPECT_FALSE(RegSet(ad));
    RegisterApp(ad);
    RegisterApp(ad);
    EXPECT_TRUE(RegSet(ad));
    ExpectRegisteredTo(GetAppPath(nullptr));
    UnregisterApp(ad);
    EXPECT_FALSE(RegSet(ad));
    for (const char* key : kRegistered) EXPECT_FALSE(KeyExists(key)) << key;
}

TEST(Registration, MenuOffersWhatApplies) {
    TempFolder dir;
    Editor ed;
    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_REGISTER);
    ASSERT_EQ(1u, ed.shown.size());
    EXPECT_EQ("Register Diablo SaveFiles?", ed.shown[0].text);
    EXPECT_TRUE(ed.MenuState(IDM_REGISTER) & MF_GRAYED);
    EXPECT_FALSE(ed.MenuState(IDM_UNREGISTER) & MF_GRAYED);
    ed.Expect({Answer::No, ""});
    ed.Command(IDM_UNREGISTER);
    EXPECT_TRUE(KeyExists(".d2s"));
    ed.Expect({Answer::Yes, ""});
    ed.Command(IDM_UNREGISTER);
    EXPECT_EQ("Unregister Diablo SaveFiles?", ed.shown.back().text);
    EXPECT_FALSE(KeyExists(".d2s"));
    EXPECT_FALSE(ed.MenuState(IDM_REGISTER) & MF_GRAYED);
}

TEST(SaveFolder, ComesFromTheGameOrTheStartFolder) {
    TempFolder dir;
    cAppData ad;
    RemoveGameKey();
    GetInitialDir(ad);
    EXPECT_EQ(dir.path, ad.savedir.cstr());
    SetSavePath("C:\\Games\\Saves");
    GetInitialDir(ad);
    EXPECT_EQ("C:\\Games\\Saves\\", std::string(ad.savedir.cstr()));
    SetSavePath("C:\\Games\\Saves\\");
    GetInitialDir(ad);
    EXPECT_EQ("C:\\Games\\Saves\\", std::string(ad.savedir.cstr()));
    RemoveGameKey();
}

TEST(SaveFolder, TheListStartsThereAndTheMenuReturnsToIt) {
    TempFolder dir;
    CreateDirectoryA((dir / "saves").c_str(), nullptr);
    WriteFileBytes(dir / "saves\\Rogar.d2s", NewSave("Rogar", 4));
    SetSavePath((dir / "saves").c_str());
    Editor ed;
    RemoveGameKey();
    EXPECT_EQ((std::vector<std::string>{"..", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_TRUE(ed.MenuState(IDM_SAVEFOLDER) & MF_GRAYED);
    ed.DoubleClick("..");
    EXPECT_FALSE(ed.MenuState(IDM_SAVEFOLDER) & MF_GRAYED);
    ed.Command(IDM_SAVEFOLDER);
    EXPECT_EQ((std::vector<std::string>{"..", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ(dir / "saves\\", ed.Text(IDC_STATUS));
}

TEST(Activation, ReloadsOnlyWhenTheFolderChanged) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    AwayAndBack(ed, 0);
    ed.Select("Rogar.d2s");
    ed.Type(IDC_LEVEL, "7");
    // Away and back with nothing changed: no reload, the edit stays, the list is usable.
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(ed.Enabled(IDC_FILELIST));
    EXPECT_FALSE(ed.Enabled(IDC_BROWSE));
    Sleep(200);
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    Pump();
    EXPECT_TRUE(ed.Enabled(IDC_FILELIST));
    EXPECT_TRUE(ed.Enabled(IDC_BROWSE));
    EXPECT_EQ("7", ed.Text(IDC_LEVEL));
    EXPECT_TRUE(ed.shown.empty());
    // Away, another program adds a save, back: the open file is offered for saving and
    // reopened, and the list shows the new file.
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    WriteFileBytes(dir / "Lyra.d2s", NewSave("Lyra", 0));
    Sleep(300);
    ed.Expect({Answer::No, ""});
    SendMessageA(ed.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    Pump();
    ASSERT_EQ(1u, ed.shown.size());
    EXPECT_EQ("Save Changes to Rogar.d2s?", ed.shown[0].text);
    EXPECT_EQ((std::vector<std::string>{"..", "Lyra.d2s", "Rogar.d2s"}), ed.ListEntries());
    EXPECT_EQ("Rogar.d2s", ed.SelectedEntry());
    EXPECT_EQ("1", ed.Text(IDC_LEVEL));
    EXPECT_TRUE(ed.Enabled(IDC_FILELIST));
    // The change was counted once: the next round trip without changes reloads nothing.
    ed.Type(IDC_LEVEL, "9");
    AwayAndBack(ed, 200);
    EXPECT_EQ("9", ed.Text(IDC_LEVEL));
}

TEST(Activation, SavingInTheForegroundIsNotAChange) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    AwayAndBack(ed, 0);
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "99");
    ed.Command(IDM_SAVE);
    ed.Type(IDC_LEVEL, "3");
    AwayAndBack(ed, 200);
    EXPECT_EQ("3", ed.Text(IDC_LEVEL));
    EXPECT_TRUE(ed.shown.empty());
}

namespace {

std::vector<std::string> opened;

HINSTANCE WINAPI RecordingShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                                       INT show) {
    EXPECT_EQ(nullptr, verb);
    EXPECT_EQ(nullptr, params);
    EXPECT_EQ(nullptr, dir);
    EXPECT_EQ(SW_SHOW, show);
    opened.push_back(file);
    return reinterpret_cast<HINSTANCE>(42);
}

}  // namespace

TEST(ShellCommands, OpenTheSitesTheFolderTheLogAndASecondEditor) {
    void* real =
        PatchImport("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(RecordingShellExecute));
    ASSERT_NE(nullptr, real);
    TempFolder dir;
    Editor ed;
    opened.clear();
    for (int id : {IDM_MAKERSITE, IDM_FANSITE, IDM_OPENFOLDER, IDM_SHOWLOG, IDM_NEWEDITOR})
        ed.Command(id);
    PatchImport("shell32.dll", "ShellExecuteA", real);
    ASSERT_EQ(5u, opened.size());
    EXPECT_EQ(0u, opened[0].find("https://"));
    EXPECT_EQ(0u, opened[1].find("https://"));
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(dir.path, opened[2]);
    EXPECT_EQ("C:\\velmorexplog.txt", opened[3]);
    EXPECT_EQ(GetAppPath(nullptr), opened[4]);
}
