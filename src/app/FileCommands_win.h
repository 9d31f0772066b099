// Save, Save As, new characters, the closing prompt and Delete, with backups and the
// character's side files.
#pragma once

#include "doc/DocSave.h"

class cAppData;

// The backup copy of a save file (base name + ".bakvelmor") that the next save makes:
// an existing one is replaced only when the user agrees.
Backup CopyFileA(cAppData& ad, const char* file);
// One side file of Delete; name is a buffer of at least 64 characters, rewritten in place.
void DeleteFileA(cAppData& ad, char* name, const char* ext);
void OnSaveFile(cAppData& ad);
void OnSaveFileAs(cAppData& ad);
void OnSaveNewFileAs(cAppData& ad, const int& command);
// Offers to save unsaved edits; false when the user chose to save and the save did not
// happen, so that the caller keeps the file open with its edits.
bool OnCloseFile(cAppData& ad);
void OnFileDelete(cAppData& ad);
