// The waypoints dialog: per difficulty, each waypoint by name, grouped by act, with a
// whole-act switch.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/EditDlg_win.h"
#include "core/AppData.h"
#include "doc/Progress.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "view/View.h"

namespace {

struct WaypointsDlg {
    cAppData& ad;
    bool readOnly;
    CharEdit work;
    int difficulty;
    int count;  // waypoints of the character: 39, or 30 for a classic one
};

int actEnd(const WaypointsDlg& s, int act) { return std::min(WaypointActStart(act + 2), s.count); }

// Acts I-III side by side, then IV and a wider V (for the Halls of Pain's warning).
RECT groupRect(int act, int rows) {
    const int height = 28 + rows * 12;
    if (act < 3) return {5 + act * 130, 22, 125, height};
    return {act == 3 ? 5 : 135, 162, act == 3 ? 125 : 260, height};
}

void addRows(HWND dlg, const WaypointsDlg& s) {
    RowMaker rows{dlg, GetDlgItem(dlg, IDC_DIFFICULTY)};
    for (int act = 0; act < 5 && WaypointActStart(act + 1) < s.count; ++act) {
        const RECT g = groupRect(act, actEnd(s, act) - WaypointActStart(act + 1));
        rows.Group(ActName(act + 1), IDC_WAYPOINT_GROUP + act, g);
        rows.Check(Tr(IDS_WHOLE_ACT), IDC_WAYPOINT_ACT + act, {g.left + 6, g.top + 11, 100, 11},
                   BS_3STATE);
        for (int i = WaypointActStart(act + 1); i < actEnd(s, act); ++i) {
            std::string name = WaypointName(i);
            if (i == kHallsOfPain) name += Tr(IDS_HALLS_OF_PAIN);
            const int y = g.top + 24 + (i - WaypointActStart(act + 1)) * 12;
            HWND box = rows.Check(name, IDC_WAYPOINT + i, {g.left + 12, y, g.right - 16, 11});
            if (i == 0) EnableWindow(box, FALSE);  // the game switches it on at every load
        }
    }
}

bool checked(HWND dlg, int i) { return IsDlgButtonChecked(dlg, IDC_WAYPOINT + i) == BST_CHECKED; }

// Each act's switch: on when all its waypoints are, mixed when some are.
void showActs(HWND dlg, const WaypointsDlg& s) {
    for (int act = 0; act < 5 && WaypointActStart(act + 1) < s.count; ++act) {
        int on = 0;
        for (int i = WaypointActStart(act + 1); i < actEnd(s, act); ++i) on += checked(dlg, i);
        const int all = actEnd(s, act) - WaypointActStart(act + 1);
        CheckDlgButton(dlg, IDC_WAYPOINT_ACT + act,
                       on == all ? BST_CHECKED
                       : on == 0 ? BST_UNCHECKED
                                 : BST_INDETERMINATE);
    }
}

void show(HWND dlg, const WaypointsDlg& s) {
    const int d = s.difficulty;
    for (int i = 0; i < s.count; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        const bool on = i == 0 || (s.work.waypointsOn[d] & bit) ||
                        (!(s.work.waypointsOff[d] & bit) && DocWaypoint(s.ad, d, i));
        CheckDlgButton(dlg, IDC_WAYPOINT + i, on ? BST_CHECKED : BST_UNCHECKED);
    }
    showActs(dlg, s);
}

// A box that differs from the file becomes a bit to switch on or off; the first waypoint
// is the game's and never an edit.
void take(HWND dlg, WaypointsDlg& s) {
    const int d = s.difficulty;
    for (int i = 1; i < s.count; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        const bool on = checked(dlg, i);
        s.work.waypointsOn[d] &= ~bit;
        s.work.waypointsOff[d] &= ~bit;
        if (on != DocWaypoint(s.ad, d, i))
            (on ? s.work.waypointsOn : s.work.waypointsOff)[d] |= bit;
    }
}

void switchAct(HWND dlg, const WaypointsDlg& s, int act) {
    const bool on = IsDlgButtonChecked(dlg, IDC_WAYPOINT_ACT + act) != BST_CHECKED;
    for (int i = std::max(WaypointActStart(act + 1), 1); i < actEnd(s, act); ++i)
        CheckDlgButton(dlg, IDC_WAYPOINT + i, on ? BST_CHECKED : BST_UNCHECKED);
    showActs(dlg, s);
}

INT_PTR onCommand(HWND dlg, WaypointsDlg& s, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (id >= IDC_WAYPOINT_ACT && id < IDC_WAYPOINT_ACT + 5) {
        switchAct(dlg, s, id - IDC_WAYPOINT_ACT);
    } else if (id >= IDC_WAYPOINT && id < IDC_WAYPOINT + kWaypointCount) {
        showActs(dlg, s);
    } else if (id == IDC_DIFFICULTY && HIWORD(wParam) == CBN_SELCHANGE) {
        take(dlg, s);
        s.difficulty = SelectedDifficulty(dlg);
        show(dlg, s);
    } else if (id == IDOK || id == IDCANCEL) {
        if (id == IDOK && !s.readOnly) {
            take(dlg, s);
            s.ad.edit = s.work;
        }
        EndDialog(dlg, id);
    } else {
        return FALSE;
    }
    return TRUE;
}

void init(HWND dlg, WaypointsDlg& s) {
    FillDifficulties(dlg);
    addRows(dlg, s);
    show(dlg, s);
}

}  // namespace

void ShowWaypointsDialog(cAppData& ad) {
    WaypointsDlg s{ad, !ViewFileWritable(ad), ad.edit, 0, WaypointCount(ad)};
    LangDialogBox(IDD_WAYPOINTS, ad.hwnd, EditDialogProc<WaypointsDlg, init, onCommand>,
                  reinterpret_cast<LPARAM>(&s));
}
