// File-type registration for save files and backups, and the game's save folder.
#include <windows.h>
// After windows.h, which they build on.
#include <knownfolders.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/App_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/StartUp.h"
#include "support/Utf8_win.h"

namespace {

const char* const kGameKey = "Software\\Blizzard Entertainment\\Diablo II\\";
const char* const kSavePathValue = "Save Path";

std::string backupKey() { return std::string(".") + backupext; }

void setDefault(HKEY root, const std::string& key, const std::string& value) {
    HKEY k;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size()));
    RegCloseKey(k);
}

}  // namespace

bool RegSet(cAppData&) {
    for (const std::string& key :
         {std::string(".d2s"), backupKey(), std::string(d2savefile), std::string(d2backupfile)}) {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS)
            return false;
        RegCloseKey(k);
    }
    return true;
}

void UnregisterApp(cAppData&) {
    HKEY root;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, nullptr, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS)
        return;
    for (const std::string& key :
         {std::string(".d2s"), backupKey(), std::string(d2savefile), std::string(d2backupfile)})
        RegDeleteTreeA(root, key.c_str());
    RegCloseKey(root);
}

void RegisterApp(cAppData& ad) {
    UnregisterApp(ad);
    const std::string app = GetAppPath(nullptr);
    const std::string command = "\"" + app + "\"\"%1\"";
    const std::string icon = app + ",1";
    HKEY root;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, nullptr, 0, KEY_ALL_ACCESS, &root) != ERROR_SUCCESS)
        return;
    const std::string save = d2savefile, backup = d2backupfile;
    const std::pair<std::string, std::string> rows[] = {
        {".d2s", save},
        {backupKey(), backup},
        {save, save},
        {save + "\\shell\\open\\command", command},
        {save + "\\DefaultIcon", icon},
        {backup, backup},
        {backup + "\\shell\\open\\command", command},
        {backup + "\\DefaultIcon", icon},
    };
    for (const auto& row : rows) setDefault(root, row.first, row.second);
    RegCloseKey(root);
}

namespace {

// The classic game's save folder as its registry entry names it, with a trailing backslash.
std::string classicSaveFolder() {
    HKEY key;
    char folder[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH - 1;  // room for the terminator and the added backslash
    bool found = false;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kGameKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        found = RegQueryValueExA(key, kSavePathValue, nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(folder), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    if (!found || !folder[0]) return std::string();
    folder[MAX_PATH - 1] = '\0';
    addSlash(folder);
    return folder;
}

std::string savedGamesFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_SavedGames, 0, nullptr, &path)))
        folder = Utf8FromWide(path);
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

void GetInitialDir(cAppData& ad) {
    const auto isFolder = [](const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    const std::string folder = ChooseStartFolder(
        {classicSaveFolder(), RemasterSaveFolder(savedGamesFolder())}, isFolder, CurDir(nullptr));
    ad.savedir = folder.c_str();
    ad.savedir.trim();
}
