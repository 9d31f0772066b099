// The menu bar around one open character: its states and check items, Escape included.
#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"
#include "res/resource.h"

using Ids = std::vector<int>;

// Rows: what the user does, then the items of the menu bar enabled and checked. Escape
// takes back the edits, then closes the file, then leaves the list's selection. Leaving
// the files at the end asks nothing: the hook fails the test on any dialog.
TEST(Window, MenuBarFollowsTheStateAndSwitchesCheckItemsInPairs) {
    TempFolder dir;
    WriteBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    WriteBytes(dir / "Newer.d2s", With16(NewSave("Newer", 4), 4, 96));  // a version only read
    WriteBytes(dir / "Over.d2s", With16(NewSave("Over", 4), kStrength, 40000));
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    Editor ed;
    const Ids pending = {IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_RESTART, IDM_COMPLETE, IDM_MAXGOLD};
    const auto with = [&](Ids ids) {
        return ids.insert(ids.end(), pending.begin(), pending.end()), ids;
    };
    const Ids managed = with({IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_LOAD, IDM_DELETE, IDM_SAVEFOLDER,
                              IDM_RESET}),
              open = with({IDM_SAVEAS, IDM_CLOSE, IDM_DELETE}),
              edited = with({IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_DELETE, IDM_RESET});
    // clang-format off
    const struct { std::function<void()> act; Ids enabled, checked; } rows[] = {
        {[&] {  // without a file the commands do nothing
            for (int id : {IDM_MAXGOLD, IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE, IDM_RESTART, IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_RESET, IDM_DELETE}) ed.Command(id);
            EXPECT_EQ("----", ed.Text(IDC_GOLD)); }, {}, {}},
        {[&] { ed.Select("Rogar.d2s"); }, open, {}},
        {[&] { SetWindowTextA(GetDlgItem(ed.dlg, IDC_LEVEL), "3"); }, edited, {}},
        {[&] { ed.Command(IDM_RESET); }, open, {}},
        {[&] { ed.Command(IDM_SKILLS_FULL), ed.Command(IDM_RESTART); }, edited, {IDM_SKILLS_FULL, IDM_RESTART}},
        {[&] { ed.Command(IDM_SKILLS_NONE), ed.Command(IDM_COMPLETE); }, edited, {IDM_SKILLS_NONE, IDM_COMPLETE}},
        {[&] { ed.Command(IDM_MAXGOLD), ed.Command(IDM_COMPLETE); }, edited, {IDM_SKILLS_NONE, IDM_MAXGOLD}},
        {[&] { ed.Type(IDC_LEVEL, "4"), ed.Command(IDCANCEL); }, open, {}},
        {[&] { ed.Command(IDCANCEL); }, {IDM_LOAD, IDM_DELETE}, {}},
        {[&] { ed.Command(IDCANCEL); }, {}, {}},
        {[&] { ed.Select("Over.d2s"); }, open, {}},  // stored values beyond the limits are no edit
        {[&] { ed.Command(IDCANCEL); }, {IDM_LOAD, IDM_DELETE}, {}},
        {[&] { ed.Select("Over.d2s"), ed.Type(IDC_STRENGTH, "500"); }, edited, {}},
        {[&] { ed.Command(IDCANCEL); EXPECT_EQ("40000", ed.Text(IDC_STRENGTH)); }, open, {}},
        {[&] { ed.Select("Newer.d2s"); }, {IDM_SAVEAS, IDM_CLOSE, IDM_DELETE}, {}},
        {[&] { ed.Command(IDM_CLOSE), ed.Select("old", true); }, {IDM_SAVEFOLDER}, {}}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].act();
        EXPECT_EQ(rows[i].enabled, ed.MenuItems(managed, MF_GRAYED, false)) << "row " << i;
        EXPECT_EQ(rows[i].checked, ed.MenuItems(managed, MF_CHECKED)) << "row " << i;
    }
    EXPECT_EQ(NewSave("Rogar", 4), ReadBytes(dir / "Rogar.d2s"));
}

namespace {

INT_PTR CALLBACK inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// UTF-8 is the program's code page, so the "A" functions give the texts as UTF-8.
void menuTexts(HMENU menu, Names& texts) {
    char text[256] = "";
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuStringA(menu, i, text, 256, MF_BYPOSITION)) texts.push_back(text);
        if (HMENU sub = GetSubMenu(menu, i)) menuTexts(sub, texts);
    }
}

// The captions and control texts (not icons) of the dialogs, the menu bar and the string
// table, in the language set.
Names allTexts() {
    Names texts;
    char text[256] = "";
    for (int id : {IDD_MAIN, IDD_MESSAGE, IDD_CONFIRM, IDD_SAVECHANGES, IDD_ABOUT}) {
        HWND dlg = CreateDialogIndirectParamW(GetModuleHandleA(nullptr), LangDialog(id), nullptr,
                                              inert, 0);
        for (HWND w = dlg; w; w = GetWindow(w == dlg ? GetWindow(dlg, GW_CHILD) : w, GW_HWNDNEXT))
            if (GetWindowTextA(w, text, 256) && text[0] != '\xEF') texts.push_back(text);
        DestroyWindow(dlg);
    }
    menuTexts(LangMenu(IDM_MAINMENU), texts);
    for (int id = IDS_SYSMENU_ABOUT; id <= IDS_NOT_A_SAVE; ++id) texts.push_back(Tr(id));
    return texts;
}

}  // namespace

