// The attribute section: decoding it into PlayerData and encoding PlayerData back.
//
// This file holds the classic codec; the newer layouts go through DocAttrs.cpp.
//
// Classic: six attributes are optional (stat points, skill points, life, experience and both
// golds); an absent one has no slot and reads as zero. Writing a zero removes the slot, writing a
// non-zero value into an absent attribute inserts one, so everything behind it moves by
// four bytes. Each step of DocSetData converts its nominal offsets when it runs, after the
// insertions and removals of the steps before it.
//
// Life is addressed one byte into its slot and written with four bytes, so writing it
// also clears the fraction byte of maximum life, the first byte of the next slot.
#include <cstring>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Progress.h"
#include "support/mb.h"

namespace {

struct OptionalAttribute {
    unsigned int key;  // nominal offsets above the key lie behind this attribute's slot
    unsigned int bitByte;
    unsigned char mask;
};

const OptionalAttribute kOptional[] = {
    {NOM_STATPOINTS, OFS_PRESENCE_LO, PRESENT_STATPOINTS},
    {NOM_SKILLPOINTS, OFS_PRESENCE_LO, PRESENT_SKILLPOINTS},
    {NOM_LIFE, OFS_PRESENCE_LO, PRESENT_LIFE},
    {NOM_EXPERIENCE, OFS_PRESENCE_HI, PRESENT_EXPERIENCE},
    {NOM_GOLD, OFS_PRESENCE_HI, PRESENT_GOLD},
    {NOM_GOLDSTASH, OFS_PRESENCE_HI, PRESENT_GOLDSTASH},
};

bool reserveSlot(cDocument& ad) { return DocReserve(ad, ad.length + 4); }

unsigned int read16(cDocument& ad, unsigned int nominal) {
    return get16(ad.data + CalcOffset(ad, nominal));
}

void write16(cDocument& ad, unsigned int nominal, unsigned int value) {
    put16(ad.data + CalcOffset(ad, nominal), value);
}

}  // namespace

unsigned int CalcOffset(const cDocument& ad, const unsigned int& nominal) {
    unsigned int real = nominal;
    for (const OptionalAttribute& a : kOptional) {
        if (nominal <= a.key) return real;
        if (!(ad.data[a.bitByte] & a.mask)) real -= 4;
    }
    return real;
}

void Sort(cDocument& ad, const unsigned int& value, const unsigned int& offset,
          const bool& insert) {
    if (insert && !reserveSlot(ad)) return;
    unsigned char* at = ad.data + offset;
    if (insert) {
        std::memmove(at + 4, at, ad.length - offset);
        ad.length += 4;
        put32(at, value);
    } else {
        ad.length -= 4;
        std::memmove(at, at + 4, ad.length - offset);
        std::memset(ad.data + ad.length, 0, 4);
    }
}

void DocSetVal(cDocument& ad, const unsigned int& bitByte, const unsigned int& mask,
               const unsigned int& nominal, const unsigned int& value) {
    const bool present = (ad.data[bitByte] & mask) != 0;
    if (value != 0 && present) {
        put32(ad.data + CalcOffset(ad, nominal), value);
    } else if (value != 0) {
        // Grow first: a bit set without its slot would shift every later offset.
        if (!reserveSlot(ad)) return;
        ad.data[bitByte] |= mask;
        Sort(ad, value, CalcOffset(ad, nominal), true);
    } else if (present) {
        ad.data[bitByte] &= ~mask;
        Sort(ad, 0, CalcOffset(ad, nominal), false);
    }
}

