// velmor-cli's commands drive the editor's own operations: the file is opened as the
// window opens it, the typed texts pass through the window's field rules and the file is
// written as the Save or Save As command writes it.
#include "cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "cli/Edits.h"
#include "cli/Report.h"
#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/DocError.h"
#include "doc/DocNewbie.h"
#include "doc/DocSave.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "support/File.h"
#include "support/Paths.h"
#include "view/Fields.h"

namespace {

void say(const std::string& message) { std::fprintf(stderr, "velmor-cli: %s\n", message.c_str()); }

int fail(int code, const std::string& message) {
    say(message);
    return code;
}

std::string nameOf(const std::string& path) { return path.substr(FileNameStart(path)); }

bool openSave(cAppData& ad, const std::string& file, std::string& error) {
    DocResult why;
    if (DocOpenFile(ad, file.c_str(), &why)) return true;
    error = DocErrorMessage(why, file);
    return false;
}

std::string versionRefusal(const cAppData& ad, const std::string& file) {
    return file + ": " + DocVersionText(ad) + "; nothing written";
}

// What a warning adds about the values info shows of a file Velmor cannot write.
std::string infoCaveat(const cAppData& ad) {
    if (!DocLayout(ad).writable)
        return "; its layout is not known: only its version and length are shown";
    return DocVersionWritable(ad) ? "" : "; the values shown may be incomplete";
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

// The class that --class selects; without it none is selected and the stored class stays.
bool selectClass(const cAppData& ad, const std::string& arg, int& sel, std::string& error) {
    sel = -1;
    if (arg.empty()) return true;
    const int code = ParseClass(arg);
    if (code >= DocClassCount(ad)) {
        error = std::string("class ") + ClassEnglishName(code) +
                (code >= EXPANSION_CLASS_COUNT ? " is only for characters of the Warlock edition"
                                               : " is only for expansion characters");
        return false;
    }
    sel = code;
    return true;
}

void mark(cAppData& ad, const Options& opts) {
    CharEdit& e = ad.edit;
    e.game = opts.complete  ? GameAction::Complete
             : opts.restart ? GameAction::Restart
                            : GameAction::Keep;
    e.allSkills = opts.skillsFull   ? SkillsAction::Full
                  : opts.skillsNone ? SkillsAction::None
                                    : SkillsAction::Keep;
    e.maxGold = opts.maxGold;
}

// The numbers typed, over the stored values that the other fields show.
FieldTexts typedTexts(const Options& opts, const FieldTexts& stored) {
    FieldTexts texts = stored;
    for (const auto& edit : opts.edits) texts[FieldIndex(edit.first)] = edit.second;
    return texts;
}

// Every value the limits changed, typed or stored. Gold that --max-gold sets is no stored
// value changed by a limit.
void reportLimited(const Options& opts, const FieldTexts& before, const FieldTexts& read) {
    for (int i = 0; i < kFieldCount; ++i) {
        const int id = kFields[i].id;
        std::string typed;
        for (const auto& edit : opts.edits) {
            if (edit.first == id) typed = edit.second;
        }
        const bool forced = opts.maxGold && (id == IDC_GOLD || id == IDC_GOLDSTASH);
        const std::string& after = read[i];
        if (!typed.empty() && typed != after) {
            std::printf("%s: '%s' read as %s\n", kFields[i].name, typed.c_str(), after.c_str());
        } else if (typed.empty() && !forced && before[i] != after) {
            std::printf("%s: stored %s saved as %s\n", kFields[i].name, before[i].c_str(),
                        after.c_str());
        }
    }
}

// What the save did to the status byte: only a dead hardcore character's is changed.
void reportStatus(unsigned char before, unsigned char after) {
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    if ((before & deadHardcore) == deadHardcore && !(after & deadHardcore))
        std::printf("status: the dead hardcore character is saved alive and softcore\n");
}

// What the quests set done added to the values typed.
void reportRewards(const PlayerData& typed, const PlayerData& saved) {
    const struct {
        const char* name;
        unsigned int before, after;
    } values[] = {{"skillPoints", typed.skillPoints, saved.skillPoints},
                  {"statPoints", typed.statPoints, saved.statPoints},
                  {"life", typed.life, saved.life}};
    for (const auto& v : values) {
        if (v.after != v.before)
            std::printf("%s: %u with the quest rewards (was %u)\n", v.name, v.after, v.before);
    }
}

Backup backupChoice(const Options& opts) {
    if (opts.noBackup) return Backup::Skip;
    return opts.overwriteBackup ? Backup::Overwrite : Backup::Keep;
}

// Saves, and names the backup of the file replaced, if there was one.
bool save(cAppData& ad, const std::string& target, const SaveChoices& how) {
    const SaveResult r = DocSave(ad, target, how);
    if (!r.ok()) {
        say(DocErrorMessage(r, target));
        return false;
    }
    for (const std::string& w : r.warnings) say("warning: side file not copied: " + w);
    if (!r.backup.empty())
        std::printf("%s %s\n", r.backupKept ? "kept existing backup" : "backup", r.backup.c_str());
    return true;
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
        if (DocIsNewbie(ad) && DocChecksumOk(ad)) {
            say(file + ": " + DocVersionText(ad));  // no damage: the game expects no more
        } else if (!DocVersionWritable(ad) || !DocChecksumOk(ad)) {
            say("warning: " + file + ": " + DocVersionText(ad) + infoCaveat(ad));
        }
        if (opts.json) {
            PrintInfoJson(ad, file);
        } else {
            if (shown > 0) std::putchar('\n');
            PrintInfo(ad, file);
            if (opts.progress) PrintProgress(ad);
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
    if (!DocChecksumOk(ad)) say("warning: " + opts.file + ": " + DocVersionText(ad));
    DocGetData(ad);
    const FieldTexts stored = FieldsShown(ad.player);
    int classSel = -1;
    if (!selectClass(ad, opts.classArg, classSel, error)) return fail(EXIT_REFUSED, error);
    mark(ad, opts);
    const int charClass = opts.classArg.empty() ? ad.player.charClass : ParseClass(opts.classArg);
    if (!FillEdits(ad, charClass, opts, error)) return fail(EXIT_REFUSED, error);
    reportLimited(opts, stored, FieldsRead(ad, classSel, typedTexts(opts, stored)));
    SaveChoices how;
    how.backup = backupChoice(opts);
    how.saveAs = !opts.output.empty();
    how.replace = opts.force;
    how.source = opts.file;
    if (how.saveAs && !FileSame(opts.file, opts.output) && !nameFits(opts.output))
        return EXIT_REFUSED;
    const std::string& target = how.saveAs ? opts.output : opts.file;
    const unsigned char status = ad.data[DocLayout(ad).status];
    const PlayerData typed = ad.player;
    if (!save(ad, target, how)) return EXIT_REFUSED;
    std::printf("saved %s (%u bytes)\n", target.c_str(), ad.length);
    // A written save leaves its bytes in the document.
    reportStatus(status, ad.data[DocLayout(ad).status]);
    DocGetData(ad);
    reportRewards(typed, ad.player);
    return EXIT_OK;
}

int RunNew(const Options& opts) {
    cAppData ad;
    const int code = ParseClass(opts.classArg);
    NewbieChoice newbie = opts.newbie;
    newbie.created = static_cast<std::uint32_t>(std::time(nullptr));
    const bool made =
        newbie.version ? DocOpenNewbie(ad, newbie) : DocOpenNewFile(ad, IDM_NEW_AMAZONE + code);
    if (!made) return fail(EXIT_REFUSED, "out of memory");
    if (!nameFits(opts.file)) return EXIT_REFUSED;
    SaveChoices how;
    how.encode = false;
    how.saveAs = true;
    how.replace = opts.force;
    how.newbie = newbie.version != 0;
    if (!save(ad, opts.file, how)) return EXIT_REFUSED;
    std::printf("made %s: %s, level 1", opts.file.c_str(), ClassEnglishName(code));
    if (how.newbie)
        std::printf(
            ", for %s (format version %u): the game builds the character when it first "
            "loads it",
            DocLayout(ad).game, static_cast<unsigned>(newbie.version));
    std::printf("\n");
    return EXIT_OK;
}
