// The value rules of the edit fields: the number rule, the gold maxima and the
// experience that belongs to each level.
#pragma once

#include <cstdint>

class cDocument;

// The largest values of the fields that depend on the file's version.
struct FieldLimits {
    int stat;  // strength, energy, dexterity, vitality
    int statPoints;
    int skillPoints;
    int pool;  // life, mana, stamina
    int barbarianStamina;
};
const FieldLimits& FieldLimitsOf(const cDocument& ad);

extern const unsigned int explev[101];

// The field's number: at most the first 49 characters read as atoi reads them (a number
// too large for 32 bits saturates), made positive, then forced into [min, max].
int FitNumber(const char* text, const int& min, const int& max);

unsigned int MaxGold_P(const unsigned int& level);
// Stash limit for a level, the one every game that writes the version keeps: versions 89,
// 92 and 96 allow more from level 31, version 97 and later 2,500,000 at any level.
unsigned int MaxGoldStash(const unsigned int& level, const std::uint32_t& version);
// The most stash some game that writes the version keeps: version 96 is written by 1.10-1.12,
// which keep MaxGoldStash, and by 1.13 and later, which keep 2,500,000 at any level.
unsigned int MaxGoldStashKept(const unsigned int& level, const std::uint32_t& version);
// What the stash field may hold: the level's limit, or the stored stash above it when some
// game of the version keeps that, so that no save lowers a stash the player did not type.
unsigned int StashLimit(const unsigned int& level, const std::uint32_t& version,
                        const unsigned int& stored);
// StashLimit of the level being edited and the stash as loaded.
unsigned int MaxGold_S(const cDocument& ad);
