// Save, Save As, new characters, the closing prompt and Delete, with backups and the
// character's side files.
#pragma once

#include "doc/DocNewbie.h"
#include "doc/DocSave.h"

class cAppData;

// The backup copy of a save file (base name + ".bakvelmor") that the next save makes:
// an existing one is replaced only when the user agrees.
Backup CopyFileA(cAppData& ad, const char* file);
void OnSaveFile(cAppData& ad);
void OnSaveFileAs(cAppData& ad);
void OnSaveNewFileAs(cAppData& ad, const int& command);
// A new character for a newer game, as that game writes it at creation (DocNewbie.h), made
// now and opened read-only.
void OnSaveNewbieAs(cAppData& ad, NewbieChoice choice);
// Offers to save unsaved edits; false when the user went back to the edits (Cancel) or
// chose to save and the save did not happen: the caller keeps the file open with its edits.
bool OnCloseFile(cAppData& ad);
// Moves the selected save with its side files, or the selected backup, to the Recycle Bin.
void OnFileDelete(cAppData& ad);
