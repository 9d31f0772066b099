// Command-line parsing of velmor-cli.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "doc/DocNewbie.h"

enum ExitCode { EXIT_OK = 0, EXIT_REFUSED = 1, EXIT_USAGE = 2 };

enum class Command { Help, Version, Info, Set, New, Check };

struct Options {
    Command command = Command::Help;
    std::string helpTopic;           // sub-command whose help was asked for
    std::vector<std::string> files;  // the files of info and check
    std::string file;                // the file of set and new
    std::string classArg;            // CLASS of new, --class of set
    bool json = false;
    bool progress = false;  // info: skills, quests, waypoints and progression too
    bool force = false;
    // set
    std::vector<std::pair<int, std::string>> edits;  // edit-field ID and the number typed
    bool complete = false, restart = false;
    bool skillsFull = false, skillsNone = false;
    bool maxGold = false;
    // One by one, as typed: "NAME=N", "DIFFICULTY:QUEST=STATE", "DIFFICULTY:NAME=on|off",
    // "DIFFICULTY=all|none", "DIFFICULTY:STATE=on|off"; resolved against the open file.
    std::vector<std::string> skills, quests, waypoints, waypointSets, questFlags;
    std::string progression;
    bool noBackup = false, overwriteBackup = false;
    std::string output;
    // new --game: the newbie file of that game's version (0: the 1.08 template); its class
    // and time are filled in when it is made.
    NewbieChoice newbie;
};

// Fills opts from argv; on bad usage returns false with the reason in error.
bool ParseArgs(int argc, const char* const* argv, Options& opts, std::string& error);

// Help text of a sub-command ("" for the overview, which lists the classes and fields).
std::string HelpText(const std::string& topic);

// "velmor-cli X.Y.Z" and a newline.
std::string VersionText();

// Class code for a selector name or the class's English name (any case), or a code 0-7;
// -1 when it is none of them.
int ParseClass(const std::string& text);
// The class's usual English name ("Barbarian"); "unknown" for a code of no class.
const char* ClassEnglishName(int code);
