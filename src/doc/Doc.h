// The Document: the open save file held whole in cAppData::data.
#pragma once

#include <cstdint>
#include <string>

#include "doc/Layout.h"

class cAppData;
struct AttrScan;
struct DocResult;

// Load, save and drop.
bool DocTestD2FileFormat(cAppData& ad);
// why, when given, receives the reason of a refusal.
bool DocOpenFile(cAppData& ad, const char* name, DocResult* why = nullptr);
// Writes the bytes as they are; DocSave (DocSave.h) is the whole save with its checks.
bool DocSaveFile(cAppData& ad, const char* name, DocResult* why = nullptr);
// The same without asking whether the file may be written: for a document whose bytes the
// caller has vouched for (a newbie file just made).
bool DocWriteFile(cAppData& ad, const char* name, DocResult* why = nullptr);
void DocCloseFile(cAppData& ad);
// Makes room for a document of length bytes; false when the buffer cannot grow.
bool DocReserve(cAppData& ad, unsigned int length);
// Why the last DocSaveFile failed to write, for callers that report it; empty otherwise.
const char* DocSaveError();
// The 32-bit format version at offset 4 and the layout of that version.
std::uint32_t DocFormatVersion(const cAppData& ad);
const FileLayout& DocLayout(const cAppData& ad);
// Why the open file is never written (its version, a file that ends before its attributes,
// sections out of place); empty when it can be saved.
std::string DocReadOnlyReason(const cAppData& ad);
bool DocVersionWritable(const cAppData& ad);
// The character's edition, EDITION_CLASSIC to EDITION_WARLOCK: version 105 keeps it in a
// byte of its own (any other value there is returned as it is), older versions tell an
// expansion character by status bit 0x20. 0 without a file.
int DocEdition(const cAppData& ad);
// The classes the edition allows are the codes below this: 5, 7 or 8; 5 for an edition
// byte of no known edition.
int DocClassCount(const cAppData& ad);
// DocVersionWritable, telling the user when the answer is no.
bool DocCheckWritable(cAppData& ad);
// "format version 96 (1.10-1.14d)", with the read-only reason and a checksum warning.
std::string DocVersionText(const cAppData& ad);
bool DocLadder(const cAppData& ad);
// The checksum of a sized file: each byte added to the sum rotated left by one, the
// checksum field counted as zeros.
std::uint32_t DocChecksum(const unsigned char* data, unsigned int length);
// Whether the stored checksum is right; true for layouts without one.
bool DocChecksumOk(const cAppData& ad);
// Where the attribute section of a newer layout ends ("if"), 0 when it cannot be decoded.
unsigned int DocAttributesEnd(const cAppData& ad);
// Whether DocGetData reads the attributes: the classic layout always, the newer ones when
// their section decodes. Otherwise only the header's values are known.
bool DocAttributesRead(const cAppData& ad);
// Where the attribute section begins (behind "gf"), and the newer layouts' section read as
// the game reads it (AttrList.h).
unsigned int DocAttributesStart(const cAppData& ad);
AttrScan DocScanAttributes(const cAppData& ad);
// Writes the file's length and checksum into a sized file's header.
void DocSeal(cAppData& ad);

// Attribute codec.
unsigned int CalcOffset(const cAppData& ad, const unsigned int& nominal);
void Sort(cAppData& ad, const unsigned int& value, const unsigned int& offset, const bool& insert);
void DocSetVal(cAppData& ad, const unsigned int& bitByte, const unsigned int& mask,
               const unsigned int& nominal, const unsigned int& value);
void DocGetData(cAppData& ad);
void DocSetData(cAppData& ad);
// The same for the newer layouts, whose sections are read and written whole.
void NewGetData(cAppData& ad);
void NewSetData(cAppData& ad);

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
