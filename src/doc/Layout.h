// Byte layout of a classic save file (format versions 87 and 89).
//
// Everything in front of the attribute section ("gf" at 560) stands at a fixed offset.
// From 565 on, each present attribute has a 4-byte slot and an absent one has none, so
// positions there are named by their nominal offset (the offset they would have with all
// sixteen attributes present) and converted with CalcOffset.
#pragma once

#include <cstdint>

const unsigned int OFS_VERSION = 4;
const unsigned int OFS_NAME = 8;
const unsigned int NAME_CLEAR_LEN = 15;  // bytes 8-22; byte 23 is never written
const unsigned int OFS_STATUS = 24;
const unsigned int OFS_PROGRESSION = 25;
const unsigned int OFS_CLASS = 34;
const unsigned int OFS_LEVEL = 36;
const unsigned int OFS_BYTE88 = 88;
const unsigned int OFS_RANDOM = 126;

const unsigned char STATUS_HARDCORE = 0x04;
const unsigned char STATUS_DIED = 0x08;
const unsigned char STATUS_EXPANSION = 0x20;

// Quest blocks: one of 96 bytes per difficulty.
const unsigned int QUEST_BLOCK_SIZE = 96;
const unsigned int QUEST_BASES[3] = {0, 96, 192};

// Waypoint blocks: the 39 waypoint bits sit in a 32-bit word at block offset 2 and the
// low seven bits of block byte 6.
const unsigned int WAYPOINT_BLOCKS[3] = {436, 460, 484};
const unsigned int OFS_INTRO_DATA = 512;
const unsigned int INTRO_DATA_LEN = 48;

const unsigned int OFS_PRESENCE_LO = 562;  // attributes 0-7
const unsigned int OFS_PRESENCE_HI = 563;  // attributes 8-15

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

// The format versions whose files have this layout; no other is ever written.
const std::uint32_t VERSION_107 = 87;
const std::uint32_t VERSION_108 = 89;

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
