// The open file written by another program (the game) while the editor was in the
// background. Saving the window's edits over it unasked would lose that version, so the
// user is told and chooses; if the edits win, the version on disk becomes the backup.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/AppData.h"
#include "app/App_win.h"
#include "app/Commands_win.h"
#include "app/Constants.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "support/File.h"
#include "support/Paths.h"
#include "support/mb.h"
#include "view/Fields.h"
#include "view/View.h"

namespace {

// The file's bytes differ from the document as loaded; a missing file is left to the
// closing question, which offers to restore it.
bool changedOnDisk(const cAppData& ad, const char* name) {
    std::FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    std::vector<unsigned char> bytes(MAX_FILE_SIZE + 1);
    const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return n != ad.length || std::memcmp(bytes.data(), ad.data, n) != 0;
}

std::string text(const char* fmt, const std::string& name) {
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, name.c_str());
    return buf;
}

}  // namespace

DiskChange SettleDiskChange(cAppData& ad) {
    if (!ViewFileWritable(ad)) return DiskChange::None;
    const std::string name = ad.filename.cstr();
    if (!changedOnDisk(ad, name.c_str())) return DiskChange::None;
    ViewGetData(ad);
    if (!UnsavedEdits(ad)) return DiskChange::Settled;
    const char* question =
        "%s was changed on disk while Velmor was in the background.\n"
        "Save your changes over it? The version on disk becomes the backup.";
    if (mb2(ad, title, text(question, name).c_str()) != IDYES) return DiskChange::Settled;
    char backup[MAX_PATH];
    std::snprintf(backup, sizeof backup, "%s", name.c_str());
    delExt(backup);
    const std::string backupName = std::string(backup) + "." + backupext;
    if (!FileCopyAtomic(name.c_str(), backupName.c_str(), MAX_FILE_SIZE)) {
        mb(text("Could not keep the version on disk as %s!\nNothing was saved.", backupName)
               .c_str(),
           ad.hwnd);
        return DiskChange::KeepOpen;
    }
    DocSetData(ad);
    if (DocSaveFile(ad, name.c_str())) return DiskChange::Settled;
    mb(text("Could not save %s!\nThe file on disk is unchanged.", name).c_str(), ad.hwnd);
    return DiskChange::KeepOpen;
}
