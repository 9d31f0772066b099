// What the editor starts with: its command line and the folder its list shows first.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The editor's command line after the program's name: an optional "--lang=en" or
// "--lang=zh" first, then the save to open, with or without quotes.
struct EditorArgs {
    std::string lang;  // "en", "zh", or empty for the user's language
    std::string file;  // quotes removed
};
EditorArgs ParseEditorArgs(const std::string& args);
// A whole command line without the program's name (quoted or not) that begins it.
std::string ArgsAfterProgram(const std::string& commandLine);

// The remaster's save folder inside the profile's "Saved Games" folder, with a trailing
// backslash; empty when that folder is unknown.
std::string RemasterSaveFolder(const std::string& savedGames);
// The first of the candidates, in order of preference (the editor's: the classic game's
// save folder, then the remaster's), that is a folder; else current. A file named on the
// command line comes before them all: its folder is the start folder.
std::string ChooseStartFolder(const std::vector<std::string>& candidates,
                              const std::function<bool(const std::string&)>& isFolder,
                              const std::string& current);
