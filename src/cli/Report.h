// What velmor-cli prints about a character.
#pragma once

#include <string>

class cAppData;

void PrintInfo(cAppData& ad, const std::string& file);
// One line of JSON.
void PrintInfoJson(cAppData& ad, const std::string& file);
