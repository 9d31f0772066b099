// velmor-cli's words: a command, then its positional arguments and options in any order.
// Options that take a value accept it as the next word or after '='; "--" ends the options.
// Typed values must be whole decimal numbers; only then do the editor's limits apply.
#include "cli/Args.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/Version.h"
#include "cli/Commands.h"
#include "core/Constants.h"
#include "doc/Layout.h"
#include "support/File.h"
#include "support/Paths.h"
#include "view/Fields.h"

namespace {

// The usual English names, in the order of the selector's names (kClassNames).
const char* const kEnglishNames[kClassCount] = {"Amazon",    "Sorceress", "Necromancer", "Paladin",
                                                "Barbarian", "Druid",     "Assassin",    "Warlock"};

const char* const kOverviewHead =
    "usage: velmor-cli COMMAND [ARGS]\n"
    "\n"
    "Edits Diablo II character save files (.d2s) with the editor's own rules; it writes\n"
    "format versions 87, 89, 92, 96 to 99 and 105 (1.07 to the remaster 3.0 and later).\n"
    "\n"
    "commands:\n"
    "  info FILE... [--json]   show characters\n"
    "  set FILE [FIELD=NUMBER ...] [options]\n"
    "                          change a character as the editor's window would\n"
    "  new CLASS FILE [--game GAME [--edition E] [--hardcore]] [--force]\n"
    "                          make a new level-1 character\n"
    "  check FILE... [--json]  tell whether the game loads each file unchanged\n"
    "  help [COMMAND]          describe velmor-cli or one command\n"
    "\n"
    "  -h, --help              this text; 'velmor-cli COMMAND --help' for one command\n"
    "  -V, --version           print the version\n"
    "\n";

const char* const kOverviewTail =
    "\n"
    "Exit status: 0 done, 1 input refused (nothing written), 2 bad usage.\n"
    "check exits with 1 also when the game would refuse or change a file.\n";

const char* const kInfoHelp =
    "usage: velmor-cli info FILE... [--json] [--progress]\n"
    "\n"
    "Shows each character's name, class (its code and English name), status flags,\n"
    "format version, size and the values the editor edits, with a blank line between\n"
    "files; for version 105 also the edition (classic, expansion or warlock). --json\n"
    "prints one JSON object per line and file (JSON Lines), each with its \"file\".\n"
    "A file that cannot be read is named on standard error and the others are shown;\n"
    "the exit status is then 1.\n"
    "Files that Velmor cannot write (format versions other than 87, 89, 92, 96 to 99\n"
    "and 105, or damaged files: cut short, sections out of place) are shown with a\n"
    "warning, and values that could not be read as null (text: ?); of a version whose\n"
    "layout is not known, everything but the file, version, length and game.\n"
    "--progress adds the skills, the quests and waypoints of each difficulty and the\n"
    "progression to the text; --json always has them (null for such files).\n";

const char* const kSetHelp =
    "usage: velmor-cli set FILE [FIELD=NUMBER ...] [options]\n"
    "\n"
    "Types each NUMBER (a whole decimal number) into the editor's field FIELD and saves\n"
    "the character as the editor's Save command does. FIELD is one of (any case):\n"
    "  level strength energy dexterity vitality stamina life mana\n"
    "  skillPoints statPoints gold goldStash\n"
    "Each value is kept within the editor's limits, and every value the limits change\n"
    "is printed. A changed level sets the experience. A stored value that the game keeps\n"
    "is changed only when typed, and a field's limit reaches up to it (a version-96 stash\n"
    "above the level's cap of 1.10-1.12 stays: 1.13 and later keep it).\n"
    "\n"
    "options:\n"
    "  --class CLASS        the new class (see 'velmor-cli --help' for the names)\n"
    "  --complete-game      all quests, waypoints and acts done\n"
    "  --restart-game       all quests, waypoints, acts and introductions cleared\n"
    "  --skills-full        every skill at level 20\n"
    "  --skills-none        every skill at level 0\n"
    "  --max-gold           gold and stash gold at the maxima of the level\n"
    "\n"
    "  --skill NAME=N       one skill of the character's class (its name or id), 0-20\n"
    "  --quest D:QUEST=STATE\n"
    "                       a quest of difficulty D (normal, nightmare, hell): none,\n"
    "                       waiting (reward waiting at its NPC) or done; done gives the\n"
    "                       quest's reward once, clearing never takes it back\n"
    "  --quest-flag D:NAME=on|off\n"
    "                       Cow King killed, Scroll of Resistance read, Akara reset\n"
    "                       available, Akara reset used (versions 96 and later)\n"
    "  --waypoint D:NAME=on|off\n"
    "                       one waypoint (39, or 30 for classic characters); the\n"
    "                       Rogue Encampment stays on\n"
    "  --waypoints D=all|none\n"
    "                       every waypoint of a difficulty\n"
    "  --progression N      difficulties finished, as the game writes it: 0-3, 5-8,\n"
    "                       10-13 or 15 (expansion), 0-12 (classic)\n"
    "  These repeat; names and difficulties in any case. The whole-game options apply\n"
    "  first, then these.\n"
    "\n"
    "  --no-backup          do not make the backup copy NAME.bakvelmor\n"
    "  --overwrite-backup   replace an existing backup copy (it is kept otherwise)\n"
    "  --output OUT         save as OUT instead (the character takes OUT's name and its\n"
    "                       side files are copied along); FILE is left untouched\n"
    "  --force              replace an existing OUT, after its backup as above\n"
    "\n"
    "A backup file (.bakvelmor) is never written in place; use --output.\n";

const char* const kNewHelp =
    "usage: velmor-cli new CLASS FILE [--game GAME [--edition EDITION] [--hardcore]]\n"
    "                      [--force]\n"
    "\n"
    "Makes a new level-1 character of CLASS (see 'velmor-cli --help' for the names)\n"
    "named after FILE, which must be 2 to 15 letters plus the extension .d2s.\n"
    "An existing FILE is replaced only with --force, after its backup copy\n"
    "NAME.bakvelmor (an existing backup copy is kept).\n"
    "\n"
    "Without --game the character is a whole save of 1.08 (format version 89), which\n"
    "the game reads from 1.08 to 1.14d and the remaster does not. With --game it is\n"
    "the file that game writes when a character is created: its header alone, from\n"
    "which the game builds the character when it first loads it (starting attributes,\n"
    "items and skill, empty quests, the first waypoint). Velmor opens it read-only.\n"
    "\n"
    "options:\n"
    "  --game GAME        1.14d (format version 96, read by 1.10 to 1.14d), remaster\n"
    "                     (105, the remaster 3.0 and later), or one of the remaster's\n"
    "                     earlier versions: 2.3 (97), 2.4 (98), 2.5 (99, 2.5 and later)\n"
    "  --edition EDITION  classic, expansion (the default; warlock for a Warlock) or\n"
    "                     warlock (remaster only); Druid and Assassin need the\n"
    "                     expansion, the Warlock warlock\n"
    "  --hardcore         a hardcore character\n";

struct Name {
    const char* word;
    int value;
};

// The games of new --game, by their format version.
const Name kGames[] = {{"1.14d", 96}, {"2.3", 97}, {"2.4", 98}, {"2.5", 99}, {"remaster", 105}};
const Name kEditions[] = {
    {"classic", EDITION_CLASSIC}, {"expansion", EDITION_EXPANSION}, {"warlock", EDITION_WARLOCK}};

struct Flag {
    const char* name;
    bool Options::*member;
};

const Flag kSetFlags[] = {
    {"--complete-game", &Options::complete},
    {"--restart-game", &Options::restart},
    {"--skills-full", &Options::skillsFull},
    {"--skills-none", &Options::skillsNone},
    {"--max-gold", &Options::maxGold},
    {"--no-backup", &Options::noBackup},
    {"--overwrite-backup", &Options::overwriteBackup},
};

bool sameIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool allDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

const FieldInfo* findField(const std::string& name) {
    for (const FieldInfo& f : kFields) {
        if (sameIgnoringCase(name, f.name)) return &f;
    }
    return nullptr;
}

bool addEdit(const std::string& arg, Options& opts, std::string& error) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
        error = "expected FIELD=NUMBER, got '" + arg + "'";
        return false;
    }
    const FieldInfo* field = findField(arg.substr(0, eq));
    if (!field) {
        error = "unknown field '" + arg.substr(0, eq) + "'";
        return false;
    }
    std::string number = arg.substr(eq + 1);
    if (!allDigits(number)) {
        error = std::string("field ") + field->name + " takes a whole number, not '" + number + "'";
        return false;
    }
    for (const auto& e : opts.edits) {
        if (e.first == field->id) {
            error = std::string("field ") + field->name + " given twice";
            return false;
        }
    }
    // The field reads only its first 49 characters; leading zeros must not crowd out digits.
    number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
    opts.edits.emplace_back(field->id, number);
    return true;
}

