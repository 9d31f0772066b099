// The Document: the open save file held whole in cAppData::data.
#pragma once

#include <cstdint>

class cAppData;

// Load, save and drop.
bool DocTestD2FileFormat(cAppData& ad);
bool DocOpenFile(cAppData& ad, const char* name);
bool DocSaveFile(cAppData& ad, const char* name);
void DocCloseFile(cAppData& ad);
// Why the last DocSaveFile failed to write, for callers that report it; empty otherwise.
const char* DocSaveError();
// The 32-bit format version at offset 4, and whether files of it have the classic layout
// that this editor writes.
std::uint32_t DocFormatVersion(const cAppData& ad);
bool DocVersionWritable(const cAppData& ad);
// DocVersionWritable, telling the user when the answer is no.
bool DocCheckWritable(cAppData& ad);

// Attribute codec.
unsigned int CalcOffset(cAppData& ad, const unsigned int& nominal);
void Sort(cAppData& ad, const unsigned int& value, const unsigned int& offset, const bool& insert);
void DocSetVal(cAppData& ad, const unsigned int& bitByte, const unsigned int& mask,
               const unsigned int& nominal, const unsigned int& value);
void DocGetData(cAppData& ad);
void DocSetData(cAppData& ad);

// Progress and skills, applied by DocSetData from the menu's pending-operation marks.
void Awake(cAppData& ad);
void UpdateSkills(cAppData& ad);
void UpdateGamestatus(cAppData& ad);
void SetAllWayPoints(cAppData& ad);
void ClearAllWayPoints(cAppData& ad);
void EnableActs(cAppData& ad, const short& value, const unsigned int& base);
void SetQuests(cAppData& ad, const unsigned int& base);
void SetQuests(cAppData& ad);
void ClearQuests(cAppData& ad, const unsigned int& base);
void ClearQuests(cAppData& ad);
void SetIntroFlags(cAppData& ad, const unsigned int& base);
void SetIntroFlags(cAppData& ad);
void GetReward(cAppData& ad, const int& offset);
void GetReward(cAppData& ad);

// Character name, derived from a file name. DocCheckName applies the rules of
// DocSetFileName without a message, so that each caller words the reason its own way.
enum class NameRule { Ok, TooLong, TooShort, NotLetters };
NameRule DocCheckName(const char* name);
bool DocSetFileName(cAppData& ad, const char* name);

// New characters from the built-in template.
const unsigned int TEMPLATE_SIZE = 706;
extern const unsigned char newCharTemplate[TEMPLATE_SIZE];
bool DocOpenNewFile(cAppData& ad, const int& command);
void DocSetPlayer(cAppData& ad, const int& command);
void DocSetNewPlayerData(cAppData& ad, const short& strength, const short& dexterity,
                         const short& vitality, const short& energy);