// English leaves nothing in Chinese; the Chinese window keeps the editor's own captions.
TEST(Window, EveryTextExistsInChineseAndInEnglish) {
    LangSet(Lang::English);
    const Names en = allTexts();
    LangSet(Lang::Chinese);
    const Names zh = allTexts();
    EXPECT_EQ(zh.size(), en.size());
    for (const std::string& t : en)  // nothing empty, no character of U+3000 to U+9FFF
        EXPECT_TRUE(!t.empty() && std::none_of(t.begin(), t.end(), [](unsigned char c) {
            return c >= 0xE3 && c <= 0xE9;
        })) << t;
    for (const char* t : {"暗黑破坏神II V1.09 修改器 Ver 1.0.0.1", "浏览", "修改器提示:", "取消",
                          "主页", "保存\tCtrl+S", "Save Changes to %s?", "Save..\tCtrl+S"})
        EXPECT_NE(0, std::count(zh.begin(), zh.end(), t)) << t;
}

// The title and the status line of a save of each format, a hardcore one, a dead one, a
// backup and one the game refuses, in both languages: whole, against the reviewed file.
TEST(Window, TitleAndStatusLineOfEachFormat) {
    // clang-format off
    const std::pair<const char*, Bytes> files[] = {
        {"testtt.d2s", Sample("d2v107.d2s")}, {"fddfss.d2s", Sample("d2v108.d2s")},
        {"sdfsf.d2s", Sample("d2v109b.d2s")}, {"dfgdf.d2s", Sample("d2v110f.d2s")},
        {"NokkaSorc.d2s", Sample("96_NokkaSorc.d2s")}, {"Barb.d2s", Sample("97_Barb_hp3.d2s")},
        {"Agelatus.d2s", Sample("98_Agelatus.d2s")}, {"InitialSave.d2s", Sample("98_InitialSave.d2s")},
        {"Wilhelm.d2s", Sample("99_Wilhelm.d2s")}, {"Warlock.d2s", Sample("105_Warlock.d2s")},
        {"Wilhelm.bakvelmor", Sample("99_Wilhelm.d2s")}, {"d2v107.d2s", Sample("d2v107.d2s")},
        {"Dead.d2s", Named(With16(Sample("d2v108.d2s"), 24, 0x2C), "Dead")}};
    // clang-format on
    std::string shown;
    for (Lang lang : {Lang::Chinese, Lang::English}) {
        TempFolder dir;
        for (const auto& [name, bytes] : files) WriteBytes(dir / name, bytes);
        Editor ed("", lang);
        for (const auto& file : files) {
            ed.Select(file.first);
            std::string status = ed.Text(IDC_STATUS);
            if (status.compare(0, dir.path.size(), dir.path) == 0)
                status.replace(0, dir.path.size(), "FOLDER\\");
            shown += std::string("== ") + file.first + "\n" + ed.Title() + "\n" + status + "\n";
        }
    }
    ExpectAsFile(shown, "window/status-lines.txt");
}

// Rows: a file and what the window shows of it. The status line shows its whole text (the
// verdict of a Warlock saved under another name than its own is its fifth line); a version
// whose layout is not known shows no values, class or flags read at guessed offsets.
TEST(Window, TheWholeStatusIsShownAndAnUnknownLayoutShowsNoValues) {
    TempFolder dir;
    Bytes unknown = Sealed(With16(Sample("98_Agelatus.d2s"), 4, 100));
    unknown[24] = 0x0C;  // hardcore and dead, at the classic offsets
    WriteBytes(dir / "105_Warlock.d2s", Sample("105_Warlock.d2s"));
    WriteBytes(dir / "Odd.d2s", unknown);
    const Names rows[] = {
        {"105_Warlock", "15", "Warlock",
         "\nthe game would refuse this file: the name in the file is \"Warlock\""},
        {"Odd", "?", "----", "\nformat version 100 (unknown game): read-only"}};
    Editor ed;
    for (const Names& r : rows) {
        ed.Select(r[0] + ".d2s");
        const std::string text = ed.Text(IDC_STATUS);
        EXPECT_NE(std::string::npos, text.find(r[3])) << text;
        EXPECT_EQ((Names{r[0], r[1], r[2]}),
                  (Names{ed.Title(), ed.Text(IDC_STRENGTH), ed.Text(IDC_CLASS)}));
        // The lines of the text, wrapped to the line's width, fit in the line, and the line in
        // the window.
        HWND line = GetDlgItem(ed.dlg, IDC_STATUS);
        RECT shown, needed, window;
        GetClientRect(line, &shown);
        needed = {0, 0, shown.right, 0};
        HDC dc = GetDC(line);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(line, WM_GETFONT, 0, 0)));
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
        ReleaseDC(line, dc);
        MapWindowPoints(line, ed.dlg, reinterpret_cast<POINT*>(&shown), 2);
        GetClientRect(ed.dlg, &window);
        EXPECT_TRUE(needed.bottom <= shown.bottom - shown.top && shown.bottom <= window.bottom);
    }
}
