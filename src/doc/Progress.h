// Skills, quests and waypoints one by one: the game's names for them, what the open file
// holds, and the one function that applies an edit record to the bytes.
#pragma once

#include <cstdint>
#include <string>

#include "core/Edit.h"

class cDocument;  // the open file: bytes, layout, loaded and edited records
struct PlayerData;

// Skills of a class in file order: byte i after "if" is skill SkillOf(class, i).
struct SkillInfo {
    int id;            // the game's skill id (Fire Bolt 36, Summon Goatman 373)
    const char* name;  // English display name
    int tree;          // 0, 1 or 2: the class's three skill trees in the game's order
};
// A class code outside 0-7 reads as the Amazon's.
SkillInfo SkillOf(int charClass, int index);
// The English names of a class's three trees ("Fire Spells", ...).
const char* SkillTreeName(int charClass, int tree);
// Index 0-29 of a skill of the class by name (any case) or id; -1 when it has none such.
int SkillIndex(int charClass, const std::string& nameOrId);

// The quests that the editor shows: acts I-IV, and act V for expansion characters.
struct QuestInfo {
    int act;             // 1-5
    int word;            // word of the difficulty's quest block
    const char* name;    // "Den of Evil"
    bool waiting;        // an NPC hands the reward out in play: "reward waiting" is offered
    const char* reward;  // what marking it done adds, "" when nothing ("+1 skill point")
};
int QuestCount();  // every quest of acts I-V, in act order
const QuestInfo& QuestAt(int i);
// -1 when the name (any case) is no quest's.
int QuestIndex(const std::string& name);
// Whether the character has the quest: act V's only for expansion characters.
bool QuestOffered(const cDocument& doc, int i);
const char* QuestExtraName(QuestExtra extra);  // "Cow King killed", ...
// -1 when the name (any case) is no extra state's.
int QuestExtraIndex(const std::string& name);
// Whether the game that wrote the file uses the state: Akara's reset only from 1.13 on.
bool QuestExtraOffered(const cDocument& doc, QuestExtra extra);

const char* DifficultyName(int difficulty);    // "Normal", "Nightmare", "Hell"
int DifficultyIndex(const std::string& name);  // any case; -1 when none

const char* WaypointName(int index);         // "Rogue Encampment" ... "Worldstone Keep Level 2"
int WaypointActStart(int act);               // act 1-5: its first waypoint; 6: 39
int WaypointIndex(const std::string& name);  // any case; -1 when none
int WaypointCount(const cDocument& doc);     // 39, or 30 for a classic character
const int kHallsOfPain = 35;  // switching it on closes Anya's portal to Nihlathak's Temple

// What the open file holds (before any edit).
int DocSkill(const cDocument& doc, int index);  // -1 where the file has no skill bytes
std::uint16_t DocQuestWord(const cDocument& doc, int difficulty, int word);
QuestState DocQuestState(const cDocument& doc, int difficulty, int word);
bool DocQuestExtra(const cDocument& doc, int difficulty, QuestExtra extra);
bool DocWaypoint(const cDocument& doc, int difficulty, int index);
int DocProgression(const cDocument& doc);
// The progression values the game itself writes for this character (0, 1, 2, 3, 5, ...
// for the expansion; 0-12 classic).
bool ProgressionAllowed(const cDocument& doc, int value);

// Writes the record into the bytes: whole-game actions first, then the one-by-one edits,
// each touching only its own word, bit or byte. The rewards of quests newly marked done
// are added to player (skill and stat points, life), which the save encodes next: a quest
// done already gives nothing again, and clearing one takes nothing back.
void DocApplyEdit(cDocument& doc, const CharEdit& edit, PlayerData& player);
