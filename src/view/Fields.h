// The twelve edit fields and the class selector, bound to cAppData::player.
#pragma once

class cAppData;

struct FieldInfo {
    int id;
    const char* name;  // the PlayerData member it shows
};
const int kFieldCount = 12;
// In the order in which ViewGetData reads them.
extern const FieldInfo kFields[kFieldCount];

int FitVal(cAppData& ad, const int& id, const int& min, const int& max);
void ViewGetData(cAppData& ad);
// player differs from the file's values as the limits read them back: stored values that
// the limits change are not an edit.
bool ViewPlayerEdited(cAppData& ad);
void ViewSetData(cAppData& ad);
void ViewOnMaxGold(cAppData& ad, const bool& on);
// Whether the edit record asks for anything beyond the fields.
bool ViewDataChanged(cAppData& ad);
void ViewInitCombo(cAppData& ad);
void ViewResetCombo(cAppData& ad);
