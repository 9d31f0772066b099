#include "view/Fields.h"

#include <cstdio>

#include "app/AppData.h"
#include "app/Constants.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "view/Limits.h"
#include "view/Ui.h"

const FieldInfo kFields[kFieldCount] = {
    {IDC_LEVEL, "level"},
    {IDC_STRENGTH, "strength"},
    {IDC_ENERGY, "energy"},
    {IDC_DEXTERITY, "dexterity"},
    {IDC_VITALITY, "vitality"},
    {IDC_STAMINA, "stamina"},
    {IDC_LIFE, "life"},
    {IDC_MANA, "mana"},
    {IDC_SKILLPOINTS, "skillPoints"},
    {IDC_STATPOINTS, "statPoints"},
    {IDC_GOLD, "gold"},
    {IDC_GOLDSTASH, "goldStash"},
};

const int kPendingItems[kPendingCount] = {IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE,
                                          IDM_RESTART, IDM_MAXGOLD};

namespace {

const int kStatMax = 30000;
const int kBarbarianStaminaMax = 6000;
const int kPointsMax = 600;
const int kBarbarian = 4;

void setNumber(cAppData& ad, int id, long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    UiSetText(ad, id, text);
}

void setGoldFields(cAppData& ad, unsigned int gold, unsigned int stash) {
    setNumber(ad, IDC_GOLD, static_cast<int>(gold));
    setNumber(ad, IDC_GOLDSTASH, static_cast<int>(stash));
}

}  // namespace

int FitVal(cAppData& ad, const int& id, const int& min, const int& max) {
    char text[50] = "";
    UiGetText(ad, id, text, sizeof text);
    const int value = FitNumber(text, min, max);
    setNumber(ad, id, value);
    return value;
}

void ViewGetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    PlayerData& p = ad.player;
    // A damaged file may hold a class the selector cannot list; it then keeps its class.
    const int sel = UiComboSel(ad);
    p.charClass =
        sel >= 0 ? static_cast<signed char>(sel) : static_cast<signed char>(ad.data[OFS_CLASS]);
    p.level = static_cast<signed char>(FitVal(ad, IDC_LEVEL, 1, 99));
    if (p.level != ad.loaded.level) p.experience = explev[p.level];
    p.strength = FitVal(ad, IDC_STRENGTH, 1, kStatMax);
    p.energy = FitVal(ad, IDC_ENERGY, 1, kStatMax);
    p.dexterity = FitVal(ad, IDC_DEXTERITY, 1, kStatMax);
    p.vitality = FitVal(ad, IDC_VITALITY, 1, kStatMax);
    const int staminaMax = p.charClass == kBarbarian ? kBarbarianStaminaMax : kStatMax;
    p.stamina = static_cast<unsigned short>(FitVal(ad, IDC_STAMINA, 1, staminaMax));
    p.life = static_cast<unsigned short>(FitVal(ad, IDC_LIFE, 1, kStatMax));
    p.mana = static_cast<unsigned short>(FitVal(ad, IDC_MANA, 1, kStatMax));
    p.skillPoints = FitVal(ad, IDC_SKILLPOINTS, 0, kPointsMax);
    p.statPoints = FitVal(ad, IDC_STATPOINTS, 0, kPointsMax);
    const int goldMax = static_cast<int>(MaxGold_P(p.level));
    const int stashMax = static_cast<int>(MaxGold_S(ad));
    const bool forced = UiMenuChecked(ad, IDM_MAXGOLD);
    p.gold = FitVal(ad, IDC_GOLD, forced ? goldMax : 0, goldMax);
    p.goldStash = FitVal(ad, IDC_GOLDSTASH, forced ? stashMax : 0, stashMax);
}

void ViewSetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    const PlayerData& p = ad.player;
    setNumber(ad, IDC_LEVEL, p.level);
    setNumber(ad, IDC_STRENGTH, static_cast<int>(p.strength));
    setNumber(ad, IDC_ENERGY, static_cast<int>(p.energy));
    setNumber(ad, IDC_DEXTERITY, static_cast<int>(p.dexterity));
    setNumber(ad, IDC_VITALITY, static_cast<int>(p.vitality));
    setNumber(ad, IDC_STAMINA, p.stamina);
    setNumber(ad, IDC_LIFE, p.life);
    setNumber(ad, IDC_MANA, p.mana);
    setNumber(ad, IDC_SKILLPOINTS, static_cast<int>(p.skillPoints));
    setNumber(ad, IDC_STATPOINTS, static_cast<int>(p.statPoints));
    setGoldFields(ad, p.gold, p.goldStash);
    UiComboSelect(ad, static_cast<signed char>(ad.data[OFS_CLASS]));
}

void ViewOnMaxGold(cAppData& ad, const bool& on) {
    if (on) {
        setGoldFields(ad, MaxGold_P(ad.player.level), MaxGold_S(ad));
    } else {
        setGoldFields(ad, ad.loaded.gold, ad.loaded.goldStash);
    }
}

bool ViewDataChanged(cAppData& ad) {
    for (int id : kPendingItems) {
        if (UiMenuChecked(ad, id)) return true;
    }
    return false;
}

void ViewInitCombo(cAppData& ad) {
    UiComboReset(ad);
    const int count = ad.exp() ? kClassCount : kClassicClassCount;
    for (int i = 0; i < count; ++i) UiComboAdd(ad, kClassNames[i]);
    UiComboSelect(ad, 0);
}

void ViewResetCombo(cAppData& ad) {
    UiComboReset(ad);
    UiComboAdd(ad, sclear);
    UiComboSelect(ad, 0);
}

void ViewResetMenu(cAppData& ad) {
    for (int id : kPendingItems) UiMenuCheck(ad, id, false);
}
