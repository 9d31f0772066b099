#include "core/Edit.h"

CharEdit::CharEdit() {
    for (short& s : skills) s = -1;
    for (auto& difficulty : quests) {
        for (QuestState& q : difficulty) q = QuestState::Keep;
    }
    for (auto& difficulty : extras) {
        for (Flag& f : difficulty) f = Flag::Keep;
    }
}

bool CharEdit::empty() const {
    if (game != GameAction::Keep || allSkills != SkillsAction::Keep || maxGold || progression >= 0)
        return false;
    for (short s : skills) {
        if (s >= 0) return false;
    }
    for (int d = 0; d < kDifficultyCount; ++d) {
        if (waypointsOn[d] || waypointsOff[d]) return false;
        for (QuestState q : quests[d]) {
            if (q != QuestState::Keep) return false;
        }
        for (Flag f : extras[d]) {
            if (f != Flag::Keep) return false;
        }
    }
    return true;
}