// An option with a value, as "--name VALUE" or "--name=VALUE".
bool takeValue(const std::string& arg, const char* name, int& i, int argc, const char* const* argv,
               std::string& value, std::string& error) {
    const std::size_t len = std::strlen(name);
    if (arg.compare(0, len, name) != 0) return false;
    if (arg.size() == len) {
        value = i + 1 < argc ? argv[++i] : "";
    } else if (arg[len] == '=') {
        value = arg.substr(len + 1);
    } else {
        return false;
    }
    if (value.empty()) error = std::string("missing argument: ") + name + " needs a value";
    return true;
}

bool parseSetOption(const std::string& arg, int& i, int argc, const char* const* argv,
                    Options& opts, std::string& error) {
    for (const Flag& f : kSetFlags) {
        if (arg == f.name) {
            opts.*f.member = true;
            return true;
        }
    }
    if (takeValue(arg, "--class", i, argc, argv, opts.classArg, error) ||
        takeValue(arg, "--output", i, argc, argv, opts.output, error) ||
        takeValue(arg, "--progression", i, argc, argv, opts.progression, error))
        return error.empty();
    const struct {
        const char* name;
        std::vector<std::string> Options::*list;
    } lists[] = {{"--skill", &Options::skills},
                 {"--quest", &Options::quests},
                 {"--waypoints", &Options::waypointSets},
                 {"--waypoint", &Options::waypoints},
                 {"--quest-flag", &Options::questFlags}};
    for (const auto& l : lists) {
        std::string value;
        if (!takeValue(arg, l.name, i, argc, argv, value, error)) continue;
        if (error.empty() && value.find('=') == std::string::npos)
            error = std::string(l.name) + " takes NAME=VALUE, not '" + value + "'";
        (opts.*l.list).push_back(value);
        return error.empty();
    }
    error = "unknown option '" + arg + "'";
    return false;
}

