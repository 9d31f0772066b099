// Cases where the window used to lose an edit, a file or its place: a file the game wrote
// behind the editor's back, Delete, keys and the keyboard's context menu, drops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>

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
    // Refused, agreed, agreed over an older backup, agreed with no backup possible.
    for (int run : {0, 1, 2, 3}) {
        const bool agree = run > 0, saved = agree && run < 3;
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", loaded);
        if (run == 2) WriteBytes(dir / "Rogar.bakvelmor", {'o', 'l', 'd'});
        if (run == 3) CreateDirectoryA((dir / "Rogar.bakvelmor").c_str(), nullptr);
        Editor ed;
        ed.Select("Rogar.d2s");
        ed.Type(IDC_STRENGTH, "111");
        ed.Expect({agree ? Answer::Yes : Answer::No});
        if (run == 3) ed.Expect({Answer::Ok});  // nothing saved, the edits stay
        ed.AwayAndBack([&] { WriteBytes(dir / "Rogar.d2s", game); });
        ASSERT_EQ(run == 3 ? 2u : 1u, ed.shown.size());
        EXPECT_EQ(0u, ed.shown[0].find(kTitle + "|Rogar.d2s was changed on disk while"));
        // Agreed, the edits go over the file as loaded and the game's version is the backup.
        EXPECT_EQ(saved ? With16(loaded, kStrength, 111) : game, ReadBytes(dir / "Rogar.d2s"));
        EXPECT_EQ(saved ? game : Bytes(), ReadBytes(dir / "Rogar.bakvelmor"));
        EXPECT_EQ(std::to_string(agree ? loaded[kEnergy] : 55), ed.Text(IDC_ENERGY));
    }
}

// Rows: the entry deleted, read-only or not, the answer, then the dialogs, what the Recycle
// Bin was given, the folder, the list and its selection, the title. A save goes with every
// side file but not its backup, a backup goes alone, a refused save takes none.
TEST(Edits, DeleteMovesTheSaveAndItsSideFilesToTheRecycleBinOrReportsARefusal) {
    char xdg[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("XDG_DATA_HOME", xdg, sizeof xdg));
    const std::string trash = std::string("Z:") + xdg + "/Trash/";
    const Names side = {"Rogar.key", "Rogar.ma0", "Rogar.ma1", "Rogar.ma2",
                        "Rogar.ma3", "Rogar.ma4", "Rogar.map"};
    Names all = side, save = side;
    all.insert(all.begin(), {"Rogar.bakvelmor", "Rogar.d2s"});
    save.insert(save.begin(), "Rogar.d2s");
    const std::string asked = "Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?";
    // clang-format off
    const struct { std::string entry; bool readOnly; Answer::Kind answer; Names shown, trashed, kept, listed; std::string selected, title; } rows[] = {
        {"Rogar.d2s", false, Answer::Yes, {asked}, save, {"Rogar.bakvelmor"}, {"..", "Rogar.bakvelmor"}, "Rogar.bakvelmor", kTitle},
        {"Rogar.bakvelmor", false, Answer::Yes, {"Delete VelmorBackupfile ???|Delete Backupfile\nRogar.bakvelmor?"}, {"Rogar.bakvelmor"}, Names(all.begin() + 1, all.end()), {"..", "Rogar.d2s"}, "..", kTitle},
        {"Rogar.d2s", true, Answer::Yes, {asked, "修改器提示:|Could not delete Rogar.d2s!\nNothing was removed."}, {}, all, {"..", "Rogar.bakvelmor", "Rogar.d2s"}, "Rogar.d2s", "Rogar"},
        {"Rogar.d2s", false, Answer::No, {asked}, {}, all, {"..", "Rogar.bakvelmor", "Rogar.d2s"}, "Rogar.d2s", "Rogar"}};
    // clang-format on
    for (const auto& r : rows) {
        for (const std::string sub : {"files", "info"}) {  // emptied: Wine makes them only once
            std::error_code none;                          // with a read-only file a fault recycled
            for (const auto& e : std::filesystem::directory_iterator(trash + sub, none))
                SetFileAttributesA(e.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
            std::filesystem::remove_all(trash + sub);
            std::filesystem::create_directories(trash + sub);
        }
        TempFolder dir;
        for (const std::string& name : all) WriteBytes(dir / name, NewSave("Rogar", 4));
        if (r.readOnly) SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_READONLY);
        Editor ed;
        ed.Select(r.entry);
        for (std::size_t i = 0; i < r.shown.size(); ++i) ed.Expect({i ? Answer::Ok : r.answer});
        ed.Command(IDM_DELETE);
        Names trashed;
        for (const auto& e : std::filesystem::directory_iterator(trash + "files"))
            trashed.push_back(e.path().filename().string());
        std::sort(trashed.begin(), trashed.end());
        EXPECT_EQ(r.shown, ed.shown) << r.entry;
        EXPECT_EQ(r.trashed, trashed) << r.entry;
        EXPECT_EQ(r.kept, dir.List()) << r.entry;
        EXPECT_EQ(r.listed, ed.ListEntries()) << r.entry;
        EXPECT_EQ(r.selected, ed.SelectedEntry()) << r.entry;
        EXPECT_EQ(r.title, ed.Title()) << r.entry;
        SetFileAttributesA((dir / "Rogar.d2s").c_str(), FILE_ATTRIBUTE_NORMAL);  // to clean up
    }
}