void DocGetData(cDocument& ad) {
    if (!ad.data) {
        mb("no datapointer in DocGetData");
        return;
    }
    if (DocLayout(ad).codec != Codec::Classic) return NewGetData(ad);
    PlayerData& p = ad.player;
    const unsigned char lo = ad.data[OFS_PRESENCE_LO];
    const unsigned char hi = ad.data[OFS_PRESENCE_HI];
    p.zero();
    p.charClass = static_cast<signed char>(ad.data[OFS_CLASS]);
    p.level = static_cast<signed char>(ad.data[OFS_LEVEL]);
    p.strength = get16(ad.data + NOM_STRENGTH);
    p.energy = get16(ad.data + NOM_ENERGY);
    p.dexterity = get16(ad.data + NOM_DEXTERITY);
    p.vitality = get16(ad.data + NOM_VITALITY);
    if (lo & PRESENT_STATPOINTS) p.statPoints = get16(ad.data + NOM_STATPOINTS);
    if (lo & PRESENT_SKILLPOINTS) p.skillPoints = read16(ad, NOM_SKILLPOINTS);
    p.stamina = read16(ad, NOM_MAXSTAMINA);
    p.life = read16(ad, NOM_MAXLIFE);
    p.mana = read16(ad, NOM_MAXMANA);
    if (hi & PRESENT_GOLD) p.gold = get32(ad.data + CalcOffset(ad, NOM_GOLD));
    if (hi & PRESENT_GOLDSTASH) p.goldStash = get32(ad.data + CalcOffset(ad, NOM_GOLDSTASH));
    if (hi & PRESENT_EXPERIENCE) p.experience = get32(ad.data + CalcOffset(ad, NOM_EXPERIENCE));
    ad.loaded = p;
}

void DocSetData(cDocument& ad) {
    if (!ad.data || !DocVersionWritable(ad)) return;
    if (DocLayout(ad).codec != Codec::Classic) return NewSetData(ad);
    PlayerData p = ad.player;  // with the rewards of the edit
    const PlayerData& was = ad.loaded;
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    const bool revived = (ad.data[OFS_STATUS] & deadHardcore) == deadHardcore;
    Awake(ad);
    DocApplyEdit(ad, ad.edit, p);
    ad.data[OFS_CLASS] = static_cast<unsigned char>(p.charClass);
    ad.data[CalcOffset(ad, NOM_LEVEL)] = static_cast<unsigned char>(p.level);
    ad.data[OFS_LEVEL] = static_cast<unsigned char>(p.level);
    put16(ad.data + NOM_STRENGTH, p.strength);
    put16(ad.data + NOM_ENERGY, p.energy);
    put16(ad.data + NOM_DEXTERITY, p.dexterity);
    put16(ad.data + NOM_VITALITY, p.vitality);
    DocSetVal(ad, OFS_PRESENCE_LO, PRESENT_STATPOINTS, NOM_STATPOINTS, p.statPoints);
    DocSetVal(ad, OFS_PRESENCE_LO, PRESENT_SKILLPOINTS, NOM_SKILLPOINTS, p.skillPoints);
    // A typed life, mana or stamina goes to the current and the maximum value; untouched,
    // the current one (a wounded character's life) stays. A revived character gets its life.
    if (p.stamina != was.stamina) {
        write16(ad, NOM_STAMINA, p.stamina);
        write16(ad, NOM_MAXSTAMINA, p.stamina);
    }
    if (p.life != was.life || revived) {
        DocSetVal(ad, OFS_PRESENCE_LO, PRESENT_LIFE, NOM_LIFE, p.life);
        write16(ad, NOM_MAXLIFE, p.life);
    }
    if (p.mana != was.mana) {
        write16(ad, NOM_MANA, p.mana);
        write16(ad, NOM_MAXMANA, p.mana);
    }
    DocSetVal(ad, OFS_PRESENCE_HI, PRESENT_GOLD, NOM_GOLD, p.gold);
    DocSetVal(ad, OFS_PRESENCE_HI, PRESENT_GOLDSTASH, NOM_GOLDSTASH, p.goldStash);
    DocSetVal(ad, OFS_PRESENCE_HI, PRESENT_EXPERIENCE, NOM_EXPERIENCE, p.experience);
}
