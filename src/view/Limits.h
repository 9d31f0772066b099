// The value rules of the edit fields: the number rule, the gold maxima and the
// experience that belongs to each level.
#pragma once

class cAppData;

extern const unsigned int explev[101];

// The field's number: at most the first 49 characters read as atoi reads them (a number
// too large for 32 bits saturates), made positive, then forced into [min, max].
int FitNumber(const char* text, const int& min, const int& max);

unsigned int MaxGold_P(const unsigned int& level);
// Stash limit for a level; files whose format version byte is 89 allow more from level 31.
unsigned int MaxGoldStash(const unsigned int& level, const unsigned char& versionByte);
unsigned int MaxGold_S(cAppData& ad);
