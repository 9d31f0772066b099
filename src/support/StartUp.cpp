#include "support/StartUp.h"

#include <algorithm>

namespace {

const char* const kLangSwitch = "--lang=";

std::size_t skipSpaces(const std::string& s, std::size_t at) {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t')) ++at;
    return at;
}

}  // namespace

EditorArgs ParseEditorArgs(const std::string& args) {
    EditorArgs out;
    std::size_t at = skipSpaces(args, 0);
    if (args.compare(at, std::char_traits<char>::length(kLangSwitch), kLangSwitch) == 0) {
        const std::size_t end = std::min(args.find_first_of(" \t", at), args.size());
        out.lang = args.substr(at + 7, end - at - 7);
        at = skipSpaces(args, end);
    }
    out.file = args.substr(at);
    out.file.erase(std::remove(out.file.begin(), out.file.end(), '"'), out.file.end());
    while (!out.file.empty() && (out.file.back() == ' ' || out.file.back() == '\t'))
        out.file.pop_back();
    return out;
}

std::string ArgsAfterProgram(const std::string& commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        at = commandLine.find('"', 1);
        at = at == std::string::npos ? commandLine.size() : at + 1;
    } else {
        at = std::min(commandLine.find_first_of(" \t"), commandLine.size());
    }
    return commandLine.substr(skipSpaces(commandLine, at));
}

std::string RemasterSaveFolder(const std::string& savedGames) {
    if (savedGames.empty()) return std::string();
    const bool slash = savedGames.back() == '\\';
    return savedGames + (slash ? "" : "\\") + "Diablo II Resurrected\\";
}

std::string ChooseStartFolder(const std::vector<std::string>& candidates,
                              const std::function<bool(const std::string&)>& isFolder,
                              const std::string& current) {
    for (const std::string& c : candidates)
        if (!c.empty() && isFolder(c)) return c;
    return current;
}
