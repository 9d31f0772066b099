#include "core/Document.h"

void PlayerData::zero() {
    charClass = 0;
    level = 0;
    strength = energy = dexterity = vitality = 0;
    stamina = life = mana = 0;
    skillPoints = statPoints = gold = goldStash = experience = 0;
}

bool PlayerData::operator!=(const PlayerData& o) const {
    return charClass != o.charClass || level != o.level || strength != o.strength ||
           energy != o.energy || dexterity != o.dexterity || vitality != o.vitality ||
           stamina != o.stamina || life != o.life || mana != o.mana ||
           skillPoints != o.skillPoints || statPoints != o.statPoints || gold != o.gold ||
           goldStash != o.goldStash || experience != o.experience;
}

cDocument::cDocument() : filename(nullptr, 256) {}

cDocument::~cDocument() {
    delete[] data;
    if (fp) fclose(fp);
}

void cDocument::reset() {
    delete[] data;
    data = nullptr;
    capacity = 0;
    if (fp) {
        fclose(fp);
        fp = nullptr;
    }
    player.zero();
    loaded.zero();
    edit = CharEdit();
    length = 0;
    filename = "";
}
