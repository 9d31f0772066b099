// Byte layouts of save files. The named constants below are the classic layout (format
// versions 87 and 89); FileLayout describes each version's header, sections and attribute
// codec, and Layouts.cpp holds the table of every version.
//
// Classic: everything in front of the attribute section ("gf" at 560) stands at a fixed offset.
// From 565 on, each present attribute has a 4-byte slot and an absent one has none, so
// positions there are named by their nominal offset (the offset they would have with all
// sixteen attributes present) and converted with CalcOffset.
#pragma once

#include <cstdint>

const unsigned int OFS_VERSION = 4;
const unsigned int OFS_NAME = 8;
const unsigned int NAME_CLEAR_LEN = 15;  // bytes 8-22; byte 23 is never written
const unsigned int NAME_FIELD_LEN = 16;
const unsigned int OFS_STATUS = 24;
const unsigned int OFS_PROGRESSION = 25;
const unsigned int OFS_CLASS = 34;
const unsigned int OFS_LEVEL = 36;
const unsigned int OFS_BYTE88 = 88;
const unsigned int OFS_RANDOM = 126;

const unsigned char STATUS_HARDCORE = 0x04;
const unsigned char STATUS_DIED = 0x08;
const unsigned char STATUS_EXPANSION = 0x20;
const unsigned char STATUS_LADDER = 0x40;  // 1.10 and later
// A first save: the character was saved before it ever played, and its file is the header.
const unsigned char STATUS_FIRST_SAVE = 0x01;

// Class codes: the classic game has the first five, the expansion seven, and the Warlock
// expansion (version 105, edition 3) all eight.
const int CLASS_COUNT = 8;
const int CLASSIC_CLASS_COUNT = 5;
const int EXPANSION_CLASS_COUNT = 7;
const int CLASS_BARBARIAN = 4;

// Editions of a character (DocEdition): which of the game's expansions it belongs to.
const int EDITION_CLASSIC = 1;
const int EDITION_EXPANSION = 2;
const int EDITION_WARLOCK = 3;

// Quest blocks: one of 96 bytes per difficulty.
const unsigned int QUEST_BLOCK_SIZE = 96;
const unsigned int QUEST_BASES[3] = {0, 96, 192};

// Waypoint blocks: the 39 waypoint bits sit in a 32-bit word at block offset 2 and the
// low seven bits of block byte 6.
const unsigned int WAYPOINT_BLOCKS[3] = {436, 460, 484};
const unsigned int WAYPOINT_HEAD = 0x102;  // bytes 02 01; the game also reads 0x101 and 0
const unsigned int OFS_INTRO_DATA = 512;
const unsigned int INTRO_DATA_LEN = 48;

const unsigned int OFS_PRESENCE_LO = 562;  // attributes 0-7
const unsigned int OFS_PRESENCE_HI = 563;  // attributes 8-15

// Presence bits of the optional attributes, in the low or the high presence byte.
const unsigned char PRESENT_STATPOINTS = 0x10;   // low
const unsigned char PRESENT_SKILLPOINTS = 0x20;  // low
const unsigned char PRESENT_LIFE = 0x40;         // low
const unsigned char PRESENT_EXPERIENCE = 0x20;   // high
const unsigned char PRESENT_GOLD = 0x40;         // high
const unsigned char PRESENT_GOLDSTASH = 0x80;    // high

// Nominal offsets. The 24.8 fixed-point attributes (life, mana, stamina and their maxima)
// are addressed one byte into their slot, at the low 16 bits of the integer part.
const unsigned int NOM_STRENGTH = 565;
const unsigned int NOM_ENERGY = 569;
const unsigned int NOM_DEXTERITY = 573;
const unsigned int NOM_VITALITY = 577;
const unsigned int NOM_STATPOINTS = 581;
const unsigned int NOM_SKILLPOINTS = 585;
const unsigned int NOM_LIFE = 590;
const unsigned int NOM_MAXLIFE = 594;
const unsigned int NOM_MANA = 598;
const unsigned int NOM_MAXMANA = 602;
const unsigned int NOM_STAMINA = 606;
const unsigned int NOM_MAXSTAMINA = 610;
const unsigned int NOM_LEVEL = 613;
const unsigned int NOM_EXPERIENCE = 617;
const unsigned int NOM_GOLD = 621;
const unsigned int NOM_GOLDSTASH = 625;
const unsigned int NOM_SKILLS = 631;
const unsigned int SKILL_COUNT = 30;

const unsigned int MIN_FILE_SIZE = 660;
const unsigned int MAX_FILE_SIZE = 100000;
const unsigned int SPARE_BYTES = 20;

const std::uint32_t VERSION_107 = 87;
const std::uint32_t VERSION_108 = 89;
const std::uint32_t VERSION_109 = 92;
const std::uint32_t VERSION_110 = 96;

enum class Codec {
    Classic,  // presence bytes, a pad byte, 32-bit slots addressed by nominal offsets
    Slots,    // 1.09: presence mask, then 32-bit slots (AttrList.h)
    Bits,     // 1.10 and later: a bit-packed list (AttrList.h)
};

struct FileLayout {
    std::uint32_t version;
    const char* game;
    bool writable;
    unsigned int name, nameLen;  // nameLen bytes are cleared before a new name is written
    unsigned int status, progression, charClass, level;
    // The edition byte; 0 where status bit 0x20 tells an expansion character instead.
    unsigned int edition;
    unsigned int difficulty, difficultyLen;  // a restart writes the first act of Normal here
    // The quest, waypoint and introduction sections and "gf" lie this far behind their
    // classic places.
    unsigned int sectionShift;
    bool sized;   // file length at 8 and checksum at 12
    Codec codec;  // of the section between "gf" and "if"
    // The length a readable file needs: the header (a first save holds nothing more), or
    // the whole classic image.
    unsigned int minSize;
};

// The layout of a format version; an unknown version gets a read-only description with the
// classic offsets.
const FileLayout& LayoutOf(std::uint32_t version);
// "87, 89, 92, 96, 97, 98, 99 and 105": the versions that are written, for messages.
const char* WritableVersionsText();

// Markers of the newer layouts.
const unsigned int OFS_SIZE = 8;
const unsigned int OFS_CHECKSUM = 12;
const unsigned int OFS_GF = 560;  // classic; add sectionShift
const unsigned int OFS_WOO = 130;
const unsigned int OFS_WS = 428;
const unsigned int OFS_NPC = 508;  // 01 77, the introduction section's marker
const unsigned int NEW_HEADER_SIZE = 335;

inline unsigned int get16(const unsigned char* p) { return p[0] | (p[1] << 8); }
inline std::uint32_t get32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
inline void put16(unsigned char* p, unsigned int v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
inline void put32(unsigned char* p, std::uint32_t v) {
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}
