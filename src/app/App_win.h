// Globals and helpers of the Windows program.
#pragma once

#include <windows.h>

#include "support/Instance_win.h"

class cAppData;

INT_PTR CALLBACK MainDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void OnInitApp(cAppData& ad);
void TrackPopUp(cAppData& ad, const POINT& point);

// The closing question (dialog 120): IDYES save, IDNO discard, IDCANCEL back to the edits.
int AskSaveChanges(cAppData& ad, const char* question);

// Confirmation dialog 106: 6 for yes, 7 for no.
INT_PTR CALLBACK DelDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
int mb2(cAppData& ad, const char* caption, const char* question);

// The open file as another program may have left it while the editor was in the background.
enum class DiskChange {
    None,      // still the file as loaded: the usual closing question applies
    Settled,   // changed; the user has chosen, the file may be closed and read again
    KeepOpen,  // the chosen save failed: the window keeps the edits
};
DiskChange SettleDiskChange(cAppData& ad);

// Opens a web address, a folder or a file with the shell's default verb.
void ShellOpen(const char* target);

// The About box, modal over the main window.
INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void ShowAbout(cAppData& ad);

// Registration and the game's save folder.
bool RegSet(cAppData& ad);
void RegisterApp(cAppData& ad);
void UnregisterApp(cAppData& ad);
void GetInitialDir(cAppData& ad);
