#include "app/FileCommands_win.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/App_win.h"
#include "app/Commands_win.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocError.h"
#include "doc/DocSave.h"
#include "res/resource.h"
#include "support/File.h"
#include "support/FileDialog_win.h"
#include "support/Lang_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/Utf8_win.h"
#include "support/mb.h"
#include "view/View.h"

namespace {

// Tells the user why a save refused, in the words of the check that refused it.
void report(cAppData& ad, const SaveResult& r, const std::string& name) {
    if (r.code == DocError::NameRefused || r.code == DocError::NotWritable) {
        mb(r.detail.c_str(), ad.hwnd);
    } else if (r.code == DocError::CannotWrite) {
        // The step that failed and the system's reason, below the assurance.
        mb((Tr(IDS_SAVE_FAILED, name) + (r.detail.empty() ? "" : "\n" + r.detail)).c_str(),
           ad.hwnd);
    } else {
        mb(DocErrorMessage(r, name).c_str(), ad.hwnd);
    }
}

// Moves the files to the Recycle Bin in one undoable step. Where the bin cannot take them
// the shell says so and asks before deleting them for good.
void recycle(cAppData& ad, const std::vector<std::string>& names) {
    std::wstring from;
    for (const std::string& name : names)
        from += WideFromUtf8(std::string(CurDir(nullptr)) + name) + L'\0';
    from += L'\0';
    SHFILEOPSTRUCTW op = {};
    op.hwnd = ad.hwnd;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationW(&op);
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
        const std::string question = DocErrorMessage(r, name) + Tr(IDS_ASK_NO_BACKUP);
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

// Names a character that make() puts into the document after the file the user chooses,
// writes it and opens it.
template <class Make>
void saveNewCharacter(cAppData& ad, Make make, bool newbie) {
    cFileDialog dialog(ad.hwnd);
    if (!OnCloseFile(ad)) return;
    ViewCloseFile(ad);
    if (!dialog.Save()) return;
    if (!make()) {
        mb(Tr(IDS_NO_MEMORY).c_str(), ad.hwnd);
        ad.reset();
        return;
    }
    SaveChoices how;
    how.encode = false;
    how.saveAs = true;
    how.replace = true;
    how.newbie = newbie;
    const std::string target = dialog.GetFileName();
    const SaveResult r = DocSave(ad, target, how);
    ad.reset();
    if (!r.ok()) {
        report(ad, r, dialog.GetFileTitleA());
        return;
    }
    selectAndOpen(ad, target);
}

}  // namespace

Backup CopyFileA(cAppData& ad, const char* file) {
    const std::string backup = DocBackupName(file);
    FileFacts facts;
    if (!FileExamine(backup, facts) || !facts.exists || facts.folder) return Backup::Overwrite;
    const std::string question = Tr(IDS_ASK_OVERWRITE_BACKUP, backup);
    return mb2(ad, Tr(IDS_SAVING).c_str(), question.c_str()) == IDYES ? Backup::Overwrite
                                                                      : Backup::Keep;
}

void OnSaveFile(cAppData& ad) {
    // The open file, not the list's selection, which a changed folder may have moved.
    char name[64] = "";
    std::snprintf(name, sizeof name, "%s", ad.filename.cstr());
    if (TestExt(name, backupext)) {
        mb(Tr(IDS_IS_BACKUP, name).c_str(), ad.hwnd);
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
    // The save is written; a side file that could not follow it is said, not hidden.
    for (const std::string& warning : r.warnings) mb(warning.c_str(), ad.hwnd);
    ViewCloseFile(ad);
    selectAndOpen(ad, target);
}

void OnSaveNewFileAs(cAppData& ad, const int& command) {
    saveNewCharacter(
        ad, [&] { return DocOpenNewFile(ad, command); }, false);
}

void OnSaveNewbieAs(cAppData& ad, NewbieChoice choice) {
    saveNewCharacter(
        ad,
        [&] {
            choice.created = static_cast<std::uint32_t>(std::time(nullptr));
            return DocOpenNewbie(ad, choice);
        },
        true);
}

bool OnCloseFile(cAppData& ad) {
    if (!ad.fileopen()) return true;
    const std::string name = ad.filename.cstr();
    if (!FileExists(name.c_str())) {
        const std::string question = Tr(IDS_ASK_RESTORE, name);
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
    switch (AskSaveChanges(ad, Tr(IDS_ASK_SAVE_CHANGES, name).c_str())) {
        case IDYES:
            return saveInPlace(ad, name, true);
        case IDNO:
            return true;
    }
    return false;
}

void OnFileDelete(cAppData& ad) {
    char name[64];
    ViewListGetSelFile(ad, name);
    const bool backup = TestExt(name, backupext);
    const std::string question = Tr(backup ? IDS_ASK_DELETE_BACKUP : IDS_ASK_DELETE_SAVE, name);
    if (mb2(ad, Tr(backup ? IDS_DELETE_BACKUP_CAPTION : IDS_DELETE_SAVE_CAPTION).c_str(),
            question.c_str()) != IDYES)
        return;
    // A save marked read-only is refused, as the system refuses to delete it; the side files
    // go only with the save itself.
    const DWORD attributes = GetFileAttributesA(name);
    std::vector<std::string> names = {name};
    if (TestExt(name, "d2s")) {
        for (const char* ext : kSideFiles) {
            const std::string side = DelExt(name) + std::string(ext);
            if (FileExists(side.c_str())) names.push_back(side);
        }
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY))
        recycle(ad, names);
    if (FileExists(name)) {
        mb(Tr(IDS_DELETE_FAILED, name).c_str(), ad.hwnd);
        return;
    }
    HWND list = GetDlgItem(ad.hwnd, IDC_FILELIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    SendMessageA(list, LB_DELETESTRING, sel, 0);
    SendMessageA(list, LB_SETCURSEL, sel > 0 ? sel - 1 : 0, 0);
    ViewCloseFile(ad);
}