template <std::size_t N>
bool lookUp(const Name (&names)[N], const std::string& word, int& value) {
    for (const Name& n : names) {
        if (sameIgnoringCase(word, n.word)) {
            value = n.value;
            return true;
        }
    }
    return false;
}

bool parseNewOption(const std::string& arg, int& i, int argc, const char* const* argv,
                    Options& opts, std::string& error) {
    std::string value;
    int number = 0;
    if (arg == "--hardcore") {
        opts.newbie.hardcore = true;
    } else if (takeValue(arg, "--game", i, argc, argv, value, error)) {
        if (error.empty() && !lookUp(kGames, value, number))
            error = "unknown game '" + value + "' (1.14d, 2.3, 2.4, 2.5 or remaster)";
        opts.newbie.version = static_cast<std::uint32_t>(number);
    } else if (takeValue(arg, "--edition", i, argc, argv, value, error)) {
        if (error.empty() && !lookUp(kEditions, value, opts.newbie.edition))
            error = "unknown edition '" + value + "' (classic, expansion or warlock)";
    } else {
        error = "unknown option '" + arg + "'";
    }
    return error.empty();
}

// Why the game chosen has no such character, in the options' words.
std::string newbieRefusal(const NewbieChoice& c) {
    const std::string game = LayoutOf(c.version).game, name = kEnglishNames[c.charClass];
    const std::string warlock = "the Warlock edition (--game remaster --edition warlock)";
    switch (DocNewbieRefusal(c)) {
        case NewbieRefusal::Edition:
            return game + " has no Warlock edition; the remaster 3.0 and later has";
        case NewbieRefusal::NeedsExpansion:
            return name + " is only for expansion characters, not with --edition classic";
        case NewbieRefusal::NeedsWarlock:
            return (c.version == 105 ? std::string("the Warlock") : game + " has no Warlock: he") +
                   " is only in " + warlock;
        case NewbieRefusal::Version:  // the table of games and ParseClass allow neither
        case NewbieRefusal::Class:
        case NewbieRefusal::None:
            break;
    }
    return "";
}

