#include "cli/Args.h"

#include <cctype>
#include <cstring>

#include "app/Constants.h"
#include "view/Fields.h"

namespace {

const char* const kOverview =
    "usage: velmor-cli COMMAND [ARGS]\n"
    "\n"
    "Edits Diablo II character save files (.d2s) with the editor's own rules.\n"
    "\n"
    "commands:\n"
    "  info FILE [--json]      show a character\n"
    "  set FILE [FIELD=TEXT ...] [options]\n"
    "                          change a character as the editor's window would\n"
    "  new CLASS FILE [--force]\n"
    "                          make a new level-1 character\n"
    "\n"
    "'velmor-cli COMMAND --help' describes one command.\n"
    "Exit status: 0 done, 1 input refused (nothing written), 2 bad usage.\n";

const char* const kInfoHelp =
    "usage: velmor-cli info FILE [--json]\n"
    "\n"
    "Shows the character's name, class, status flags, format version, size and the\n"
    "values the editor edits. --json prints one JSON object instead.\n"
    "Files of format versions other than 87 and 89 are shown with a warning: their\n"
    "layout differs and the values read from them cannot be trusted.\n";

const char* const kSetHelp =
    "usage: velmor-cli set FILE [FIELD=TEXT ...] [options]\n"
    "\n"
    "Types each TEXT into the editor's field FIELD and saves the character as the\n"
    "editor's Save command does. FIELD is one of:\n"
    "  level strength energy dexterity vitality stamina life mana\n"
    "  skillPoints statPoints gold goldStash\n"
    "TEXT is read as the field reads it (leading number, sign dropped, then limited);\n"
    "every value the limits change is printed. A changed level sets the experience.\n"
    "\n"
    "options:\n"
    "  --class CLASS        class name as the selector lists it, or its code\n"
    "  --complete-game      all quests, waypoints and acts done\n"
    "  --restart-game       all quests, waypoints, acts and introductions cleared\n"
    "  --skills-full        every skill at level 20\n"
    "  --skills-none        every skill at level 0\n"
    "  --max-gold           gold and stash gold at the maxima of the level\n"
    "  --no-backup          do not make the backup copy NAME.bakvelmor\n"
    "  --overwrite-backup   replace an existing backup copy (it is kept otherwise)\n"
    "  --output OUT         save as OUT instead (the character takes OUT's name and its\n"
    "                       side files are copied along); FILE is left untouched\n"
    "\n"
    "A backup file (.bakvelmor) is never written in place; use --output.\n";

const char* const kNewHelp =
    "usage: velmor-cli new CLASS FILE [--force]\n"
    "\n"
    "Makes a new level-1 character of CLASS (Amazone, Sorceress, Necromancer, Paladin,\n"
    "Barbar, Druid, Assassine, or the code 0-6) named after FILE, which must be 2 to 15\n"
    "letters plus its extension. An existing FILE is replaced only with --force.\n";

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

int fieldId(const std::string& name) {
    for (const FieldInfo& f : kFields) {
        if (name == f.name) return f.id;
    }
    return 0;
}

bool addEdit(const std::string& arg, Options& opts, std::string& error) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
        error = "expected FIELD=TEXT, got '" + arg + "'";
        return false;
    }
    const int id = fieldId(arg.substr(0, eq));
    if (id == 0) {
        error = "unknown field '" + arg.substr(0, eq) + "'";
        return false;
    }
    for (const auto& e : opts.edits) {
        if (e.first == id) {
            error = "field '" + arg.substr(0, eq) + "' given twice";
            return false;
        }
    }
    opts.edits.emplace_back(id, arg.substr(eq + 1));
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
    if (arg == "--class" || arg == "--output") {
        if (i + 1 >= argc) {
            error = arg + " needs a value";
            return false;
        }
        (arg == "--class" ? opts.classArg : opts.output) = argv[++i];
        if (arg == "--output" && opts.output.empty()) {
            error = "--output needs a file name";
            return false;
        }
        return true;
    }
    error = "unknown option '" + arg + "'";
    return false;
}

bool checkSet(Options& opts, std::string& error) {
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

bool parseCommandArgs(int argc, const char* const* argv, Options& opts, std::string& error) {
    std::vector<std::string> positional;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            opts.helpTopic = argv[1];
            opts.command = Command::Help;
            return true;
        }
        bool ok = true;
        if (opts.command == Command::Info && arg == "--json") {
            opts.json = true;
        } else if (opts.command == Command::New && arg == "--force") {
            opts.force = true;
        } else if (opts.command == Command::Set && arg.rfind("--", 0) == 0) {
            ok = parseSetOption(arg, i, argc, argv, opts, error);
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option '" + arg + "'";
            ok = false;
        } else if (opts.command == Command::Set && !positional.empty()) {
            ok = addEdit(arg, opts, error);
        } else {
            positional.push_back(arg);
        }
        if (!ok) return false;
    }
    for (const std::string& word : positional) {
        if (word.empty()) {
            error = "empty argument where a class or file name belongs";
            return false;
        }
    }
    const std::size_t wanted = opts.command == Command::New ? 2 : 1;
    if (positional.size() != wanted) {
        error = positional.size() < wanted ? "missing argument" : "too many arguments";
        return false;
    }
    if (opts.command == Command::New) {
        opts.classArg = positional[0];
        if (ParseClass(opts.classArg) < 0) {
            error = "unknown class '" + opts.classArg + "'";
            return false;
        }
    }
    opts.file = positional.back();
    return opts.command != Command::Set || checkSet(opts, error);
}

}  // namespace

int ParseClass(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kClassCount) return text[0] - '0';
    for (int i = 0; i < kClassCount; ++i) {
        if (sameIgnoringCase(text, kClassNames[i])) return i;
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
    if (command == "--help" || command == "-h" || command == "help") {
        opts.command = Command::Help;
        opts.helpTopic = argc > 2 ? argv[2] : "";
        return true;
    }
    if (command == "info") {
        opts.command = Command::Info;
    } else if (command == "set") {
        opts.command = Command::Set;
    } else if (command == "new") {
        opts.command = Command::New;
    } else {
        error = "unknown command '" + command + "'";
        return false;
    }
    return parseCommandArgs(argc, argv, opts, error);
}

const char* HelpText(const std::string& topic) {
    if (topic == "info") return kInfoHelp;
    if (topic == "set") return kSetHelp;
    if (topic == "new") return kNewHelp;
    return kOverview;
}
