#include "view/Fields.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/Constants.h"
#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Limits.h"
#include "res/resource.h"

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

int FieldIndex(int id) {
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFields[i].id == id) return i;
    }
    return -1;
}

namespace {

std::string numberText(long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", value);
    return text;
}

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
void readFields(PlayerData& p, const cDocument& doc, bool forcedGold, Read read) {
    const PlayerData& loaded = doc.loaded;
    const FieldLimits& max = FieldLimitsOf(doc);
    const std::uint32_t version = DocFormatVersion(doc);
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

FieldTexts FieldsShown(const PlayerData& p) {
    FieldTexts texts;
    for (int i = 0; i < kFieldCount; ++i) texts[i] = numberText(shown(p, kFields[i].id));
    return texts;
}

std::vector<const char*> FieldsClasses(const cDocument& doc) {
    return {kClassNames, kClassNames + DocClassCount(doc)};
}

FieldTexts FieldsRead(cDocument& doc, int classSel, const FieldTexts& typed) {
    PlayerData& p = doc.player;
    const bool listed = classSel >= 0 && classSel < DocClassCount(doc);
    p.charClass = static_cast<signed char>(listed ? classSel : doc.data[DocLayout(doc).charClass]);
    FieldTexts read;
    readFields(p, doc, doc.edit.maxGold, [&](int id, int min, int max) {
        const int i = FieldIndex(id);
        const int value = FitNumber(typed[i].c_str(), min, max);
        read[i] = numberText(value);
        return value;
    });
    return read;
}

bool FieldsEdited(const cDocument& doc) {
    if (!doc.fileopen() || !(doc.player != doc.loaded)) return false;
    // Stored values beyond the limits read back limited; that alone is no edit.
    PlayerData fitted = doc.loaded;
    readFields(fitted, doc, false, [&doc](int id, int min, int max) {
        return FitNumber(numberText(shown(doc.loaded, id)).c_str(), min, max);
    });
    return doc.player != fitted;
}

void FieldsShowGold(const cDocument& doc, bool maxGold, FieldTexts& texts) {
    const unsigned int gold = maxGold ? MaxGold_P(doc.player.level) : doc.loaded.gold;
    const unsigned int stash = maxGold ? MaxGold_S(doc) : doc.loaded.goldStash;
    texts[FieldIndex(IDC_GOLD)] = numberText(static_cast<int>(gold));
    texts[FieldIndex(IDC_GOLDSTASH)] = numberText(static_cast<int>(stash));
}
