// The quests dialog: per difficulty, each quest's state and the named extra states, and
// the character's progression.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/EditDlg_win.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/Progress.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "view/View.h"

namespace {

const int kExtraTexts[kQuestExtraCount] = {IDS_EXTRA_COWKING, IDS_EXTRA_SCROLL,
                                           IDS_EXTRA_AKARA_AVAILABLE, IDS_EXTRA_AKARA_USED};

struct QuestsDlg {
    cAppData& ad;
    bool readOnly;
    CharEdit work;   // the pending edit as the dialog changes it
    int difficulty;  // the one the rows show
};

std::string formatted(int id, const std::string& a, const std::string& b) {
    char text[256];
    std::snprintf(text, sizeof text, Tr(id).c_str(), a.c_str(), b.c_str());
    return text;
}

// "5: Normal finished", "7: Nightmare, act II done".
std::string progressionText(const cAppData& ad, int value) {
    const int acts = DocEdition(ad) >= EDITION_EXPANSION ? 5 : 4, difficulty = value / acts,
              act = value % acts;
    const int names[] = {IDS_DIFFICULTY_NORMAL, IDS_DIFFICULTY_NIGHTMARE, IDS_DIFFICULTY_HELL};
    std::string text = std::to_string(value) + ": ";
    if (value == 0) return text + Tr(IDS_PROGRESS_NONE);
    if (act == 0) return text + Tr(IDS_PROGRESS_DIFFICULTY, Tr(names[difficulty - 1]));
    if (difficulty > 2) return text;
    static const char* const roman[] = {"", "I", "II", "III", "IV"};
    return text + formatted(IDS_PROGRESS_ACT, Tr(names[difficulty]), roman[act]);
}

int questsOfAct(int act) {
    int count = 0;
    for (int i = 0; i < QuestCount(); ++i) count += QuestAt(i).act == act;
    return count;
}

// One group per act, three to a row, a name and a state choice per quest.
void addQuestRows(RowMaker& rows, const cAppData& ad) {
    int row = 0;
    for (int i = 0; i < QuestCount(); ++i) {
        const QuestInfo& q = QuestAt(i);
        if (!QuestOffered(ad, i)) continue;
        if (i == 0 || QuestAt(i - 1).act != q.act) row = 0;
        const int x = 5 + (q.act - 1) % 3 * 190, y = 22 + (q.act - 1) / 3 * 104;
        if (row == 0)
            rows.Group(ActName(q.act), IDC_QUEST_ACT + q.act - 1,
                       {x, y, 185, questsOfAct(q.act) * 14 + 16});
        const std::string reward = *q.reward ? std::string(" (") + q.reward + ")" : "";
        rows.Label(q.name + reward, IDC_QUEST_LABEL + q.word, {x + 6, y + 15 + row * 14, 108, 10});
        rows.Combo(IDC_QUEST + q.word, {x + 116, y + 13 + row * 14, 64, 60});
        ++row;
    }
}

// The extra states that the game which wrote the file uses.
void addExtraRows(RowMaker& rows, const cAppData& ad) {
    int count = 0;
    for (int e = 0; e < kQuestExtraCount; ++e) count += QuestExtraOffered(ad, QuestExtra(e));
    rows.Group("", IDC_EXTRAS_GROUP, {385, 126, 185, count * 14 + 10});
    for (int e = 0, row = 0; e < kQuestExtraCount; ++e)
        if (QuestExtraOffered(ad, QuestExtra(e)))
            rows.Check(Tr(kExtraTexts[e]), IDC_QUEST_EXTRA + e, {391, 135 + row++ * 14, 176, 12});
}

void fillProgression(HWND dlg, const QuestsDlg& s) {
    HWND combo = GetDlgItem(dlg, IDC_PROGRESSION);
    const int stored = DocProgression(s.ad);
    const int shown = s.work.progression >= 0 ? s.work.progression : stored;
    // The values the game writes, and the stored one whatever it is, so that it shows.
    for (int v = 0; v < 256; ++v)
        if (ProgressionAllowed(s.ad, v) || v == stored)
            AddComboItem(combo, progressionText(s.ad, v), v);
    SelectComboData(combo, shown);
}

// The rows show one difficulty: the pending state where there is one, else the stored one.
void show(HWND dlg, QuestsDlg& s) {
    const int d = s.difficulty;
    for (int i = 0; i < QuestCount(); ++i) {
        const QuestInfo& q = QuestAt(i);
        HWND combo = GetDlgItem(dlg, IDC_QUEST + q.word);
        if (!combo) continue;
        const QuestState pending = s.work.quests[d][q.word];
        const QuestState state =
            pending != QuestState::Keep ? pending : DocQuestState(s.ad, d, q.word);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        AddComboItem(combo, Tr(IDS_QUEST_NONE), static_cast<int>(QuestState::None));
        if (q.waiting || state == QuestState::Waiting)
            AddComboItem(combo, Tr(IDS_QUEST_WAITING), static_cast<int>(QuestState::Waiting));
        AddComboItem(combo, Tr(IDS_QUEST_DONE), static_cast<int>(QuestState::Done));
        SelectComboData(combo, static_cast<int>(state));
    }
    for (int e = 0; e < kQuestExtraCount; ++e) {
        if (!GetDlgItem(dlg, IDC_QUEST_EXTRA + e)) continue;
        const Flag pending = s.work.extras[d][e];
        const bool on =
            pending != Flag::Keep ? pending == Flag::On : DocQuestExtra(s.ad, d, QuestExtra(e));
        CheckDlgButton(dlg, IDC_QUEST_EXTRA + e, on ? BST_CHECKED : BST_UNCHECKED);
    }
}

// What the rows show becomes the pending edit of their difficulty; a choice equal to the
// stored state is no edit.
void take(HWND dlg, QuestsDlg& s) {
    const int d = s.difficulty;
    for (int w = 0; w < kQuestWordCount; ++w) {
        HWND combo = GetDlgItem(dlg, IDC_QUEST + w);
        if (!combo) continue;
        const QuestState state = static_cast<QuestState>(SelectedComboData(combo));
        s.work.quests[d][w] = state == DocQuestState(s.ad, d, w) ? QuestState::Keep : state;
    }
    for (int e = 0; e < kQuestExtraCount; ++e) {
        if (!GetDlgItem(dlg, IDC_QUEST_EXTRA + e)) continue;
        const bool on = IsDlgButtonChecked(dlg, IDC_QUEST_EXTRA + e) == BST_CHECKED;
        s.work.extras[d][e] = on == DocQuestExtra(s.ad, d, QuestExtra(e)) ? Flag::Keep
                              : on                                        ? Flag::On
                                                                          : Flag::Off;
    }
    const int progression = SelectedComboData(GetDlgItem(dlg, IDC_PROGRESSION));
    s.work.progression = progression == DocProgression(s.ad) ? -1 : progression;
}

INT_PTR onCommand(HWND dlg, QuestsDlg& s, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDC_DIFFICULTY:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                take(dlg, s);
                s.difficulty = SelectedDifficulty(dlg);
                show(dlg, s);
            }
            return TRUE;
        case IDOK:
            if (!s.readOnly) {
                take(dlg, s);
                s.ad.edit = s.work;
            }
            EndDialog(dlg, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

void init(HWND dlg, QuestsDlg& s) {
    FillDifficulties(dlg);
    fillProgression(dlg, s);
    RowMaker rows{dlg, GetDlgItem(dlg, IDC_PROGRESSION)};
    addQuestRows(rows, s.ad);
    addExtraRows(rows, s.ad);
    show(dlg, s);
}

}  // namespace

void ShowQuestsDialog(cAppData& ad) {
    QuestsDlg s{ad, !ViewFileWritable(ad), ad.edit, 0};
    LangDialogBox(IDD_QUESTS, ad.hwnd, EditDialogProc<QuestsDlg, init, onCommand>,
                  reinterpret_cast<LPARAM>(&s));
}
