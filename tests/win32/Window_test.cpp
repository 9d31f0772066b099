// The main window around one open character: each edit field wired to its rule, and the
// menu bar's states and check items, Escape included.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

using Ids = std::vector<int>;

// Rows: field, text typed, text shown after leaving it; on a level-1 Barbarian.
TEST(Window, EachFieldTakesItsOwnLimitWhenLeft) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    // clang-format off
    const struct { int id; const char *typed, *shown; } rows[] = {
        {IDC_LEVEL, "150", "99"}, {IDC_STRENGTH, "-250", "250"}, {IDC_ENERGY, "30001", "30000"},
        {IDC_DEXTERITY, "", "1"}, {IDC_VITALITY, "007", "7"}, {IDC_STAMINA, "9000", "6000"},
        {IDC_LIFE, "9000", "9000"}, {IDC_MANA, "x", "1"}, {IDC_SKILLPOINTS, "700", "600"},
        {IDC_STATPOINTS, "x", "0"}, {IDC_LEVEL, "30", "30"}, {IDC_GOLD, "400000", "300000"},
        {IDC_GOLDSTASH, "900000", "200000"}};
    // clang-format on
    for (const auto& r : rows) {
        ed.Type(r.id, r.typed);
        EXPECT_EQ(r.shown, ed.Text(r.id)) << r.id << " " << r.typed;
    }
}

// Rows: what the user does, then the items of the menu bar enabled and checked. Escape
// takes back the edits, then closes the file, then leaves the list's selection.
TEST(Window, MenuBarFollowsTheStateAndSwitchesCheckItemsInPairs) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Bytes newer = NewSave("Newer", 4);
    newer[4] = 96;  // a format version that is only read
    WriteFileBytes(dir / "Newer.d2s", newer);
    CreateDirectoryA((dir / "old").c_str(), nullptr);
    Editor ed;
    const Ids pending = {IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_RESTART, IDM_COMPLETE, IDM_MAXGOLD};
    Ids managed = {IDM_SAVE,   IDM_SAVEAS,     IDM_CLOSE, IDM_LOAD,
                   IDM_DELETE, IDM_SAVEFOLDER, IDM_RESET};
    managed.insert(managed.end(), pending.begin(), pending.end());
    Ids open = {IDM_SAVEAS, IDM_CLOSE, IDM_DELETE},
        edited = {IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_DELETE, IDM_RESET};
    open.insert(open.end(), pending.begin(), pending.end());
    edited.insert(edited.end(), pending.begin(), pending.end());
    // clang-format off
    const struct { std::function<void()> act; Ids enabled, checked; } rows[] = {
        {[] {}, {}, {}},
        {[&] { ed.Select("Rogar.d2s"); }, open, {}},
        {[&] { SetWindowTextA(GetDlgItem(ed.hwnd(), IDC_LEVEL), "3"); }, edited, {}},
        {[&] { ed.Command(IDM_RESET); }, open, {}},
        {[&] { ed.Command(IDM_SKILLS_FULL), ed.Command(IDM_RESTART); }, edited, {IDM_SKILLS_FULL, IDM_RESTART}},
        {[&] { ed.Command(IDM_SKILLS_NONE), ed.Command(IDM_COMPLETE); }, edited, {IDM_SKILLS_NONE, IDM_COMPLETE}},
        {[&] { ed.Command(IDM_MAXGOLD), ed.Command(IDM_COMPLETE); }, edited, {IDM_SKILLS_NONE, IDM_MAXGOLD}},
        {[&] { ed.Type(IDC_LEVEL, "4"), ed.Command(IDCANCEL); }, open, {}},
        {[&] { ed.Command(IDCANCEL); }, {IDM_LOAD, IDM_DELETE}, {}},
        {[&] { ed.Command(IDCANCEL); }, {}, {}},
        {[&] { ed.Select("Newer.d2s"); }, {IDM_SAVEAS, IDM_CLOSE, IDM_DELETE}, {}},
        {[&] { ed.Command(IDM_CLOSE), ed.Select("old", true); }, {IDM_SAVEFOLDER}, {}}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].act();
        EXPECT_EQ(rows[i].enabled, ed.EnabledItems(managed)) << "row " << i;
        Ids checked;
        for (int id : managed)
            if (ed.Checked(id)) checked.push_back(id);
        EXPECT_EQ(rows[i].checked, checked) << "row " << i;
    }
    EXPECT_EQ(NewSave("Rogar", 4), ReadFileBytes(dir / "Rogar.d2s"));
}
