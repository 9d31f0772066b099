#include <cstdio>
#include <string>

#include "support/mb.h"
#include "support/mbConsole.h"

namespace {

std::vector<std::string>& messages() {
    static std::vector<std::string> m;
    return m;
}

bool echo = true;

}  // namespace

const std::vector<std::string>& ConsoleMessages() { return messages(); }

void ConsoleClearMessages() { messages().clear(); }

void ConsoleEchoMessages(bool on) { echo = on; }

void mbSetOwner(HWND__*) {}

void mb(const char* text) { mb(text, nullptr); }

void mb(const char* text, HWND__* const&) {
    std::string line = text ? text : "";
    for (char& c : line) {
        if (c == '\n' || c == '\t') c = ' ';
    }
    messages().push_back(line);
    if (echo) std::fprintf(stderr, "%s\n", line.c_str());
}
