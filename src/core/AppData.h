// Application state, the character record and the small records shared by every layer.
// The window handles are held as pointers to the platform's opaque handle types; the
// portable build never looks inside them.
#pragma once

#include <cstdio>

#include "support/cString.h"

struct HWND__;
struct HMENU__;

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

struct dlgparam {
    char* caption;
    char* message;
    dlgparam(char* c, char* m) : caption(c), message(m) {}
};

class cAppData {
public:
    HWND__* hwnd;
    HMENU__* popup;
    FILE* fp;
    unsigned char* data;
    unsigned int length;
    char stamp[16];
    cString savedir;
    cString filename;
    cString cmdfile;
    FILE* logfp;
    PlayerData player;
    PlayerData loaded;
    // Bytes allocated behind data; an insertion that would pass it enlarges the buffer.
    unsigned int capacity;

    cAppData();
    ~cAppData();
    cAppData(const cAppData&) = delete;
    cAppData& operator=(const cAppData&) = delete;

    void reset();
    bool fileopen() const { return data != nullptr; }
    // An expansion character: of edition 2 or 3 (DocEdition), whatever the layout.
    bool exp() const;
    void log(const char* text);
    void log();
    void time();
    void clearLogFile();
};
