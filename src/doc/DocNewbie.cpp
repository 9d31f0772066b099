// The newbie file: the header of the layout, zero but for the fields below, as the game
// writes it when a character is created.
#include "doc/DocNewbie.h"

#include <new>
#include <vector>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"
#include "res/resource.h"

namespace {

// The two counts behind the class byte: 16 attributes, 30 skills.
const unsigned char kCounts[2] = {0x10, 0x1E};
// The menu's look of a character without equipment: 32 bytes in front of the difficulty.
const unsigned int kAppearanceLen = 32;
const unsigned char kAppearanceHead[10] = {1, 1, 1, 1, 1, 0xFF, 0xFF, 0xFF, 1, 1};

unsigned int headerSize(const FileLayout& l) { return OFS_WOO + l.sectionShift; }

struct MenuRun {
    int first, count;
    std::uint32_t version;
    int edition;
};
const MenuRun kMenuRuns[] = {
    {IDM_NEW96_EXPANSION, EXPANSION_CLASS_COUNT, 96, EDITION_EXPANSION},
    {IDM_NEW96_CLASSIC, CLASSIC_CLASS_COUNT, 96, EDITION_CLASSIC},
    {IDM_NEW105_EXPANSION, EXPANSION_CLASS_COUNT, 105, EDITION_EXPANSION},
    {IDM_NEW105_CLASSIC, CLASSIC_CLASS_COUNT, 105, EDITION_CLASSIC},
    {IDM_NEW105_WARLOCK, CLASS_COUNT, 105, EDITION_WARLOCK},
};

}  // namespace

NewbieRefusal DocNewbieRefusal(const NewbieChoice& c) {
    const FileLayout& l = LayoutOf(c.version);
    if (!l.writable || !l.sized) return NewbieRefusal::Version;
    if (c.charClass < 0 || c.charClass >= CLASS_COUNT) return NewbieRefusal::Class;
    const int lastEdition = l.edition ? EDITION_WARLOCK : EDITION_EXPANSION;
    if (c.edition < EDITION_CLASSIC || c.edition > lastEdition) return NewbieRefusal::Edition;
    if (c.charClass >= EXPANSION_CLASS_COUNT && c.edition != EDITION_WARLOCK)
        return NewbieRefusal::NeedsWarlock;
    if (c.charClass >= CLASSIC_CLASS_COUNT && c.edition == EDITION_CLASSIC)
        return NewbieRefusal::NeedsExpansion;
    return NewbieRefusal::None;
}

bool DocOpenNewbie(cDocument& ad, const NewbieChoice& c) {
    DocCloseFile(ad);
    if (DocNewbieRefusal(c) != NewbieRefusal::None) return false;
    const FileLayout& l = LayoutOf(c.version);
    const unsigned int size = headerSize(l);
    ad.data = new (std::nothrow) unsigned char[size]();
    if (!ad.data) return false;
    ad.length = ad.capacity = size;
    put32(ad.data, 0xAA55AA55);
    put32(ad.data + OFS_VERSION, c.version);
    unsigned char status = STATUS_FIRST_SAVE;
    if (c.hardcore) status |= STATUS_HARDCORE;
    // Before version 105 the status bit is the edition; 105 has a byte of its own.
    if (l.edition) {
        ad.data[l.edition] = static_cast<unsigned char>(c.edition);
    } else if (c.edition == EDITION_EXPANSION) {
        status |= STATUS_EXPANSION;
    }
    ad.data[l.status] = status;
    ad.data[l.charClass] = static_cast<unsigned char>(c.charClass);
    ad.data[l.charClass + 1] = kCounts[0];
    ad.data[l.charClass + 2] = kCounts[1];
    ad.data[l.level] = 1;
    put32(ad.data + l.level + 1, c.created);
    put32(ad.data + l.level + 5, c.created);
    unsigned char* appearance = ad.data + l.difficulty - kAppearanceLen;
    for (unsigned int i = 0; i < kAppearanceLen; ++i)
        appearance[i] = i < sizeof kAppearanceHead ? kAppearanceHead[i] : 0xFF;
    DocSeal(ad);
    return true;
}

bool DocIsNewbie(const cDocument& ad) {
    const std::vector<DocResult> damage = DocDamage(ad);
    return damage.size() == 1 && damage.front().code == DocError::NotPlayed;
}

bool DocNewbieCommand(int command, NewbieChoice& choice) {
    for (const MenuRun& run : kMenuRuns) {
        if (command < run.first || command >= run.first + run.count) continue;
        choice.version = run.version;
        choice.edition = run.edition;
        choice.charClass = command - run.first;
        return true;
    }
    return false;
}
