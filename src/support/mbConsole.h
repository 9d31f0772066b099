// The console message box keeps what it showed, for callers that report it themselves.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string>& ConsoleMessages();
void ConsoleClearMessages();
// Whether messages are also written to standard error (they are by default).
void ConsoleEchoMessages(bool on);
