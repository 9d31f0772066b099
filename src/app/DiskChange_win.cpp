// The open file written by another program (the game) while the editor was in the
// background. Saving the window's edits over it unasked would lose that version, so the
// user is told and chooses; if the edits win, the version on disk becomes the backup.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/App_win.h"
#include "app/Commands_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocError.h"
#include "doc/DocSave.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "support/Lang_win.h"
#include "support/mb.h"
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

}  // namespace

DiskChange SettleDiskChange(cAppData& ad) {
    if (!ViewFileWritable(ad)) return DiskChange::None;
    const std::string name = ad.filename.cstr();
    if (!changedOnDisk(ad, name.c_str())) return DiskChange::None;
    ViewGetData(ad);
    if (!UnsavedEdits(ad)) return DiskChange::Settled;
    if (mb2(ad, title, Tr(IDS_ASK_DISK_CHANGE, name).c_str()) != IDYES) return DiskChange::Settled;
    // The version on disk becomes the backup; the marks reach only the bytes written.
    SaveChoices how;
    how.backup = Backup::Overwrite;
    const SaveResult r = DocSave(ad, name, how);
    if (r.ok()) return DiskChange::Settled;
    if (r.code == DocError::BackupFailed) {
        mb(Tr(IDS_DISK_BACKUP_FAILED, r.backup).c_str(), ad.hwnd);
    } else if (r.code == DocError::CannotWrite) {
        mb(Tr(IDS_SAVE_FAILED, name).c_str(), ad.hwnd);
    } else {
        mb(DocErrorMessage(r, name).c_str(), ad.hwnd);
    }
    return DiskChange::KeepOpen;
}
