// The open save file: its bytes, the character as loaded and as edited, and what the next
// save is asked to do. The document layer (src/doc) reads and writes it; nothing here
// knows of a window.
#pragma once

#include <cstdio>

#include "core/Edit.h"
#include "support/cString.h"

struct PlayerData {
    signed char charClass;
    signed char level;
    unsigned int strength;
    unsigned int energy;
    unsigned int dexterity;
    unsigned int vitality;
    unsigned short stamina;
    unsigned short life;
    unsigned short mana;
    unsigned int skillPoints;
    unsigned int statPoints;
    unsigned int gold;
    unsigned int goldStash;
    unsigned int experience;

    PlayerData() { zero(); }
    void zero();
    bool operator!=(const PlayerData& o) const;
};

class cDocument {
public:
    FILE* fp = nullptr;
    unsigned char* data = nullptr;
    unsigned int length = 0;
    // Bytes allocated behind data; an insertion that would pass it enlarges the buffer.
    unsigned int capacity = 0;
    cString filename;
    PlayerData player;
    PlayerData loaded;
    // Applied by the next save that encodes the fields (DocSetData).
    CharEdit edit;

    cDocument();
    ~cDocument();
    cDocument(const cDocument&) = delete;
    cDocument& operator=(const cDocument&) = delete;

    // Closes the file: no bytes, no values, no pending edit.
    void reset();
    bool fileopen() const { return data != nullptr; }
};
