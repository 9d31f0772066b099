// What velmor-cli prints about a character.
#pragma once

#include <string>

class cAppData;

void PrintInfo(cAppData& ad, const std::string& file);
void PrintInfoJson(cAppData& ad);
std::string ClassName(int code);
