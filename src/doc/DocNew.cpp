// New characters: a copy of the built-in level-1 template with the chosen class.
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "res/resource.h"

namespace {

struct ClassStart {
    short strength, dexterity, vitality, energy;
};

// Indexed by class code: the classes of the template's game (1.08).
const ClassStart kStart[EXPANSION_CLASS_COUNT] = {
    {20, 25, 20, 15}, {10, 25, 10, 35}, {10, 25, 15, 25}, {25, 20, 25, 15},
    {30, 20, 25, 10}, {15, 20, 25, 20}, {20, 20, 20, 25},
};

}  // namespace

bool DocOpenNewFile(cDocument& ad, const int& command) {
    DocCloseFile(ad);
    ad.data = new (std::nothrow) unsigned char[TEMPLATE_SIZE];
    if (!ad.data) return false;
    ad.length = ad.capacity = TEMPLATE_SIZE;
    std::memcpy(ad.data, newCharTemplate, TEMPLATE_SIZE);
    DocSetPlayer(ad, command);
    return true;
}

void DocSetPlayer(cDocument& ad, const int& command) {
    if (command >= IDM_NEW_AMAZONE && command <= IDM_NEW_ASSASSINE) {
        const int code = command - IDM_NEW_AMAZONE;
        const ClassStart& s = kStart[code];
        DocSetNewPlayerData(ad, s.strength, s.dexterity, s.vitality, s.energy);
        ad.data[OFS_CLASS] = static_cast<unsigned char>(code);
        if (code >= CLASSIC_CLASS_COUNT) ad.data[OFS_STATUS] |= STATUS_EXPANSION;
    }
    for (unsigned int i = 0; i < 4; ++i) ad.data[OFS_RANDOM + i] = std::rand() % 256;
}

void DocSetNewPlayerData(cDocument& ad, const short& strength, const short& dexterity,
                         const short& vitality, const short& energy) {
    put16(ad.data + NOM_STRENGTH, static_cast<unsigned short>(strength));
    put16(ad.data + NOM_ENERGY, static_cast<unsigned short>(energy));
    put16(ad.data + NOM_DEXTERITY, static_cast<unsigned short>(dexterity));
    put16(ad.data + NOM_VITALITY, static_cast<unsigned short>(vitality));
}
