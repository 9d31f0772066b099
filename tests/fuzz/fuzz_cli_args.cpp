// velmor-cli's argument parser on argument vectors cut from the input at NUL bytes. A
// refusal must say why; an acceptance must describe a command that the words asked for,
// with options that agree with each other and with the words given.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "app/Constants.h"
#include "cli/Args.h"
#include "view/Fields.h"

namespace {

bool SameIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// A selector name in any case, or a class code 0-6.
bool KnownClass(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '6') return true;
    for (const char* name : kClassNames) {
        if (SameIgnoringCase(text, name)) return true;
    }
    return false;
}

const char* FieldName(int id) {
    for (const FieldInfo& f : kFields) {
        if (f.id == id) return f.name;
    }
    return nullptr;
}

struct Words {
    std::vector<std::string> args;  // argv[1..]
    // Whether w is one of the words behind the command word.
    bool Given(const std::string& w) const {
        return args.size() > 1 && std::find(args.begin() + 1, args.end(), w) != args.end();
    }
};

void CheckNoSetOptions(const Options& o) {
    FUZZ_REQUIRE(o.edits.empty());
    FUZZ_REQUIRE(!o.complete && !o.restart && !o.skillsFull && !o.skillsNone && !o.maxGold);
    FUZZ_REQUIRE(!o.noBackup && !o.overwriteBackup);
    FUZZ_REQUIRE(o.output.empty());
}

void CheckFile(const Options& o, const Words& w) {
    FUZZ_REQUIRE(!o.file.empty());
    FUZZ_REQUIRE(w.Given(o.file));
}

void CheckSet(const Options& o, const Words& w) {
    CheckFile(o, w);
    FUZZ_REQUIRE(!(o.complete && o.restart));
    FUZZ_REQUIRE(!(o.skillsFull && o.skillsNone));
    FUZZ_REQUIRE(!(o.noBackup && o.overwriteBackup));
    FUZZ_REQUIRE(!o.complete || w.Given("--complete-game"));
    FUZZ_REQUIRE(!o.restart || w.Given("--restart-game"));
    FUZZ_REQUIRE(!o.skillsFull || w.Given("--skills-full"));
    FUZZ_REQUIRE(!o.skillsNone || w.Given("--skills-none"));
    FUZZ_REQUIRE(!o.maxGold || w.Given("--max-gold"));
    FUZZ_REQUIRE(!o.noBackup || w.Given("--no-backup"));
    FUZZ_REQUIRE(!o.overwriteBackup || w.Given("--overwrite-backup"));
    FUZZ_REQUIRE(o.classArg.empty() || (KnownClass(o.classArg) && w.Given("--class")));
    FUZZ_REQUIRE(o.output.empty() || (w.Given(o.output) && w.Given("--output")));
    FUZZ_REQUIRE(!o.json && !o.force);
    for (std::size_t i = 0; i < o.edits.size(); ++i) {
        const char* name = FieldName(o.edits[i].first);
        FUZZ_REQUIRE(name != nullptr);
        FUZZ_REQUIRE(w.Given(std::string(name) + "=" + o.edits[i].second));
        for (std::size_t j = 0; j < i; ++j) FUZZ_REQUIRE(o.edits[j].first != o.edits[i].first);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    Words w;
    w.args = SplitAtNul(data, size, 24);
    if (size == 0) w.args.clear();  // no words at all: just the program name
    std::vector<std::vector<char>> storage;
    storage.push_back(ExactCopy("velmor-cli"));
    for (const std::string& a : w.args) storage.push_back(ExactCopy(a));
    std::vector<const char*> argv;
    for (const std::vector<char>& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);

    // Left-overs of an earlier parse must not survive.
    Options o;
    o.file = "stale.d2s";
    o.edits.emplace_back(1007, "5");
    o.complete = o.json = o.force = true;
    std::string error;
    const bool ok = ParseArgs(static_cast<int>(argv.size() - 1), argv.data(), o, error);
    // The reason goes back in error; nothing is shown on the way.
    FUZZ_REQUIRE(ConsoleMessages().empty());
    if (!ok) {
        FUZZ_REQUIRE(!error.empty());
        return 0;
    }
    FUZZ_REQUIRE(error.empty());
    FUZZ_REQUIRE(!w.args.empty());
    const std::string& command = w.args[0];
    switch (o.command) {
        case Command::Help:
            FUZZ_REQUIRE(command == "help" || command == "--help" || command == "-h" ||
                         w.Given("--help") || w.Given("-h"));
            // What was parsed before a --help is ignored, so only the topic matters.
            FUZZ_REQUIRE(o.helpTopic.empty() || o.helpTopic == command || w.Given(o.helpTopic));
            FUZZ_REQUIRE(HelpText(o.helpTopic) != nullptr && *HelpText(o.helpTopic) != 0);
            break;
        case Command::Info:
            FUZZ_REQUIRE(command == "info");
            CheckFile(o, w);
            CheckNoSetOptions(o);
            FUZZ_REQUIRE(o.classArg.empty() && !o.force);
            FUZZ_REQUIRE(!o.json || w.Given("--json"));
            break;
        case Command::New:
            FUZZ_REQUIRE(command == "new");
            CheckFile(o, w);
            CheckNoSetOptions(o);
            FUZZ_REQUIRE(KnownClass(o.classArg) && w.Given(o.classArg));
            FUZZ_REQUIRE(!o.json);
            FUZZ_REQUIRE(!o.force || w.Given("--force"));
            break;
        case Command::Set:
            FUZZ_REQUIRE(command == "set");
            CheckSet(o, w);
            break;
    }
    return 0;
}
