// What the Edit menu's skills, quests and waypoints dialogs share: rows added at run time
// in the dialog's font, the difficulty choice, and the read-only form for files that are
// never written.
#pragma once

#include <windows.h>

#include <string>

class cAppData;

// Adds controls at positions in dialog units; each new one follows the previous one in
// the tab order, the first one follows `after` (HWND_TOP: first of all).
struct RowMaker {
    HWND dlg;
    HWND after;
    HWND Add(const wchar_t* cls, const std::string& text, DWORD style, int id, RECT du);
    HWND Group(const std::string& text, int id, RECT du);
    HWND Label(const std::string& text, int id, RECT du);
    HWND Check(const std::string& text, int id, RECT du, DWORD kind = BS_AUTOCHECKBOX);
    HWND Combo(int id, RECT du);
};

void SetText(HWND w, const std::string& text);  // UTF-8
std::string Text(HWND w);
void AddComboItem(HWND combo, const std::string& text, int data);
// Selects the item whose data is `data`; false when none has it.
bool SelectComboData(HWND combo, int data);
int SelectedComboData(HWND combo);  // -1 without a selection
std::string ActName(int act);       // "Act III", in the window's language

// Fills IDC_DIFFICULTY with Normal, Nightmare and Hell and selects Normal.
void FillDifficulties(HWND dlg);
int SelectedDifficulty(HWND dlg);
// A file that is never written: its values are shown, nothing can be changed or stored.
void MakeReadOnly(HWND dlg);

// The procedure of each dialog: WM_INITDIALOG keeps the state the caller passed and builds
// the rows (init), read-only where the state says so; WM_COMMAND goes to command.
template <class State, void (*init)(HWND, State&), INT_PTR (*command)(HWND, State&, WPARAM)>
INT_PTR CALLBACK EditDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dlg, DWLP_USER, lParam);
        State& s = *reinterpret_cast<State*>(lParam);
        init(dlg, s);
        if (s.readOnly) MakeReadOnly(dlg);
        return TRUE;
    }
    auto* s = reinterpret_cast<State*>(GetWindowLongPtrW(dlg, DWLP_USER));
    return msg == WM_COMMAND && s ? command(dlg, *s, wParam) : FALSE;
}

// The three dialogs, modal over the main window. OK stores the choices into the pending
// edit (ad.edit), applied at the next save; Cancel changes nothing.
void ShowSkillsDialog(cAppData& ad);
void ShowQuestsDialog(cAppData& ad);
void ShowWaypointsDialog(cAppData& ad);
