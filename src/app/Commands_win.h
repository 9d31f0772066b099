// The main window's command table and menu rules.
#pragma once

#include <windows.h>

#include <string>

class cAppData;

// Runs the command; false for an ID the table does not hold or a list notification it
// ignores.
bool OnCommand(cAppData& ad, int id, int code);
// Grays the managed menu-bar items and enables those that apply now.
void PrepareMenuBar(cAppData& ad);
// The file list's context menu for a right click at a screen point packed in lParam.
void OnListContextMenu(cAppData& ad, LPARAM point);
// The window's values differ from the file's, or a pending operation is checked.
bool UnsavedEdits(cAppData& ad);
// The selected list entry differs from the open file's name.
bool SelectionIsNotOpen(cAppData& ad);
// A file or folder dropped on the window: a save or backup opens as if selected in the
// list (after the closing question), a folder is entered.
void OnDropPath(cAppData& ad, const std::string& path);
