// The console stand-in for the window: fields and selector held in memory,
// so that velmor-cli and the tests run the same field rules as the editor.
#pragma once

#include <string>
#include <vector>

// Empties every field and the selector.
void ConsoleResetWindow();
std::string ConsoleGetText(int id);
std::vector<std::string> ConsoleComboEntries();