namespace {

// A key pressed as the dialog's message loop sees it, with Ctrl and Shift held or not;
// true when the window took it.
bool press(HWND target, UINT key, BYTE ctrl = 0, BYTE shift = 0) {
    BYTE state[256] = {};
    state[VK_CONTROL] = ctrl, state[VK_SHIFT] = shift;
    SetKeyboardState(state);
    MSG msg = {target, WM_KEYDOWN, key, 0, 0, {0, 0}};
    const bool taken = CallMsgFilterW(&msg, MSGF_DIALOGBOX);
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    return taken;
}

// A file or folder dropped on the window from the shell.
void drop(HWND dlg, const std::string& path) {
    const std::wstring wide = std::filesystem::u8path(path).wstring() + L'\0';
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + (wide.size() + 1) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(mem));
    *files = {sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::memcpy(files + 1, wide.c_str(), wide.size() * sizeof(wchar_t));
    GlobalUnlock(mem);
    SendMessageW(dlg, WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0);
}

}  // namespace

// Rows: a key in a control with the file open and edited or not, whether the window takes
// it, the dialogs it brings and the file afterwards. A key whose command is disabled does
// nothing; Delete deletes the file only from the list.
TEST(Edits, KeysRunTheirCommandsOnlyWhereTheMenuEnablesThem) {
    const Bytes original = NewSave("Rogar", 4);
    // clang-format off
    const struct { int control; UINT key; BYTE ctrl, shift; bool edited, taken; std::vector<Answer::Kind> answers; Names shown; Bytes saved; } rows[] = {
        {IDC_LEVEL, 'S', 0x80, 0, true, true, {}, {}, With16(original, kStrength, 111)},
        {IDC_LEVEL, 'S', 0x80, 0, false, true, {}, {}, original},
        {IDC_FILELIST, 'S', 0x80, 0x80, false, true, {Answer::Cancel}, {"file dialog"}, original},
        {IDC_FILELIST, VK_F12, 0, 0, true, true, {Answer::Cancel}, {"file dialog"}, original},
        {IDC_LEVEL, VK_DELETE, 0, 0, false, false, {}, {}, original},
        {IDC_FILELIST, VK_DELETE, 0, 0, false, true, {Answer::No}, {"Delete D2Savefile ???|Delete D2SaveFile\nRogar.d2s?"}, original}};
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
    // F5 reloads the list; Ctrl+N opens the New menu, and Shift+F10 (or the menu key) the
    // list's context menu at (-1, -1), for the open file; the hook closes each at once.
    TempFolder dir;
    WriteBytes(dir / "Rogar.d2s", original);
    Editor ed;
    ed.Select("Rogar.d2s");
    WriteBytes(dir / "Game.d2s", original);
    EXPECT_TRUE(press(GetDlgItem(ed.dlg, IDC_FILELIST), VK_F5));
    EXPECT_EQ((Names{"..", "Game.d2s", "Rogar.d2s"}), ed.ListEntries());
    saveAs = MF_GRAYED, amazon = static_cast<UINT>(-1);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordMenu, nullptr, GetCurrentThreadId());
    EXPECT_TRUE(press(GetDlgItem(ed.dlg, IDC_FILELIST), 'N', 0x80));
    EXPECT_EQ(0u, amazon);
    SendMessageA(ed.dlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(ed.dlg, IDC_FILELIST)),
                 MAKELPARAM(-1, -1));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(0u, saveAs & MF_GRAYED);
    // The delete question opens with the focus on No, so that Enter or Space keeps the file;
    // the closing question on Save, so that they keep the edits (Cancel goes back to them).
    static int want, answer;
    static HWND focused, expected;
    for (const auto& [command, button, press] :
         {std::tuple{IDM_DELETE, IDC_CONFIRM_NO, IDC_CONFIRM_NO},
          std::tuple{IDM_CLOSE, IDC_CONFIRM_YES, IDCANCEL}}) {
        want = button, answer = press, focused = expected = nullptr;
        if (command == IDM_CLOSE) ed.Type(IDC_STRENGTH, "77");
        ed.Expect(Answer([](HWND box) {
            SetTimer(box, 1, 100, [](HWND box, UINT, UINT_PTR, DWORD) {
                focused = GetFocus(), expected = GetDlgItem(box, want);
                KillTimer(box, 1), PostMessageA(box, WM_COMMAND, answer, 0);
            });
        }));
        ed.Command(command);
        EXPECT_TRUE(expected && focused == expected) << command;
        EXPECT_EQ("Rogar", ed.Title());
    }
}

