// The one save operation of the window's file commands and of velmor-cli.
#pragma once

#include <string>
#include <vector>

#include "doc/DocError.h"

class cDocument;

// A character's side files, which share its base name and follow it on Save As.
const int kSideFileCount = 7;
extern const char* const kSideFiles[kSideFileCount];

enum class Backup { Keep, Overwrite, Skip };

struct SaveChoices {
    // An in-place save first copies the file to its backup: a backup that exists already is
    // kept or overwritten; Skip makes none.
    Backup backup = Backup::Keep;
    // Write player and the pending menu marks into the bytes (DocSetData); otherwise the
    // bytes are written as loaded.
    bool encode = true;
    // The target is a new name for the character (Save As, new characters): the character
    // takes its name, and an existing target is replaced only when allowed, after its own
    // backup by the rule above. A target that is the source file itself is an in-place save.
    bool saveAs = false;
    bool replace = false;
    // Save As: the file whose side files are copied along; none when empty.
    std::string source;
    // The document is a newbie file just made (DocNewbie.h): the header alone is the whole
    // file the game expects, so it is written although an opened one is read-only.
    bool newbie = false;
};

struct SaveResult : DocResult {
    std::string backup;  // the backup's name, when the replaced file has one (made or kept)
    bool backupMade = false, backupKept = false;
    std::vector<std::string> warnings;  // side files that could not be copied
};

// The backup's name for a save file: base name + "." + backupext, in the file's folder.
std::string DocBackupName(const std::string& file);

// Writes the document to target. The pending operations and the character's name are
// applied to a copy of the bytes, so the document stays as loaded whatever the outcome:
// nothing is written unless every check passes, and a failed write leaves the target,
// its backup and the folder as they were.
SaveResult DocSave(cDocument& ad, const std::string& target, const SaveChoices& how);
