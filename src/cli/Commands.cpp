// velmor-cli's commands drive the editor's own operations: the file is opened as the
// window opens it, the typed texts pass through the window's field rules (in their console
// form) and the file is written as the Save or Save As command writes it.
#include "cli/Commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/AppData.h"
#include "app/Constants.h"
#include "cli/Report.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "support/File.h"
#include "support/Paths.h"
#include "support/mbConsole.h"
#include "view/Fields.h"
#include "view/Ui.h"
#include "view/UiConsole.h"

namespace {

const char* const kSideFiles[] = {".key", ".map", ".ma0", ".ma1", ".ma2", ".ma3", ".ma4"};
const std::size_t kSideFileMax = 64u << 20;

void say(const std::string& message) { std::fprintf(stderr, "velmor-cli: %s\n", message.c_str()); }

int fail(int code, const std::string& message) {
    say(message);
    return code;
}

// The messages the editor would have shown in its message box.
int failWithMessages(const std::string& fallback) {
    if (ConsoleMessages().empty()) return fail(EXIT_REFUSED, fallback);
    for (const std::string& m : ConsoleMessages()) fail(EXIT_REFUSED, m);
    return EXIT_REFUSED;
}

std::string folderOf(const std::string& path) { return path.substr(0, NameStart(path)); }
std::string nameOf(const std::string& path) { return path.substr(NameStart(path)); }

// The path without the extension of its file name (a dot in a folder name is no extension).
std::string withoutExt(const std::string& path) {
    return folderOf(path) + DelExt(nameOf(path).c_str());
}

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string whyNotOpened(const std::string& file) {
    struct stat st;
    if (stat(file.c_str(), &st) != 0) return "cannot open " + file + ": " + std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return file + " is a folder, not a save file";
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return "cannot open " + file + ": " + std::strerror(errno);
    unsigned char head[4] = {0, 0, 0, 0};
    const std::size_t n = std::fread(head, 1, 4, f);
    std::fclose(f);
    if (n < 4 || head[0] != 0x55 || head[1] != 0xAA || head[2] != 0x55 || head[3] != 0xAA)
        return file + " is not a save file (it does not begin with 55 AA 55 AA)";
    const std::string size = std::to_string(st.st_size);
    if (st.st_size > static_cast<long long>(MAX_FILE_SIZE))
        return file + " is too long for a save file (" + size + " bytes, at most 100000)";
    if (st.st_size < static_cast<long long>(MIN_FILE_SIZE))
        return file + " is too short for a save file (" + size + " bytes, at least 660)";
    return "cannot read " + file;
}

bool openSave(cAppData& ad, const std::string& file, std::string& error) {
    if (DocOpenFile(ad, file.c_str())) return true;
    error = whyNotOpened(file);
    return false;
}

std::string versionRefusal(const cAppData& ad, const std::string& file) {
    return file + ": " + DocVersionText(ad) + "; nothing written";
}

// Shows the open character in the console window, as opening it in the editor does.
void showInWindow(cAppData& ad) {
    ConsoleResetWindow();
    ViewInitCombo(ad);
    ViewSetData(ad);
}

// The character name that a file name gives, checked by the editor's rules.
bool nameFits(const std::string& path) {
    const std::string file = nameOf(path);
    const std::string name = DelExt(file.c_str());
    const char* why = nullptr;
    switch (DocCheckName(file.c_str())) {
        case NameRule::Ok:
            return true;
        case NameRule::TooLong:
            why = "is too long: at most 15 letters";
            break;
        case NameRule::TooShort:
            why = "is too short: at least 2 letters";
            break;
        case NameRule::NotLetters:
            why = "may hold only the letters A-Z and a-z";
            break;
    }
    say("character name '" + name + "' (from the file name '" + file + "') " + why);
    return false;
}

bool selectClass(cAppData& ad, const std::string& arg, std::string& error) {
    if (arg.empty()) return true;
    const int code = ParseClass(arg);
    if (code >= UiComboCount(ad)) {
        error = "class " + ClassName(code) + " is only for expansion characters";
        return false;
    }
    UiComboSelect(ad, code);
    return true;
}

void typeAndMark(cAppData& ad, const Options& opts) {
    for (const auto& edit : opts.edits) UiSetText(ad, edit.first, edit.second.c_str());
    UiMenuCheck(ad, IDM_COMPLETE, opts.complete);
    UiMenuCheck(ad, IDM_RESTART, opts.restart);
    UiMenuCheck(ad, IDM_SKILLS_FULL, opts.skillsFull);
    UiMenuCheck(ad, IDM_SKILLS_NONE, opts.skillsNone);
    UiMenuCheck(ad, IDM_MAXGOLD, opts.maxGold);
    if (opts.maxGold) ViewOnMaxGold(ad, true);
}

void reportLimited(const Options& opts) {
    for (const auto& edit : opts.edits) {
        const std::string shown = ConsoleGetText(edit.first);
        if (shown == edit.second) continue;
        for (const FieldInfo& f : kFields) {
            if (f.id == edit.first)
                std::printf("%s: '%s' read as %s\n", f.name, edit.second.c_str(), shown.c_str());
        }
    }
}

// Save As: the character takes the new file's name, and its side files follow it.
int saveAs(cAppData& ad, const Options& opts) {
    ConsoleClearMessages();
    if (!nameFits(opts.output)) return EXIT_REFUSED;
    if (!DocSetFileName(ad, nameOf(opts.output).c_str())) return failWithMessages("name refused");
    if (!DocSaveFile(ad, opts.output.c_str()))
        return fail(EXIT_REFUSED, std::string("cannot save: ") + DocSaveError());
    const std::string from = withoutExt(opts.file), to = withoutExt(opts.output);
    for (const char* ext : kSideFiles) {
        std::string error;
        if (exists(from + ext) &&
            !FileCopyAtomic((from + ext).c_str(), (to + ext).c_str(), kSideFileMax, &error))
            say("warning: side file not copied: " + error);
    }
    std::printf("saved %s (%u bytes)\n", opts.output.c_str(), ad.length);
    return EXIT_OK;
}

// Makes the backup copy; 'made' tells whether this run created it.
bool makeBackup(const Options& opts, const std::string& backup, bool& made, std::string& error) {
    made = false;
    if (opts.noBackup) return true;
    const bool existed = exists(backup);
    if (existed && !opts.overwriteBackup) {
        std::printf("kept existing backup %s\n", backup.c_str());
        return true;
    }
    if (!FileCopyAtomic(opts.file.c_str(), backup.c_str(), MAX_FILE_SIZE, &error)) return false;
    made = !existed;
    std::printf("backup %s\n", backup.c_str());
    return true;
}

int saveInPlace(cAppData& ad, const Options& opts) {
    const std::string backup = withoutExt(opts.file) + "." + backupext;
    bool made = false;
    std::string error;
    if (!makeBackup(opts, backup, made, error))
        return fail(EXIT_REFUSED, "cannot make the backup copy: " + error + "; nothing written");
    if (!DocSaveFile(ad, opts.file.c_str())) {
        if (made) std::remove(backup.c_str());
        return fail(EXIT_REFUSED, std::string("cannot save: ") + DocSaveError() + "; " + opts.file +
                                      " is unchanged");
    }
    std::printf("saved %s (%u bytes)\n", opts.file.c_str(), ad.length);
    return EXIT_OK;
}

}  // namespace

