#include "app/FileCommands_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/AppData.h"
#include "app/App_win.h"
#include "app/Commands_win.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocError.h"
#include "doc/DocSave.h"
#include "res/resource.h"
#include "support/File.h"
#include "support/FileDialog_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/mb.h"
#include "view/Fields.h"
#include "view/View.h"

namespace {

// Tells the user why a save refused, in the words of the check that refused it.
void report(cAppData& ad, const SaveResult& r, const std::string& name) {
    if (r.code == DocError::NameRefused || r.code == DocError::NotWritable) {
        mb(r.detail.c_str(), ad.hwnd);
    } else if (r.code == DocError::CannotWrite) {
        mb(format("Could not save %s!\nThe file on disk is unchanged.", name).c_str(), ad.hwnd);
    } else {
        mb(DocErrorMessage(r, name).c_str(), ad.hwnd);
    }
}

// Selects the entry, listing the folder anew when it is missing: another program may
// have deleted the file meanwhile, and the list must not point anywhere else.
void selectListed(cAppData& ad, const char* name) {
    if (ViewListSetSelFile(ad, name)) return;
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, name);
}

void refreshList(cAppData& ad) {
    char selected[64];
    ViewListGetSelFile(ad, selected);
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, selected);
}

// Saves the open character in place with its backup copy. A backup that cannot be made
// stops the save unless the user agrees to save without one, as velmor-cli does.
bool saveInPlace(cAppData& ad, const std::string& name, const bool& encode) {
    SaveChoices how;
    how.encode = encode;
    how.backup = CopyFileA(ad, name.c_str());
    SaveResult r = DocSave(ad, name, how);
    if (r.code == DocError::BackupFailed) {
        const std::string question = DocErrorMessage(r, name) + "\n\nSave without a backup?";
        if (mb2(ad, title, question.c_str()) != IDYES) return false;
        how.backup = Backup::Skip;
        r = DocSave(ad, name, how);
    }
    if (!r.ok()) {
        report(ad, r, name);
        return false;
    }
    if (r.backupMade) refreshList(ad);
    return true;
}

// The dialog's chosen file, whatever was typed into its name box, becomes the current
// folder's entry, as the list shows only that folder.
void selectAndOpen(cAppData& ad, const std::string& path) {
    const std::size_t start = FileNameStart(path);
    if (start > 0) SetCurrentDirectoryA(path.substr(0, start).c_str());
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, path.substr(start).c_str());
    ViewOpenFileFromList(ad);
}

}  // namespace

Backup CopyFileA(cAppData& ad, const char* file) {
    const std::string backup = DocBackupName(file);
    FileFacts facts;
    if (!FileExamine(backup, facts) || !facts.exists || facts.folder) return Backup::Overwrite;
    const std::string question = format("Overwrite existing BackupFile %s?", backup);
    return mb2(ad, "Status -> Saving", question.c_str()) == IDYES ? Backup::Overwrite
                                                                  : Backup::Keep;
}

void DeleteFileA(cAppData&, char* name, const char* ext) {
    delExt(name);
    std::strcat(name, ext);
    if (FileExists(name)) ::DeleteFileA(name);
}

void OnSaveFile(cAppData& ad) {
    // The open file, not the list's selection, which a changed folder may have moved.
    char name[64] = "";
    std::snprintf(name, sizeof name, "%s", ad.filename.cstr());
    if (TestExt(name, backupext)) {
        mb(format("%s is a backupfile ->->->\nselect save as...", name).c_str(), ad.hwnd);
        return;
    }
    ViewGetData(ad);
    // After a refused or failed save the window keeps the edits, so that nothing typed is lost.
    if (!saveInPlace(ad, name, true)) return;
    ViewCloseFile(ad);
    if (ViewOpenFile(ad, name)) selectListed(ad, name);
}

void OnSaveFileAs(cAppData& ad) {
    cFileDialog dialog(ad.hwnd);
    SaveChoices how;
    how.saveAs = true;
    how.replace = true;  // the dialog has asked
    how.source = std::string(CurDir(nullptr)) + ad.filename.cstr();
    if (!dialog.Save()) return;
    ViewGetData(ad);
    const std::string target = dialog.GetFileName();
    const SaveResult r = DocSave(ad, target, how);
    if (!r.ok()) {
        report(ad, r, dialog.GetFileTitleA());
        return;
    }
    ViewCloseFile(ad);
    selectAndOpen(ad, target);
}

void OnSaveNewFileAs(cAppData& ad, const int& command) {
    cFileDialog dialog(ad.hwnd);
    if (!OnCloseFile(ad)) return;
    ViewCloseFile(ad);
    if (!dialog.Save()) return;
    if (!DocOpenNewFile(ad, command)) {
        mb("Not enough memory for a new character", ad.hwnd);
        ad.reset();
        return;
    }
    SaveChoices how;
    how.encode = false;
    how.saveAs = true;
    how.replace = true;
    const std::string target = dialog.GetFileName();
    const SaveResult r = DocSave(ad, target, how);
    ad.reset();
    if (!r.ok()) {
        report(ad, r, dialog.GetFileTitleA());
        return;
    }
    selectAndOpen(ad, target);
}

bool OnCloseFile(cAppData& ad) {
    if (!ad.fileopen()) return true;
    const std::string name = ad.filename.cstr();
    if (!FileExists(name.c_str())) {
        const std::string question = format("%s has been removed! Restore Character?", name);
        if (mb2(ad, title, question.c_str()) == IDYES) {
            // The document's bytes are still those loaded: they are written as they are,
            // whatever the menu marks, and there is no file left to back up.
            ad.player = ad.loaded;
            ViewSetData(ad);
            SaveChoices how;
            how.encode = false;
            how.backup = Backup::Skip;
            const SaveResult r = DocSave(ad, name, how);
            if (!r.ok()) report(ad, r, name);
            return r.ok();
        }
        return true;
    }
    // Backups and files of other formats are read-only and never asked about.
    if (!ViewFileWritable(ad)) return true;
    ViewGetData(ad);
    if (!UnsavedEdits(ad)) return true;
    if (mb2(ad, title, format("Save Changes to %s?", name).c_str()) != IDYES) return true;
    return saveInPlace(ad, name, true);
}

void OnFileDelete(cAppData& ad) {
    char name[64];
    ViewListGetSelFile(ad, name);
    const bool backup = TestExt(name, backupext);
    const std::string question =
        format(backup ? "Delete Backupfile\n%s?" : "Delete D2SaveFile\n%s?", name);
    if (mb2(ad, backup ? "Delete VelmorBackupfile ???" : "Delete D2Savefile ???",
            question.c_str()) != IDYES)
        return;
    // The side files go only with the save itself: a refused delete removes nothing.
    if (!::DeleteFileA(name)) {
        mb(format("Could not delete %s!\nNothing was removed.", name).c_str(), ad.hwnd);
        return;
    }
    HWND list = GetDlgItem(ad.hwnd, IDC_FILELIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    SendMessageA(list, LB_DELETESTRING, sel, 0);
    SendMessageA(list, LB_SETCURSEL, sel > 0 ? sel - 1 : 0, 0);
    ViewCloseFile(ad);
    if (!TestExt(name, "d2s")) return;
    // Delete leaves the ".ma4" file, as it always has.
    for (int i = 0; i < kSideFileCount - 1; ++i) DeleteFileA(ad, name, kSideFiles[i]);
}
