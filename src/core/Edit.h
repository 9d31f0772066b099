// What a save is asked to do to the character beyond the typed fields: a plain record that
// the window and velmor-cli fill and the document applies (DocApplyEdit). Nothing in it
// refers to a window; an empty record leaves every byte as loaded.
#pragma once

#include <cstdint>

const int kDifficultyCount = 3;  // Normal, Nightmare, Hell
const int kQuestWordCount = 48;  // 16-bit words of one difficulty's quest block
const int kSkillCount = 30;      // skill bytes after "if"
const int kWaypointCount = 39;   // bits of one difficulty's waypoint block

enum class GameAction { Keep, Complete, Restart };
enum class SkillsAction { Keep, Full, None };

// A quest's state as the player chooses it: not started, reward waiting at its NPC, done.
enum class QuestState : signed char { Keep = -1, None = 0, Waiting = 1, Done = 2 };

// The named extra states of a difficulty; each a flag that is set, cleared or kept.
enum class QuestExtra { CowKing, ResistanceScroll, AkaraResetAvailable, AkaraResetUsed };
const int kQuestExtraCount = 4;
enum class Flag : signed char { Keep = -1, Off = 0, On = 1 };

struct CharEdit {
    // Whole-game actions, as the Edit menu's marks show them.
    GameAction game = GameAction::Keep;
    SkillsAction allSkills = SkillsAction::Keep;
    bool maxGold = false;
    // One skill byte each; -1 keeps the stored byte.
    short skills[kSkillCount];
    // The asked state of each quest word, per difficulty.
    QuestState quests[kDifficultyCount][kQuestWordCount];
    Flag extras[kDifficultyCount][kQuestExtraCount];
    // Waypoint bits to switch on and off, per difficulty (bit i = waypoint i).
    std::uint64_t waypointsOn[kDifficultyCount] = {}, waypointsOff[kDifficultyCount] = {};
    // The progression byte; -1 keeps it.
    int progression = -1;

    CharEdit();
    // Nothing asked for: a save writes the typed fields alone.
    bool empty() const;
};
