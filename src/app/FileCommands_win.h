// Save, Save As, new characters, the closing prompt and Delete, with backups and the
// character's side files.
#pragma once

class cAppData;

// Backup copy of a save file: base name + ".bakvelmor".
void CopyFileA(cAppData& ad, const char* file);
// One side file of Save As: source path's base name + ext copied to the destination's.
void CopyFileA(cAppData& ad, const char* dest, const char* source, const char* ext);
// One side file of Delete; name is a buffer of at least 64 characters, rewritten in place.
void DeleteFileA(cAppData& ad, char* name, const char* ext);
void OnSaveFile(cAppData& ad);
void OnSaveFileAs(cAppData& ad);
void OnSaveNewFileAs(cAppData& ad, const int& command);
void OnCloseFile(cAppData& ad);
void OnFileDelete(cAppData& ad);
