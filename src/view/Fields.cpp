#include "view/Fields.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/AppData.h"
#include "core/Constants.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Limits.h"
#include "res/resource.h"
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

namespace {

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

namespace {

// The number a field shows for one value of the record.
long long shown(const PlayerData& p, int id) {
    switch (id) {
        case IDC_LEVEL:
            return p.level;
        case IDC_STRENGTH:
            return static_cast<int>(p.strength);
        case IDC_ENERGY:
            return static_cast<int>(p.energy);
        case IDC_DEXTERITY:
            return static_cast<int>(p.dexterity);
        case IDC_VITALITY:
            return static_cast<int>(p.vitality);
        case IDC_STAMINA:
            return p.stamina;
        case IDC_LIFE:
            return p.life;
        case IDC_MANA:
            return p.mana;
        case IDC_SKILLPOINTS:
            return static_cast<int>(p.skillPoints);
        case IDC_STATPOINTS:
            return static_cast<int>(p.statPoints);
        case IDC_GOLD:
            return static_cast<int>(p.gold);
        case IDC_GOLDSTASH:
            return static_cast<int>(p.goldStash);
    }
    return 0;
}

// The field limits, applied in reading order: the class and the level read first set the
// stamina and gold limits. read(id, min, max) yields one field's limited number. The game
// keeps every attribute value it finds, so the bounds of those fields reach the stored
// value: a value the player did not type is never changed by a save, and a typed one may go
// as far as the stored one. Level and gold stay within the game's own bounds (the game sets
// gold above its cap to 0), the stash as far as some game of the version keeps it.
template <class Read>
void readFields(PlayerData& p, const PlayerData& loaded, const cAppData& ad, bool forcedGold,
                Read read) {
    const FieldLimits& max = FieldLimitsOf(ad);
    const std::uint32_t version = DocFormatVersion(ad);
    const auto keeping = [&](int id, int lo, int hi) {
        const long long stored = shown(loaded, id);
        if (stored < 0) return read(id, lo, hi);
        return read(id, static_cast<int>(std::min<long long>(lo, stored)),
                    static_cast<int>(std::max<long long>(hi, stored)));
    };
    p.level = static_cast<signed char>(read(IDC_LEVEL, 1, 99));
    if (p.level != loaded.level) p.experience = explev[p.level];
    p.strength = keeping(IDC_STRENGTH, 1, max.stat);
    p.energy = keeping(IDC_ENERGY, 1, max.stat);
    p.dexterity = keeping(IDC_DEXTERITY, 1, max.stat);
    p.vitality = keeping(IDC_VITALITY, 1, max.stat);
    const int staminaMax = p.charClass == CLASS_BARBARIAN ? max.barbarianStamina : max.pool;
    p.stamina = static_cast<unsigned short>(keeping(IDC_STAMINA, 1, staminaMax));
    p.life = static_cast<unsigned short>(keeping(IDC_LIFE, 1, max.pool));
    p.mana = static_cast<unsigned short>(keeping(IDC_MANA, 1, max.pool));
    p.skillPoints = keeping(IDC_SKILLPOINTS, 0, max.skillPoints);
    p.statPoints = keeping(IDC_STATPOINTS, 0, max.statPoints);
    const int goldMax = static_cast<int>(MaxGold_P(p.level));
    const int stashMax = static_cast<int>(StashLimit(p.level, version, loaded.goldStash));
    p.gold = read(IDC_GOLD, forcedGold ? goldMax : 0, goldMax);
    p.goldStash = read(IDC_GOLDSTASH, forcedGold ? stashMax : 0, stashMax);
}

}  // namespace

void ViewGetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    PlayerData& p = ad.player;
    // A damaged file may hold a class the selector cannot list; it then keeps its class.
    const int sel = UiComboSel(ad);
    p.charClass = sel >= 0 ? static_cast<signed char>(sel)
                           : static_cast<signed char>(ad.data[DocLayout(ad).charClass]);
    readFields(p, ad.loaded, ad, ad.edit.maxGold,
               [&ad](int id, int min, int max) { return FitVal(ad, id, min, max); });
}

bool ViewPlayerEdited(cAppData& ad) {
    if (!ad.fileopen() || !(ad.player != ad.loaded)) return false;
    // Stored values beyond the limits read back limited; that alone is no edit.
    PlayerData fitted = ad.loaded;
    readFields(fitted, ad.loaded, ad, false, [&ad](int id, int min, int max) {
        const std::string text = std::to_string(shown(ad.loaded, id));
        return FitNumber(text.c_str(), min, max);
    });
    return ad.player != fitted;
}

void ViewSetData(cAppData& ad) {
    if (!ad.fileopen()) return;
    for (const FieldInfo& f : kFields) setNumber(ad, f.id, shown(ad.player, f.id));
    UiComboSelect(ad, static_cast<signed char>(ad.data[DocLayout(ad).charClass]));
}

void ViewOnMaxGold(cAppData& ad, const bool& on) {
    if (!ad.fileopen()) return;
    if (on) {
        setGoldFields(ad, MaxGold_P(ad.player.level), MaxGold_S(ad));
    } else {
        setGoldFields(ad, ad.loaded.gold, ad.loaded.goldStash);
    }
}

bool ViewDataChanged(cAppData& ad) { return !ad.edit.empty(); }

void ViewInitCombo(cAppData& ad) {
    UiComboReset(ad);
    const int count = DocClassCount(ad);
    for (int i = 0; i < count; ++i) UiComboAdd(ad, kClassNames[i]);
    UiComboSelect(ad, 0);
}

void ViewResetCombo(cAppData& ad) {
    UiComboReset(ad);
    UiComboAdd(ad, sclear);
    UiComboSelect(ad, 0);
}
