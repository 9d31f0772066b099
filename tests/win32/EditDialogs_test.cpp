// The Edit menu's skills, quests and waypoints dialogs: what they store is a pending edit
// like the fields, written by the next save at the places the game reads.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Harness.h"
#include "res/resource.h"

using Ids = std::vector<int>;

namespace {

// Opens an Edit menu dialog, lets drive() work its controls, then presses the button.
void inDialog(Editor& ed, int command, const std::function<void(HWND)>& drive, int button = IDOK) {
    ed.Expect(Answer([=](HWND dlg) {
        drive(dlg);
        PostMessageA(dlg, WM_COMMAND, button, 0);
    }));
    ed.Command(command);
}

// A click as the control reports it: a check box changes its mark first.
void click(HWND dlg, int id) {
    HWND box = GetDlgItem(dlg, id);
    ASSERT_TRUE(box) << id;
    if ((GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
        CheckDlgButton(dlg, id, IsDlgButtonChecked(dlg, id) ? BST_UNCHECKED : BST_CHECKED);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

// Chooses the combo box's entry that begins with the text.
void choose(HWND dlg, int id, const char* text) {
    HWND combo = GetDlgItem(dlg, id);
    ASSERT_NE(CB_ERR, SendMessageA(combo, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(text)))
        << id << " " << text;
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void type(HWND dlg, int id, const char* text) {
    SetDlgItemTextA(dlg, id, text);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

std::string text(HWND dlg, int id) {
    char t[64] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

unsigned skillsAt(const Bytes& b) {  // the 30 bytes between "if" and the items' "JM"
    for (unsigned i = 0; i + 34 < b.size(); ++i)
        if (b[i] == 'i' && b[i + 1] == 'f' && b[i + 32] == 'J' && b[i + 33] == 'M') return i + 2;
    return 0;
}

}  // namespace

// Rows: a sample of each format, the offsets of its Normal quest and waypoint blocks and
// of its progression byte, and the progression chosen. Each dialog changes a few values;
// the saved file differs from the sample in those bytes (and the checksum) only.
TEST(EditDialogs, EveryFormatSavesTheDialogsChoicesWhereTheGameReadsThem) {
    // clang-format off
    const struct { const char* file; unsigned quests, waypoints, progression; const char* chosen; int value; } rows[] = {
        {"d2v107.d2s", 140, 436, 25, "5:", 5}, {"d2v108.d2s", 140, 436, 25, "5:", 5},
        {"d2v109b.d2s", 345, 641, 37, "5:", 5}, {"d2v110f.d2s", 345, 641, 37, "15:", 15},
        {"97_Barb_hp3.d2s", 345, 641, 37, "10:", 10}, {"98_Agelatus.d2s", 345, 641, 37, "15:", 15},
        {"99_Wilhelm.d2s", 345, 641, 37, "5:", 5}, {"105_Warlock.d2s", 413, 709, 21, "5:", 5}};
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const Bytes sample = Sample(r.file);
        TempFolder dir;
        WriteBytes(dir / r.file, sample);
        Editor ed("", Lang::English);
        ed.Select(r.file);
        const unsigned skills = skillsAt(sample), sisters = r.quests + 96 + 4,
                       cain = r.quests + 96 + 8;
        ASSERT_NE(0u, skills);
        const int points = sample[skills + 1] == 5 ? 6 : 5;
        inDialog(ed, IDM_SKILLS_DIALOG, [&](HWND dlg) {
            type(dlg, IDC_SKILL + 1, std::to_string(points).c_str());
            type(dlg, IDC_SKILL + 2, "99");
            EXPECT_EQ("20", text(dlg, IDC_SKILL + 2));
        });
        // Reopened, a dialog shows the pending choices (Cancel keeps them as they are); a
        // skill can be cleared.
        inDialog(ed, IDM_SKILLS_DIALOG, [&](HWND dlg) {
            EXPECT_EQ(std::to_string(points), text(dlg, IDC_SKILL + 1));
            type(dlg, IDC_SKILL + 2, "0");
        });
        const bool sistersDone = sample[sisters] & 1;
        const auto questsDriven = [&](HWND dlg) {
            choose(dlg, IDC_DIFFICULTY, "Nightmare");
            choose(dlg, IDC_QUEST + 2, sistersDone ? "Not started" : "Done");
            choose(dlg, IDC_QUEST + 1, "Reward waiting");  // Den of Evil: Akara hands it out
            click(dlg, IDC_QUEST_EXTRA);                   // the Cow King
            choose(dlg, IDC_PROGRESSION, r.chosen);
            choose(dlg, IDC_DIFFICULTY, "Hell");  // Nightmare's choices are kept meanwhile
        };
        inDialog(ed, IDM_QUESTS_DIALOG, questsDriven);
        inDialog(
            ed, IDM_QUESTS_DIALOG,
            [&](HWND dlg) {
                choose(dlg, IDC_DIFFICULTY, "Nightmare");
                EXPECT_EQ(sistersDone ? "Not started" : "Done", text(dlg, IDC_QUEST + 2));
                click(dlg, IDC_QUEST_EXTRA);
            },
            IDCANCEL);
        inDialog(ed, IDM_WAYPOINTS_DIALOG, [&](HWND dlg) {
            choose(dlg, IDC_DIFFICULTY, "Hell");
            EXPECT_NE(std::string::npos, text(dlg, IDC_WAYPOINT + 35).find("Anya's portal"));
            click(dlg, IDC_WAYPOINT + 35);  // the Halls of Pain
            choose(dlg, IDC_DIFFICULTY, "Normal");
            click(dlg, IDC_WAYPOINT_ACT);  // the whole of act I
        });
        ed.Command(IDM_SAVE);
        Bytes expected = sample;
        expected[skills + 1] = static_cast<unsigned char>(points);
        expected[skills + 2] = 0;  // 20 first, then cleared
        // Done: reward collected in a previous game; act I's guide has spoken by then.
        Put16(expected, sisters, sistersDone ? 0 : 0x8001);
        if (!sistersDone) expected[sisters - 4] |= 1;
        if ((sample[sisters - 2] & 3) != 2)
            Put16(expected, sisters - 2, 0x8006), expected[sisters - 4] |= 1;
        expected[cain + 1] ^= 0x04;  // bit 10
        expected[r.progression] = static_cast<unsigned char>(r.value);
        expected[r.waypoints + 48 + 2 + 4] ^= 0x08;  // bit 35 of Hell's block
        const bool act1 = expected[r.waypoints + 2] == 0xFF && (expected[r.waypoints + 3] & 1);
        expected[r.waypoints + 2] = act1 ? 0x01 : 0xFF;  // bits 1-8, bit 0 always on
        expected[r.waypoints + 3] = (expected[r.waypoints + 3] & ~1) | !act1;
        EXPECT_EQ(r.quests == 140 ? expected : Sealed(expected), ReadBytes(dir / r.file));
    }
}

// Rows: a dialog and a change in it. OK makes it an unsaved edit, which Escape takes back
// and closing asks about; Cancel changes nothing; a backup's dialog stores nothing.
TEST(EditDialogs, ADialogsEditIsUndoneByEscapeAndAskedAboutOnClosing) {
    // clang-format off
    const struct { int command; std::function<void(HWND)> change; } rows[] = {
        {IDM_SKILLS_DIALOG, [](HWND dlg) { type(dlg, IDC_SKILL + 29, "7"); }},
        {IDM_QUESTS_DIALOG, [](HWND dlg) { choose(dlg, IDC_QUEST + 1, "Done"); }},
        {IDM_WAYPOINTS_DIALOG, [](HWND dlg) { choose(dlg, IDC_DIFFICULTY, "Hell"), click(dlg, IDC_WAYPOINT + 38); }}};
    // clang-format on
    const Bytes rogar = NewSave("Rogar", 5);
    for (const auto& r : rows) {
        TempFolder dir;
        WriteBytes(dir / "Rogar.d2s", rogar);
        WriteBytes(dir / "Rogar.bakvelmor", rogar);
        Editor ed("", Lang::English);
        ed.Select("Rogar.bakvelmor");
        EXPECT_EQ(Ids{r.command}, ed.MenuItems({r.command}, MF_GRAYED, false));
        inDialog(ed, r.command, [&](HWND dlg) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDOK)));
            // Every difficulty can still be looked at.
            EXPECT_EQ(r.command != IDM_SKILLS_DIALOG,
                      IsWindowEnabled(GetDlgItem(dlg, IDC_DIFFICULTY)));
            r.change(dlg);
        });
        ed.Select("Rogar.d2s");  // the backup had nothing to ask about
        for (int button : {IDCANCEL, IDOK}) inDialog(ed, r.command, r.change, button);
        EXPECT_EQ(Ids{IDM_SAVE}, ed.MenuItems({IDM_SAVE}, MF_GRAYED, false));
        ed.Command(IDCANCEL);  // Escape
        EXPECT_EQ(Ids{}, ed.MenuItems({IDM_SAVE}, MF_GRAYED, false));
        inDialog(ed, r.command, r.change);
        ed.shown.clear();
        ed.Expect({Answer::No});
        ed.Close();
        EXPECT_EQ(Names{kTitle + "|Save the changes to Rogar.d2s?"}, ed.shown);
        EXPECT_EQ(rogar, ReadBytes(dir / "Rogar.d2s"));
    }
}
