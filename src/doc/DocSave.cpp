// One save for every caller. The order matters: everything that can refuse is checked
// before the first byte reaches the disk, the backup is made before the save replaces the
// file, and the side files follow only a written save.
#include "doc/DocSave.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "core/Constants.h"
#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/DocNewbie.h"
#include "doc/Layout.h"
#include "support/File.h"
#include "support/Paths.h"

const char* const kSideFiles[kSideFileCount] = {".key", ".map", ".ma0", ".ma1",
                                                ".ma2", ".ma3", ".ma4"};

namespace {

const std::size_t kSideFileMax = 64u << 20;

// The name rule's words, as the window's message box shows them.
const char* nameProblem(const char* name) {
    switch (DocCheckName(name)) {
        case NameRule::TooLong:
            return "max len 15";
        case NameRule::TooShort:
            return "min len 2";
        case NameRule::NotLetters:
            return "only letters";
        case NameRule::Ok:
            break;
    }
    return nullptr;
}

SaveResult refused(DocError code, const std::string& detail = "") {
    SaveResult r;
    r.code = code;
    r.detail = detail;
    return r;
}

bool isBackupName(const std::string& path) {
    return TestExt(path.substr(FileNameStart(path)).c_str(), backupext);
}

// False only when the folder named in the path is known to be missing; a folder that
// cannot be examined is left to the write, which then says why.
bool folderExists(const std::string& path) {
    const std::size_t start = FileNameStart(path);
    FileFacts facts;
    return start == 0 || !FileExamine(path.substr(0, start), facts) ||
           (facts.exists && facts.folder);
}

// The checks of the target itself, before any byte is prepared. A backup file is never
// replaced: it would have to be its own backup.
SaveResult checkTarget(const std::string& target, bool inPlace, const SaveChoices& how) {
    FileFacts facts;
    if (!FileExamine(target, facts)) return refused(DocError::CannotRead);
    if (facts.folder) return refused(DocError::Folder);
    if ((inPlace || facts.exists) && (isBackupName(target) || isBackupName(FileResolve(target))))
        return refused(DocError::IsBackup);
    if (!facts.exists) return folderExists(target) ? SaveResult() : refused(DocError::NoFolder);
    if (!inPlace && !how.replace) return refused(DocError::TargetExists);
    if (!facts.writable) return refused(DocError::ReadOnly);
    if (facts.links > 1) return refused(DocError::HardLinked);
    return {};
}

// The document's bytes moved aside while a copy of them is prepared and written.
struct Stash {
    unsigned char* data;
    unsigned int length, capacity;
};

bool swapInCopy(cDocument& ad, Stash& kept) {
    unsigned char* copy = new (std::nothrow) unsigned char[ad.capacity]();
    if (!copy) return false;
    std::memcpy(copy, ad.data, ad.length);
    kept = {ad.data, ad.length, ad.capacity};
    ad.data = copy;
    return true;
}

void putBack(cDocument& ad, const Stash& kept) {
    delete[] ad.data;
    ad.data = kept.data;
    ad.length = kept.length;
    ad.capacity = kept.capacity;
}

// The backup of the file that the save replaces, in place or as the target of Save As.
bool makeBackup(const std::string& file, Backup choice, SaveResult& r) {
    FileFacts facts;
    // A file that is not there (yet, or any more) has nothing to keep.
    if (choice == Backup::Skip || (FileExamine(file, facts) && !facts.exists)) return true;
    r.backup = DocBackupName(file);
    if (!FileExamine(r.backup, facts)) {
        r.detail = "cannot examine " + r.backup;
        return false;
    }
    if (facts.folder) {
        r.detail = "a folder is in the place of " + r.backup;
        return false;
    }
    if (facts.exists && choice == Backup::Keep) {
        r.backupKept = true;
        return true;
    }
    if (!FileCopyAtomic(file.c_str(), r.backup.c_str(), MAX_FILE_SIZE, &r.detail)) return false;
    r.backupMade = !facts.exists;
    return true;
}

void copySideFiles(const std::string& source, const std::string& target, SaveResult& r) {
    const std::string from = FileWithoutExt(source), to = FileWithoutExt(target);
    for (const char* ext : kSideFiles) {
        FileFacts facts;
        if (!FileExamine(from + ext, facts) || !facts.exists) continue;
        std::string error;
        if (!FileCopyAtomic((from + ext).c_str(), (to + ext).c_str(), kSideFileMax, &error))
            r.warnings.push_back(error);
    }
}

// Writes the prepared bytes; r carries the outcome.
void write(cDocument& ad, const std::string& target, bool inPlace, const SaveChoices& how,
           SaveResult& r) {
    if (ad.length > MAX_FILE_SIZE) {
        r.code = DocError::TooLongToSave;
        r.detail = std::to_string(ad.length) + " bytes";
        return;
    }
    if (!makeBackup(target, how.backup, r)) {
        r.code = DocError::BackupFailed;
        return;
    }
    DocResult why;
    const bool written =
        how.newbie ? DocWriteFile(ad, target.c_str(), &why) : DocSaveFile(ad, target.c_str(), &why);
    if (!written) {
        if (r.backupMade) std::remove(r.backup.c_str());
        r.backupMade = false;
        r.code = why.code;
        r.detail = why.detail;
        return;
    }
    if (!inPlace && !how.source.empty()) copySideFiles(how.source, target, r);
}

}  // namespace

std::string DocBackupName(const std::string& file) {
    return FileWithoutExt(file) + "." + backupext;
}

SaveResult DocSave(cDocument& ad, const std::string& target, const SaveChoices& how) {
    if (!ad.data) return refused(DocError::NoDocument);
    const std::string problem = how.newbie && DocIsNewbie(ad) ? "" : DocReadOnlyReason(ad);
    if (!problem.empty())
        return refused(DocError::NotWritable, "format version " +
                                                  std::to_string(DocFormatVersion(ad)) +
                                                  " cannot be saved: " + problem);
    const bool inPlace = !how.saveAs || (!how.source.empty() && FileSame(how.source, target));
    const std::string name = target.substr(FileNameStart(target));
    if (!inPlace) {
        if (const char* why = nameProblem(name.c_str())) return refused(DocError::NameRefused, why);
    }
    SaveResult r = checkTarget(target, inPlace, how);
    if (!r.ok()) return r;
    Stash kept;
    if (!swapInCopy(ad, kept)) return refused(DocError::CannotWrite, "out of memory");
    if (how.encode) DocSetData(ad);
    if (!inPlace) DocSetFileName(ad, name.c_str());
    write(ad, target, inPlace, how, r);
    if (r.ok()) {
        delete[] kept.data;
    } else {
        putBack(ad, kept);
    }
    return r;
}
