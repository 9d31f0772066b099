#include "view/Marks.h"

#include "res/resource.h"

const int kMarkItems[kMarkCount] = {IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE, IDM_RESTART,
                                    IDM_MAXGOLD};

bool EditMarked(const CharEdit& edit, const int& id) {
    switch (id) {
        case IDM_SKILLS_FULL:
            return edit.allSkills == SkillsAction::Full;
        case IDM_SKILLS_NONE:
            return edit.allSkills == SkillsAction::None;
        case IDM_COMPLETE:
            return edit.game == GameAction::Complete;
        case IDM_RESTART:
            return edit.game == GameAction::Restart;
        case IDM_MAXGOLD:
            return edit.maxGold;
    }
    return false;
}

void EditSwitchMark(CharEdit& edit, const int& id) {
    const bool on = !EditMarked(edit, id);
    switch (id) {
        case IDM_SKILLS_FULL:
        case IDM_SKILLS_NONE:
            edit.allSkills = !on                     ? SkillsAction::Keep
                             : id == IDM_SKILLS_FULL ? SkillsAction::Full
                                                     : SkillsAction::None;
            break;
        case IDM_COMPLETE:
        case IDM_RESTART:
            edit.game = !on                  ? GameAction::Keep
                        : id == IDM_COMPLETE ? GameAction::Complete
                                             : GameAction::Restart;
            break;
        case IDM_MAXGOLD:
            edit.maxGold = on;
            break;
    }
}