bool checkSet(const Options& opts, std::string& error) {
    if (opts.complete && opts.restart) {
        error = "--complete-game and --restart-game exclude each other";
    } else if (opts.skillsFull && opts.skillsNone) {
        error = "--skills-full and --skills-none exclude each other";
    } else if (opts.noBackup && opts.overwriteBackup) {
        error = "--no-backup and --overwrite-backup exclude each other";
    } else if (!opts.classArg.empty() && ParseClass(opts.classArg) < 0) {
        error = "unknown class '" + opts.classArg + "'";
    }
    return error.empty();
}

bool checkNew(Options& opts, const std::vector<std::string>& positional, std::string& error) {
    opts.classArg = positional[0];
    const int code = ParseClass(opts.classArg);
    if (code < 0) {
        error = "unknown class '" + opts.classArg + "'";
    } else if (opts.newbie.version) {
        opts.newbie.charClass = code;
        // A Warlock of the remaster can only be of his own edition.
        const bool warlock = code >= EXPANSION_CLASS_COUNT && opts.newbie.version == 105;
        if (!opts.newbie.edition)
            opts.newbie.edition = warlock ? EDITION_WARLOCK : EDITION_EXPANSION;
        error = newbieRefusal(opts.newbie);
    } else if (opts.newbie.edition || opts.newbie.hardcore) {
        error = "--edition and --hardcore choose for --game, which is missing";
    } else if (code >= EXPANSION_CLASS_COUNT) {
        error = std::string("new makes characters of version 89, which has no ") +
                kEnglishNames[code] + " (--game remaster makes one)";
    }
    if (error.empty() && !TestExt(opts.file.c_str() + FileNameStart(opts.file), "d2s"))
        error = "new makes save files, whose names end in .d2s: '" + opts.file + "'";
    return error.empty();
}

bool checkPositional(Options& opts, const std::vector<std::string>& positional,
                     std::string& error) {
    for (const std::string& word : positional) {
        if (word.empty()) {
            error = "empty argument where a class or file name belongs";
            return false;
        }
    }
    const bool isNew = opts.command == Command::New;
    const std::size_t wanted = isNew ? 2 : 1;
    if (positional.size() < wanted) {
        error = positional.empty() && isNew ? "missing arguments CLASS and FILE"
                                            : "missing argument FILE";
        return false;
    }
    if (positional.size() > wanted && opts.command != Command::Info &&
        opts.command != Command::Check) {
        error = "too many arguments";
        return false;
    }
    opts.files = positional;
    opts.file = positional.back();
    if (isNew) return checkNew(opts, positional, error);
    return opts.command != Command::Set || checkSet(opts, error);
}

