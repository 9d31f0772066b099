// Cases where the window used to lose an edit, a file or its place: a file the game wrote
// behind the editor's back, Delete, and the keyboard's context menu.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "Harness.h"
#include "res/resource.h"
// After windows.h, which it builds on.
#include <shlobj.h>

namespace {

UINT saveAs = 0;  // the state of the context menu's Save As when it opened
UINT amazon = 0;  // the state of New Amazon in the menu that opened

// Records the state of Save As when the context menu opens, then closes the menu again.
LRESULT CALLBACK recordMenu(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP) {
        saveAs = GetMenuState(reinterpret_cast<HMENU>(m->wParam), IDM_SAVEAS, MF_BYCOMMAND);
        amazon = GetMenuState(reinterpret_cast<HMENU>(m->wParam), IDM_NEW_AMAZONE, MF_BYCOMMAND);
        PostMessageA(m->hwnd, WM_CANCELMODE, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(Edits, AFileTheGameWroteMeanwhileIsOverwrittenOnlyByChoiceAndThenKeptAsTheBackup) {
    const Bytes loaded = NewSave("Rogar", 4), game = With16(loaded, kEnergy, 55);
    for (bool agree : {false, true}) {
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", loaded);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        ed.Expect({agree ? Answer::Yes : Answer::No});
        ed.AwayAndBack([&] { WriteBytes(dir / "Rogar.d2s", game); });
        ASSERT_EQ(1u, ed.shown.size());
        EXPECT_EQ(0u, ed.shown[0].find(kTitle + "|Rogar.d2s was changed on disk while"));
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(agree ? With16(loaded, kStrength, 111) : game, ReadBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(agree ? game : Bytes(), ReadBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(std::to_string(agree ? loaded[kEnergy] : 55), ed.Text(IDC_ENERGY));
    }
}

// The save goes to the Recycle Bin with every side file, but a refused save takes none.
TEST(Edits, DeleteMovesTheSaveAndItsSideFilesToTheRecycleBinOrReportsARefusal) {
    char xdg[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("XDG_DATA_HOME", xdg, sizeof xdg));
    const std::string trash = std::string("Z:") + xdg + "/Trash/";
    for (bool readOnly : {false, true}) {
        std::filesystem::remove_all(trash);  // with its notes of where each file was
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
        for (const char* ext : {"key", "map", "ma0", "ma1", "ma2", "ma3", "ma4"})
            WriteBytes(dir / (std::string("Rogar.") + ext), {'s'});
        if (readOnly) SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_READONLY);
        const Names all = dir.List();
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Expect({Answer::Yes});
        if (readOnly) ed.Expect({Answer::Ok});
        ed.Command(IDM_DELETE);
        const std::string asked = "Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?",
                          refused = "修改器提示:|Could not delete Rogar.d2s!\nNothing was removed.";
        EXPECT_EQ((readOnly ? Names{asked, refused} : Names{asked}), ed.shown);
        EXPECT_EQ(readOnly ? all : Names{}, dir.List());
        EXPECT_EQ(readOnly ? Names{} : all, TempFolder::ListOf(trash + "files"));
        EXPECT_EQ((readOnly ? Names{"..", "Rogar.d2s"} : Names{".."}), ed.ListEntries());
        EXPECT_EQ(readOnly ? "Rogar" : kTitle, ed.Title());
        SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_NORMAL);  // to clean up
    }
}

// Shift+F10 or the menu key open the list's context menu at (-1, -1): for the open file.
TEST(Edits, TheKeyboardContextMenuKeepsTheOpenFile) {
    TempFolder dir;
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    saveAs = MF_GRAYED;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordMenu, nullptr, GetCurrentThreadId());
    SendMessageA(ed.dlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(ed.dlg, IDC_FILELIST)),
                 MAKELPARAM(-1, -1));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, saveAs & MF_GRAYED);
    EXPECT_EQ("Rogar", ed.Title());
}

namespace {

// A key pressed as the dialog's message loop sees it; true when the window took it.
bool press(HWND target, UINT key, bool ctrl = false, bool shift = false) {
    BYTE state[256] = {};
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    MSG msg = {target, WM_KEYDOWN, key, 0, 0, {0, 0}};
    const bool taken = CallMsgFilterW(&msg, MSGF_DIALOGBOX);
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    return taken;
}

// A file or folder dropped on the window from the shell.
void drop(HWND dlg, const std::string& path) {
    wchar_t wide[1024] = L"";
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide, 1024);
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + (n + 1) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(mem));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, wide, n * sizeof(wchar_t));
    GlobalUnlock(mem);
    SendMessageW(dlg, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
}

}  // namespace

