// Shared helpers of the native tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Bytes.h"

// A fresh folder under the system's temporary folder, removed with its contents.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// Every entry under the folder by relative path: a file as its bytes, a folder as "/",
// a link as "->" and its target.
std::map<std::string, Bytes> Snapshot(const std::string& folder);

// The template image as listed byte by byte, built apart from the editor's own copy.
Bytes ExpectedTemplate();

struct CliResult {
    int status;
    std::string out, err;
};
// Runs velmor-cli with the arguments (each passed as one word) in the folder cwd.
CliResult RunCli(const std::vector<std::string>& args, const std::string& cwd,
                 const std::string& shellPrefix = "");

class cAppData;
// Opens the bytes as a save file (written to a temporary file) and decodes it.
bool LoadDoc(cAppData& ad, const Bytes& bytes);
// The document's bytes as they would be saved.
Bytes DocBytes(const cAppData& ad);
