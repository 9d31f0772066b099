// Command-line parsing of velmor-cli.
#pragma once

#include <string>
#include <utility>
#include <vector>

enum ExitCode { EXIT_OK = 0, EXIT_REFUSED = 1, EXIT_USAGE = 2 };

enum class Command { Help, Info, Set, New };

struct Options {
    Command command = Command::Help;
    std::string helpTopic;  // sub-command whose help was asked for
    std::string file;
    std::string classArg;  // CLASS of new, --class of set
    bool json = false;
    bool force = false;
    // set
    std::vector<std::pair<int, std::string>> edits;  // edit-field ID and the text typed
    bool complete = false, restart = false;
    bool skillsFull = false, skillsNone = false;
    bool maxGold = false;
    bool noBackup = false, overwriteBackup = false;
    std::string output;
};

// Fills opts from argv; on bad usage returns false with the reason in error.
bool ParseArgs(int argc, const char* const* argv, Options& opts, std::string& error);

// Help text of a sub-command ("" for the overview).
const char* HelpText(const std::string& topic);

// Class code for a selector name (any case) or a code 0-6; -1 when it is neither.
int ParseClass(const std::string& text);