bool parseCommandArgs(int argc, const char* const* argv, Options& opts, std::string& error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        bool ok = true;
        if (option && arg == "--") {
            optionsEnded = true;
        } else if (option && (arg == "--help" || arg == "-h")) {
            opts.helpTopic = argv[1];
            opts.command = Command::Help;
            return true;
        } else if (option && (opts.command == Command::Info || opts.command == Command::Check) &&
                   arg == "--json") {
            opts.json = true;
        } else if (option && opts.command == Command::Info && arg == "--progress") {
            opts.progress = true;
        } else if (option && (opts.command == Command::New || opts.command == Command::Set) &&
                   arg == "--force") {
            opts.force = true;
        } else if (option && opts.command == Command::Set) {
            ok = parseSetOption(arg, i, argc, argv, opts, error);
        } else if (option && opts.command == Command::New) {
            ok = parseNewOption(arg, i, argc, argv, opts, error);
        } else if (option) {
            error = "unknown option '" + arg + "'";
            ok = false;
        } else if (opts.command == Command::Set && !positional.empty()) {
            ok = addEdit(arg, opts, error);
        } else {
            positional.push_back(arg);
        }
        if (!ok) return false;
    }
    return checkPositional(opts, positional, error);
}

bool isTopic(const std::string& word) {
    return word == "info" || word == "set" || word == "new" || word == "check";
}

}  // namespace

int ParseClass(const std::string& text) {
    if (allDigits(text) && text.size() <= 2) {
        const int code = std::stoi(text);
        return code < kClassCount ? code : -1;
    }
    for (int i = 0; i < kClassCount; ++i) {
        if (sameIgnoringCase(text, kClassNames[i]) || sameIgnoringCase(text, kEnglishNames[i]))
            return i;
    }
    return -1;
}

bool ParseArgs(int argc, const char* const* argv, Options& opts, std::string& error) {
    opts = Options();
    if (argc < 2) {
        error = "missing command";
        return false;
    }
    const std::string command = argv[1];
    if (command == "--version" || command == "-V") {
        if (argc > 2) {
            error = "too many arguments";
            return false;
        }
        opts.command = Command::Version;
        return true;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        opts.command = Command::Help;
        opts.helpTopic = argc > 2 ? argv[2] : "";
        if (argc > 3) error = "too many arguments";
        if (!opts.helpTopic.empty() && !isTopic(opts.helpTopic))
            error = "unknown command '" + opts.helpTopic + "'";
        return error.empty();
    }
    if (command == "info") {
        opts.command = Command::Info;
    } else if (command == "set") {
        opts.command = Command::Set;
    } else if (command == "new") {
        opts.command = Command::New;
    } else if (command == "check") {
        opts.command = Command::Check;
    } else {
        const bool option = command.size() > 1 && command[0] == '-';
        error = (option ? "unknown option '" : "unknown command '") + command + "'";
        return false;
    }
    return parseCommandArgs(argc, argv, opts, error);
}

std::string HelpText(const std::string& topic) {
    if (topic == "info") return kInfoHelp;
    if (topic == "set") return kSetHelp;
    if (topic == "new") return kNewHelp;
    if (topic == "check") return CheckHelpText();
    std::string text = kOverviewHead;
    text +=
        "classes (any case; Druid and Assassin only for expansion characters, the Warlock\n"
        "only for version-105 characters of the Warlock edition):\n";
    for (int i = 0; i < kClassCount; ++i) {
        text += "  " + std::to_string(i) + "  " + kEnglishNames[i];
        if (std::strcmp(kEnglishNames[i], kClassNames[i]) != 0)
            text += std::string(" (") + kClassNames[i] + ")";
        text += "\n";
    }
    text += "\nfields of set (any case):\n ";
    for (const FieldInfo& f : kFields) text += std::string(" ") + f.name;
    return text + "\n" + kOverviewTail;
}

const char* ClassEnglishName(int code) {
    return code >= 0 && code < kClassCount ? kEnglishNames[code] : "unknown";
}

std::string VersionText() { return std::string("velmor-cli ") + VELMOR_VERSION + "\n"; }