// Rows: a key in a control with the file open and edited or not, whether the window takes
// it, the dialogs it brings and the file afterwards. A key whose command is disabled does
// nothing; Delete deletes the file only from the list.
TEST(Edits, KeysRunTheirCommandsOnlyWhereTheMenuEnablesThem) {
    const Bytes original = NewSave("Rogar", 4);
    const std::string del = "Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?";
    // clang-format off
    const struct { int control; UINT key; bool ctrl, shift, edited, taken; std::vector<Answer::Kind> answers; Names shown; Bytes saved; } rows[] = {
        {IDC_LEVEL, 'S', true, false, true, true, {}, {}, With16(original, kStrength, 111)},
        {IDC_LEVEL, 'S', true, false, false, true, {}, {}, original},
        {IDC_FILELIST, 'S', true, true, false, true, {Answer::Cancel}, {"file dialog"}, original},
        {IDC_FILELIST, VK_F12, false, false, true, true, {Answer::Cancel}, {"file dialog"}, original},
        {IDC_LEVEL, VK_DELETE, false, false, false, false, {}, {}, original},
        {IDC_FILELIST, VK_DELETE, false, false, false, true, {Answer::No}, {del}, original},
        {IDC_FILELIST, 'S', false, false, false, false, {}, {}, original}};
    // clang-format on
    for (const auto& r : rows) {
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", original);
        Editor ed;
        ed.Select("Rogar.d2s");
        if (r.edited) ed.Type(IDC_STRENGTH, "111");
        for (Answer::Kind a : r.answers) ed.Expect({a});
        SetFocus(GetDlgItem(ed.dlg, r.control));
        EXPECT_EQ(r.taken, press(GetDlgItem(ed.dlg, r.control), r.key, r.ctrl, r.shift)) << r.key;
        EXPECT_EQ(r.shown, ed.shown) << r.key;
        EXPECT_EQ(r.saved, ReadBytes(dir / "Rogar.d2s")) << r.key;
        const Names saved = {"Rogar.bakvelmor", "Rogar.d2s"}, unchanged = {"Rogar.d2s"};
        EXPECT_EQ(r.saved == original ? unchanged : saved, dir.List()) << r.key;
    }
    TempFolder dir;
    Editor ed;
    WriteBytes(dir / "Game.d2s", original);
    EXPECT_TRUE(press(GetDlgItem(ed.dlg, IDC_FILELIST), VK_F5));
    EXPECT_EQ((Names{"..", "Game.d2s"}), ed.ListEntries());
    amazon = static_cast<UINT>(-1);  // Ctrl+N opens the New menu, closed again at once
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordMenu, nullptr, GetCurrentThreadId());
    EXPECT_TRUE(press(GetDlgItem(ed.dlg, IDC_FILELIST), 'N', true));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, amazon);
}

// Rows: what is dropped, the dialogs that brings, the window's title and folder. A save
// opens as if chosen in the list, after the closing question; a folder is entered, whatever
// its name's script; what cannot be opened is refused by name.
TEST(Edits, ADroppedSaveOpensAndADroppedFolderIsEntered) {
    TempFolder dir;
    const std::string cyrillic = "Сохранения", nameless = std::string(300, 'x');
    CreateDirectoryA((dir / cyrillic).c_str(), nullptr);
    WriteBytes(dir / (cyrillic + "\\Åsa.d2s"), NewSave("Asa", 0));
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteBytes(dir / "notes.txt", {'h'});
    const std::string said = "修改器提示:|", longPath = dir / (nameless + "\\Wulf.d2s");
    // clang-format off
    const struct { std::string path; Names shown; std::string title, folder; } rows[] = {
        {dir / (cyrillic + "\\Åsa.d2s"), {kTitle + "|Save Changes to Rogar.d2s?"}, "Åsa", dir / (cyrillic + "\\")},
        {dir.path, {}, kTitle, dir.path},
        {dir / "notes.txt", {said + "notes.txt is not a save file (.d2s) or backup (.bakvelmor)."}, kTitle, dir.path},
        {longPath, {said + longPath + " cannot be opened: its path is too long for this system."}, kTitle, dir.path},
        {dir / cyrillic, {}, kTitle, dir / (cyrillic + "\\")}};
    // clang-format on
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    for (const auto& r : rows) {
        ed.shown.clear();
        if (!r.shown.empty()) ed.Expect({r.shown[0][0] == 'V' ? Answer::No : Answer::Ok});
        drop(ed.dlg, r.path);
        EXPECT_EQ(r.shown, ed.shown) << r.path;
        EXPECT_EQ(r.title, ed.Title()) << r.path;
        EXPECT_EQ(0u, ed.Text(IDC_STATUS).find(r.folder)) << ed.Text(IDC_STATUS);
        // The status line names the game of every version, the classic ones too.
        const std::size_t game = ed.Text(IDC_STATUS).find("\nformat version 89 (1.08)");
        EXPECT_EQ(r.title != kTitle, game != std::string::npos) << ed.Text(IDC_STATUS);
    }
    EXPECT_EQ((Names{"..", "Åsa.d2s"}), ed.ListEntries());
}
