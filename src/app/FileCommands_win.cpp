#include "app/FileCommands_win.h"

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
#include "res/resource.h"
#include "support/File.h"
#include "support/FileDialog_win.h"
#include "support/Paths.h"
#include "support/Paths_win.h"
#include "support/mb.h"
#include "view/Fields.h"
#include "view/View.h"

namespace {

const char* const kCopiedSideFiles[] = {".key", ".map", ".ma0", ".ma1", ".ma2", ".ma3", ".ma4"};
// Delete leaves the ".ma4" file, as it always has.
const char* const kDeletedSideFiles[] = {".key", ".map", ".ma0", ".ma1", ".ma2", ".ma3"};

std::string withoutExt(const std::string& path) {
    std::vector<char> buf(path.begin(), path.end());
    buf.push_back('\0');
    delExt(buf.data());
    return buf.data();
}

std::string format(const char* fmt, const std::string& arg) {
    std::vector<char> text(std::strlen(fmt) + arg.size() + 1);
    std::snprintf(text.data(), text.size(), fmt, arg.c_str());
    return text.data();
}

// Writes the document and tells the user when that failed; the file keeps its old bytes.
bool saveAndReport(cAppData& ad, const char* name) {
    if (DocSaveFile(ad, name)) return true;
    // A format this editor cannot write has already been named by DocSaveFile.
    if (DocVersionWritable(ad))
        mb(format("Could not save %s!\nThe file on disk is unchanged.", name).c_str(), ad.hwnd);
    return false;
}

// Selects the entry, listing the folder anew when it is missing: another program may
// have deleted the file meanwhile, and the list must not point anywhere else.
void selectListed(cAppData& ad, const char* name) {
    if (ViewListSetSelFile(ad, name)) return;
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, name);
}

void selectAndOpen(cAppData& ad, const char* name) {
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, name);
    ViewOpenFileFromList(ad);
}

}  // namespace

void CopyFileA(cAppData& ad, const char* file) {
    const std::string backup = withoutExt(file) + "." + backupext;
    if (FileExists(backup.c_str())) {
        const std::string question = format("Overwrite existing BackupFile %s?", backup);
        if (mb2(ad, "Status -> Saving", question.c_str()) == IDYES)
            FileCopyAtomic(file, backup.c_str(), MAX_FILE_SIZE);
        return;
    }
    FileCopyAtomic(file, backup.c_str(), MAX_FILE_SIZE);
    char selected[64];
    ViewListGetSelFile(ad, selected);
    ViewAddFilesToList(ad);
    ViewListSetSelFile(ad, selected);
}

void CopyFileA(cAppData&, const char* dest, const char* source, const char* ext) {
    const std::string from = withoutExt(source) + ext;
    if (!FileExists(from.c_str())) return;
    ::CopyFileA(from.c_str(), (withoutExt(dest) + ext).c_str(), FALSE);
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
    if (!DocCheckWritable(ad)) return;
    CopyFileA(ad, name);
    ViewGetData(ad);
    DocSetData(ad);
    // After a failed write the window keeps the edits, so that nothing typed is lost.
    if (!saveAndReport(ad, name)) return;
    ViewCloseFile(ad);
    if (ViewOpenFile(ad, name)) selectListed(ad, name);
}

void OnSaveFileAs(cAppData& ad) {
    cFileDialog dialog(ad.hwnd);
    char selected[64];
    ViewListGetSelFile(ad, selected);
    const std::string source = std::string(CurDir(nullptr)) + selected;
    if (!dialog.Save()) return;
    ViewGetData(ad);
    DocSetData(ad);
    const char* title = dialog.GetFileTitleA();
    if (!DocSetFileName(ad, title)) return;
    if (saveAndReport(ad, title)) {
        for (const char* ext : kCopiedSideFiles)
            CopyFileA(ad, dialog.GetFileName(), source.c_str(), ext);
    }
    ViewCloseFile(ad);
    selectAndOpen(ad, title);
}

void OnSaveNewFileAs(cAppData& ad, const int& command) {
    cFileDialog dialog(ad.hwnd);
    OnCloseFile(ad);
    ViewCloseFile(ad);
    if (!dialog.Save()) return;
    const char* title = dialog.GetFileTitleA();
    if (!DocOpenNewFile(ad, command)) {
        mb("Not enough memory for a new character", ad.hwnd);
        ad.reset();
        return;
    }
    if (!DocSetFileName(ad, title) || !saveAndReport(ad, title)) {
        ad.reset();
        return;
    }
    ad.reset();
    selectAndOpen(ad, title);
}

void OnCloseFile(cAppData& ad) {
    if (!ad.fileopen()) return;
    const std::string name = ad.filename.cstr();
    if (!FileExists(name.c_str())) {
        const std::string question = format("%s has been removed! Restore Character?", name);
        if (mb2(ad, title, question.c_str()) == IDYES) {
            ad.player = ad.loaded;
            ViewSetData(ad);
            DocSetData(ad);
            saveAndReport(ad, name.c_str());
        }
        return;
    }
    // Backups and files of other formats are read-only and never asked about.
    if (!ViewFileWritable(ad)) return;
    ViewGetData(ad);
    if (!UnsavedEdits(ad)) return;
    if (mb2(ad, title, format("Save Changes to %s?", name).c_str()) != IDYES) return;
    CopyFileA(ad, name.c_str());
    DocSetData(ad);
    saveAndReport(ad, name.c_str());
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
    for (const char* ext : kDeletedSideFiles) DeleteFileA(ad, name, ext);
}
