// What velmor-cli prints about a character.
#pragma once

#include <string>
#include <vector>

class cAppData;

void PrintInfo(cAppData& ad, const std::string& file);
// One line of JSON.
void PrintInfoJson(cAppData& ad, const std::string& file);
// Skills, quests, waypoints and progression: in text, and as the JSON members that
// PrintInfoJson appends.
void PrintProgress(cAppData& ad);
void PrintProgressJson(cAppData& ad);
struct GameProblem;
// "FILE: ok" or "FILE: PROBLEM; PROBLEM", or one line of JSON; a note, when given, follows
// in parentheses (JSON: "note").
void PrintCheck(const std::string& file, const std::vector<GameProblem>& problems, bool json,
                const std::string& note = "");
