// The Edit menu's check marks as an edit record: each mark is one whole-game action of
// CharEdit, so the marks show the record and a click changes the record.
#pragma once

#include "core/Edit.h"

const int kMarkCount = 5;
extern const int kMarkItems[kMarkCount];

bool EditMarked(const CharEdit& edit, const int& id);
// A click on a mark: it switches the action on or off; complete and restart, and all skills
// full and none, exclude each other.
void EditSwitchMark(CharEdit& edit, const int& id);
