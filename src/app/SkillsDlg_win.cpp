// The skills dialog: the character's 30 skills in their three trees, a number field each.
#include <windows.h>

#include <string>

#include "app/EditDlg_win.h"
#include "core/AppData.h"
#include "doc/Limits.h"
#include "doc/Progress.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "view/View.h"

namespace {

const int kMaxPoints = 20;  // the most a point can be spent to in play

struct SkillsDlg {
    cAppData& ad;
    int charClass;
    bool readOnly;
    // Each field's text and value as the dialog opened; -1 where the file has no skills.
    std::string opened[kSkillCount];
    int openedValue[kSkillCount];
};

// The field's value: as opened when untouched (a stored value above the limit stays),
// otherwise the typed number within 0-20.
int fieldValue(HWND dlg, const SkillsDlg& s, int i) {
    const std::string text = Text(GetDlgItem(dlg, IDC_SKILL + i));
    return text == s.opened[i] ? s.openedValue[i] : FitNumber(text.c_str(), 0, kMaxPoints);
}

void addRows(HWND dlg, SkillsDlg& s) {
    RowMaker rows{dlg, HWND_TOP};
    for (int tree = 0; tree < 3; ++tree) {
        const int x = 5 + tree * 130;
        rows.Group(SkillTreeName(s.charClass, tree), IDC_SKILL_TREE + tree, {x, 4, 125, 172});
        int row = 0;
        for (int i = 0; i < kSkillCount; ++i) {
            const SkillInfo skill = SkillOf(s.charClass, i);
            if (skill.tree != tree) continue;
            const int y = 17 + row++ * 15;
            rows.Label(skill.name, IDC_SKILL_LABEL + i, {x + 6, y + 2, 86, 10});
            const int pending = s.ad.edit.skills[i];
            const int value = pending >= 0 ? pending : DocSkill(s.ad, i);
            s.openedValue[i] = value;
            s.opened[i] = value >= 0 ? std::to_string(value) : "";
            HWND edit = rows.Add(L"Edit", s.opened[i], ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP,
                                 IDC_SKILL + i, {x + 96, y, 24, 12});
            if (value < 0) EnableWindow(edit, FALSE);
        }
    }
}

void store(HWND dlg, SkillsDlg& s) {
    for (int i = 0; i < kSkillCount; ++i) {
        const int stored = DocSkill(s.ad, i), value = fieldValue(dlg, s, i);
        if (stored >= 0) s.ad.edit.skills[i] = static_cast<short>(value == stored ? -1 : value);
    }
}

INT_PTR onCommand(HWND dlg, SkillsDlg& s, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id >= IDC_SKILL && id < IDC_SKILL + kSkillCount && HIWORD(wParam) == EN_KILLFOCUS) {
        // Leaving a field keeps it within the limits, as the main window's fields do.
        const int i = id - IDC_SKILL;
        if (Text(GetDlgItem(dlg, id)) != s.opened[i])
            SetText(GetDlgItem(dlg, id), std::to_string(fieldValue(dlg, s, i)));
        return TRUE;
    }
    if (id == IDOK && !s.readOnly) store(dlg, s);
    if (id == IDOK || id == IDCANCEL) EndDialog(dlg, id);
    return TRUE;
}

void init(HWND dlg, SkillsDlg& s) { addRows(dlg, s); }

}  // namespace

void ShowSkillsDialog(cAppData& ad) {
    SkillsDlg s{ad, ad.player.charClass, !ViewFileWritable(ad), {}, {}};
    LangDialogBox(IDD_SKILLS, ad.hwnd, EditDialogProc<SkillsDlg, init, onCommand>,
                  reinterpret_cast<LPARAM>(&s));
}
