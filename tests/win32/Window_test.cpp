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

std::string utf8(const wchar_t* text) {
    char out[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// The caption and the texts of the controls of a dialog in the chosen language.
Names dialogTexts(int id) {
    HWND dlg =
        CreateDialogIndirectParamW(GetModuleHandleA(nullptr), LangDialog(id), nullptr, inert, 0);
    wchar_t text[256] = L"";
    GetWindowTextW(dlg, text, 256);
    Names texts = {utf8(text)};
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowTextW(c, text, 256) && text[0] != 0xFFFF) texts.push_back(utf8(text));
    DestroyWindow(dlg);
    return texts;
}

void menuTexts(HMENU menu, Names& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = L"";
        if (GetMenuStringW(menu, i, text, 256, MF_BYPOSITION)) texts.push_back(utf8(text));
        if (HMENU sub = GetSubMenu(menu, i)) menuTexts(sub, texts);
    }
}

bool chinese(const std::string& s) {  // a character of the CJK blocks U+3000 to U+9FFF
    return std::any_of(s.begin(), s.end(), [](char c) {
        const unsigned char b = static_cast<unsigned char>(c);
        return b >= 0xE3 && b <= 0xE9;
    });
}

}  // namespace

// Chinese rows hold the editor's own captions; the English ones hold no Chinese at all,
// and every runtime text exists in both languages.
TEST(Window, EveryDialogMenuAndTextExistsInChineseAndInEnglish) {
    const Names mainZh = {"暗黑破坏神II V1.09 修改器 Ver 1.0.0.1",
                          "等级",
                          "力量",
                          "精力",
                          "敏捷",
                          "活力",
                          "耐力",
                          "生命",
                          "法力",
                          "技能点数",
                          "属性点数",
                          "身上的黄金",
                          "箱中的黄金",
                          "浏览"};
    // clang-format off
    const struct { int dialog; Names zh; } rows[] = {
        {IDD_MAIN, mainZh}, {IDD_MESSAGE, {"修改器提示:", "OK"}}, {IDD_CONFIRM, {"请确认", "确认", "拒绝"}},
        {IDD_SAVECHANGES, {"请确认", "确认", "拒绝", "取消"}}, {IDD_ABOUT, {"关于本修改器...", "主页"}}};
    // clang-format on
    for (const auto& r : rows) {
        LangSet(Lang::Chinese);
        EXPECT_EQ(r.zh, dialogTexts(r.dialog)) << r.dialog;
        LangSet(Lang::English);
        const Names en = dialogTexts(r.dialog);
        EXPECT_EQ(r.zh.size(), en.size()) << r.dialog;
        for (const std::string& t : en) EXPECT_FALSE(chinese(t)) << r.dialog << " " << t;
    }
    Names zh, en;
    LangSet(Lang::Chinese);
    menuTexts(LangMenu(IDM_MAINMENU), zh);
    EXPECT_EQ((Names{"文件",
                     "新的编辑",
                     "新..........\tCtrl+N",
                     "亚马逊",
                     "法师",
                     "巫师",
                     "圣骑士",
                     "野蛮人",
                     "德鲁衣",
                     "刺客",
                     "打开选中的文件",
                     "保存\tCtrl+S",
                     "保存或另存为\tCtrl+Shift+S",
                     "关闭当前文件",
                     "删除\tDel",
                     "回到存档文件夹",
                     "刷新列表\tF5",
                     "默认修改器关联",
                     "取消默认修改器关联",
                     "退出",
                     "编辑",
                     "完成游戏",
                     "重新开始",
                     "总共技能",
                     "所有技能全满",
                     "黄金全满",
                     "设置",
                     "信息",
                     "暗黑破坏神官方网站",
                     "暗黑破坏神爱好者网站",
                     "打开当前文件夹",
                     "开始记录日志",
                     "查看日志",
                     "关于此修改器"}),
              zh);
    LangSet(Lang::English);
    menuTexts(LangMenu(IDM_MAINMENU), en);
    EXPECT_EQ(zh.size(), en.size());
    for (const std::string& t : en) EXPECT_FALSE(chinese(t)) << t;
    for (int id = IDS_SYSMENU_ABOUT; id <= IDS_NOT_A_SAVE; ++id) {
        LangSet(Lang::Chinese);
        EXPECT_NE("", Tr(id)) << id;
        LangSet(Lang::English);
        EXPECT_NE("", Tr(id)) << id;
        EXPECT_FALSE(chinese(Tr(id))) << id;
    }
}
