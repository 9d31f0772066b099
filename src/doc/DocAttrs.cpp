// The attribute section of the newer layouts (1.09 slots, 1.10 and later bits). It is
// decoded whole into an AttrList and written back whole, but only the attributes whose
// field the user changed get new values: the others keep their encoding, explicit zeros
// and the fraction bits of life, mana and stamina included, so that a save without edits
// gives back the file's own bytes.
#include <cstring>

#include "core/Document.h"
#include "doc/AttrList.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "doc/Progress.h"

namespace {

unsigned int sectionStart(const FileLayout& l) { return OFS_GF + l.sectionShift + 2; }

AttrScan scan(const cDocument& ad, AttrList& list) {
    const FileLayout& l = DocLayout(ad);
    const unsigned int at = sectionStart(l);
    const unsigned int avail = at < ad.length ? ad.length - at : 0;
    return l.codec == Codec::Bits ? ScanBits(ad.data + at, avail, list)
                                  : ScanSlots(ad.data + at, avail, list);
}

unsigned int decode(const cDocument& ad, AttrList& list) {
    if (DocLayout(ad).codec == Codec::Classic) return 0;
    const AttrScan s = scan(ad, list);
    return s.fault == AttrFault::None ? s.length : 0;
}

void touch(AttrList& list, unsigned int id, std::uint32_t now, std::uint32_t before) {
    if (now != before) AttrSet(list, id, now);
}

// A typed life, mana or stamina goes to the current and the maximum value, each keeping its
// eight fraction bits.
void touchPool(AttrList& list, unsigned int current, unsigned int now, unsigned int before) {
    if (now == before) return;
    for (unsigned int id : {current, current + 1}) {
        AttrSet(list, id, now ? (std::uint32_t(now) << 8) | (AttrGet(list, id) & 0xFF) : 0);
    }
}

// Replaces oldLen bytes at 'at' with the new section, moving the rest of the file.
bool replace(cDocument& ad, unsigned int at, unsigned int oldLen, const unsigned char* bytes,
             unsigned int newLen) {
    const unsigned int length = ad.length - oldLen + newLen;
    if (!DocReserve(ad, length)) return false;
    std::memmove(ad.data + at + newLen, ad.data + at + oldLen, ad.length - at - oldLen);
    std::memcpy(ad.data + at, bytes, newLen);
    if (length < ad.length) std::memset(ad.data + length, 0, ad.length - length);
    // The size field keeps telling the length, so that the edited bytes pass the checks of
    // a damaged file that the loaded ones passed.
    if (DocLayout(ad).sized && get32(ad.data + OFS_SIZE) == ad.length)
        put32(ad.data + OFS_SIZE, length);
    ad.length = length;
    return true;
}

}  // namespace

unsigned int DocAttributesStart(const cDocument& ad) { return sectionStart(DocLayout(ad)); }

AttrScan DocScanAttributes(const cDocument& ad) {
    AttrList list;
    return scan(ad, list);
}

unsigned int DocAttributesEnd(const cDocument& ad) {
    AttrList list;
    const unsigned int n = decode(ad, list);
    return n ? sectionStart(DocLayout(ad)) + n : 0;
}

bool DocAttributesRead(const cDocument& ad) {
    return DocLayout(ad).codec == Codec::Classic || DocAttributesEnd(ad) != 0;
}

void NewGetData(cDocument& ad) {
    const FileLayout& l = DocLayout(ad);
    PlayerData& p = ad.player;
    p.zero();
    p.charClass = static_cast<signed char>(ad.data[l.charClass]);
    p.level = static_cast<signed char>(ad.data[l.level]);
    AttrList a;
    if (decode(ad, a)) {
        p.strength = AttrGet(a, ATTR_STRENGTH);
        p.energy = AttrGet(a, ATTR_ENERGY);
        p.dexterity = AttrGet(a, ATTR_DEXTERITY);
        p.vitality = AttrGet(a, ATTR_VITALITY);
        p.statPoints = AttrGet(a, ATTR_STATPOINTS);
        p.skillPoints = AttrGet(a, ATTR_SKILLPOINTS);
        p.life = static_cast<unsigned short>(AttrGet(a, ATTR_MAXLIFE) >> 8);
        p.mana = static_cast<unsigned short>(AttrGet(a, ATTR_MAXMANA) >> 8);
        p.stamina = static_cast<unsigned short>(AttrGet(a, ATTR_MAXSTAMINA) >> 8);
        p.experience = AttrGet(a, ATTR_EXPERIENCE);
        p.gold = AttrGet(a, ATTR_GOLD);
        p.goldStash = AttrGet(a, ATTR_GOLDSTASH);
    }
    ad.loaded = p;
}

void NewSetData(cDocument& ad) {
    const FileLayout& l = DocLayout(ad);
    PlayerData p = ad.player;  // with the rewards of the edit
    const PlayerData& was = ad.loaded;
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    const bool revived = (ad.data[l.status] & deadHardcore) == deadHardcore;
    Awake(ad);
    DocApplyEdit(ad, ad.edit, p);
    ad.data[l.charClass] = static_cast<unsigned char>(p.charClass);
    ad.data[l.level] = static_cast<unsigned char>(p.level);
    AttrList before;
    const unsigned int oldLen = decode(ad, before);
    if (!oldLen) return;
    AttrList a = before;
    touch(a, ATTR_STRENGTH, p.strength, was.strength);
    touch(a, ATTR_ENERGY, p.energy, was.energy);
    touch(a, ATTR_DEXTERITY, p.dexterity, was.dexterity);
    touch(a, ATTR_VITALITY, p.vitality, was.vitality);
    touch(a, ATTR_STATPOINTS, p.statPoints, was.statPoints);
    touch(a, ATTR_SKILLPOINTS, p.skillPoints, was.skillPoints);
    touchPool(a, ATTR_LIFE, p.life, was.life);
    touchPool(a, ATTR_MANA, p.mana, was.mana);
    touchPool(a, ATTR_STAMINA, p.stamina, was.stamina);
    touch(a, ATTR_LEVEL, static_cast<unsigned char>(p.level),
          static_cast<unsigned char>(was.level));
    touch(a, ATTR_EXPERIENCE, p.experience, was.experience);
    touch(a, ATTR_GOLD, p.gold, was.gold);
    touch(a, ATTR_GOLDSTASH, p.goldStash, was.goldStash);
    // The game omits current life only for a dead character: a revived one gets it whole.
    if (revived) AttrSet(a, ATTR_LIFE, AttrGet(a, ATTR_MAXLIFE));
    if (a == before) return;
    unsigned char bytes[ATTR_MAX_BYTES];
    const unsigned int n = l.codec == Codec::Bits ? EncodeBits(a, bytes) : EncodeSlots(a, bytes);
    replace(ad, sectionStart(l), oldLen, bytes, n);
}