int RunInfo(const Options& opts) {
    int status = EXIT_OK, shown = 0;
    for (const std::string& file : opts.files) {
        cAppData ad;
        std::string error;
        if (!openSave(ad, file, error)) {
            status = fail(EXIT_REFUSED, error);
            continue;
        }
        DocGetData(ad);
        if (!DocVersionWritable(ad) || !DocChecksumOk(ad))
            say("warning: " + file + ": " + DocVersionText(ad) +
                (DocVersionWritable(ad) ? "" : "; the values shown may be incomplete"));
        if (opts.json) {
            PrintInfoJson(ad, file);
        } else {
            if (shown > 0) std::putchar('\n');
            PrintInfo(ad, file);
        }
        ++shown;
    }
    return status;
}

int RunSet(const Options& opts) {
    if (opts.output.empty() && TestExt(nameOf(opts.file).c_str(), backupext))
        return fail(EXIT_REFUSED, opts.file + " is a backup file; it is never written in " +
                                      "place (use --output to save an edited copy)");
    cAppData ad;
    std::string error;
    if (!openSave(ad, opts.file, error)) return fail(EXIT_REFUSED, error);
    if (!DocVersionWritable(ad)) return fail(EXIT_REFUSED, versionRefusal(ad, opts.file));
    DocGetData(ad);
    showInWindow(ad);
    if (!selectClass(ad, opts.classArg, error)) return fail(EXIT_REFUSED, error);
    typeAndMark(ad, opts);
    ViewGetData(ad);
    reportLimited(opts);
    DocSetData(ad);
    return opts.output.empty() ? saveInPlace(ad, opts) : saveAs(ad, opts);
}

int RunNew(const Options& opts) {
    if (exists(opts.file) && !opts.force)
        return fail(EXIT_REFUSED, opts.file + " exists (use --force to replace it)");
    cAppData ad;
    if (!DocOpenNewFile(ad, IDM_NEW_AMAZONE + ParseClass(opts.classArg)))
        return fail(EXIT_REFUSED, "out of memory");
    ConsoleClearMessages();
    if (!nameFits(opts.file)) return EXIT_REFUSED;
    if (!DocSetFileName(ad, nameOf(opts.file).c_str())) return failWithMessages("name refused");
    if (!DocSaveFile(ad, opts.file.c_str()))
        return fail(EXIT_REFUSED, std::string("cannot save: ") + DocSaveError());
    std::printf("made %s: %s, level 1\n", opts.file.c_str(),
                ClassName(ParseClass(opts.classArg)).c_str());
    return EXIT_OK;
}