// Rows: what is dropped, the answer to its question, the window's title, the list's folder
// and its selection. A save opens as if chosen in the list, after the closing question,
// whose Cancel keeps the edits; a folder is entered, whatever its name's script; what
// cannot be opened is refused. In English, as closing the window, which Cancel keeps open.
TEST(Edits, ADroppedSaveOpensAndADroppedFolderIsEntered) {
    TempFolder dir;
    const std::string cyrillic = "Сохранения", asa = dir / (cyrillic + "\\Åsa.d2s");
    CreateDirectoryA((dir / cyrillic).c_str(), nullptr);
    WriteBytes(asa, NewSave("Asa", 0));
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteBytes(dir / "Rogar.bakvelmor", NewSave("Rogar", 4));
    WriteBytes(dir / "notes.txt", {'h'});
    const std::string said = "Velmor|", longPath = dir / (std::string(300, 'x') + "\\W.d2s"),
                      closing = kTitle + "|Save the changes to Rogar.d2s?",
                      sub = dir / (cyrillic + "\\");
    const std::map<std::string, Names> listed = {
        {dir.path, {"..", "Rogar.bakvelmor", "Rogar.d2s", cyrillic}}, {sub, {"..", "Åsa.d2s"}}};
    // clang-format off
    const struct { std::string path; Answer::Kind answer; std::string shown, title, folder, selected; } rows[] = {
        {"", Answer::Cancel, closing, "Rogar", dir.path, "Rogar.d2s"},
        {asa, Answer::Cancel, closing, "Rogar", dir.path, "Rogar.d2s"}, {asa, Answer::No, closing, "Åsa", sub, "Åsa.d2s"},
        {dir / "Rogar.bakvelmor", Answer::Ok, "", "Backup Rogar.bakvelmor", dir.path, "Rogar.bakvelmor"},
        {dir.path, Answer::Ok, "", kTitle, dir.path, ".."},
        {dir / "notes.txt", Answer::Ok, said + "notes.txt is not a save file (.d2s) or backup (.bakvelmor).", kTitle, dir.path, ".."},
        {longPath, Answer::Ok, said + longPath + " cannot be opened: the system refuses its path (too long, or not accessible).", kTitle, dir.path, ".."},
        {sub, Answer::Ok, "", kTitle, sub, ".."}};
    // clang-format on
    Editor ed("", Lang::English);
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "111");
    for (const auto& r : rows) {
        ed.shown.clear();
        if (!r.shown.empty()) ed.Expect({r.answer});
        r.path.empty() ? static_cast<void>(SendMessageA(ed.dlg, WM_CLOSE, 0, 0))
                       : drop(ed.dlg, r.path);
        EXPECT_EQ(r.shown.empty() ? Names{} : Names{r.shown}, ed.shown) << r.path;
        EXPECT_EQ(r.title, ed.Title()) << r.path;
        EXPECT_EQ(r.folder, std::filesystem::current_path().u8string() + "\\") << r.path;
        EXPECT_EQ(0u, ed.Text(IDC_STATUS).find(r.folder)) << ed.Text(IDC_STATUS);
        EXPECT_EQ(listed.at(r.folder), ed.ListEntries()) << r.path;
        EXPECT_EQ(r.selected, ed.SelectedEntry()) << r.path;
        EXPECT_EQ(r.title != "Rogar", ed.Text(IDC_STRENGTH) != "111") << r.path;
    }
    EXPECT_EQ(NewSave("Rogar", 4), ReadBytes(dir / "Rogar.d2s"));
}
