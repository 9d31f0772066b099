// The Document: the open save file held whole in cDocument::data.
#pragma once

#include <cstdint>
#include <string>

#include "doc/Layout.h"

class cDocument;
struct CharEdit;
struct AttrScan;
struct DocResult;

// Load, save and drop.
bool DocTestD2FileFormat(cDocument& ad);
// why, when given, receives the reason of a refusal.
bool DocOpenFile(cDocument& ad, const char* name, DocResult* why = nullptr);
// Writes the bytes as they are; DocSave (DocSave.h) is the whole save with its checks.
bool DocSaveFile(cDocument& ad, const char* name, DocResult* why = nullptr);
// The same without asking whether the file may be written: for a document whose bytes the
// caller has vouched for (a newbie file just made).
bool DocWriteFile(cDocument& ad, const char* name, DocResult* why = nullptr);
void DocCloseFile(cDocument& ad);
// Makes room for a document of length bytes; false when the buffer cannot grow.
bool DocReserve(cDocument& ad, unsigned int length);
// The 32-bit format version at offset 4 and the layout of that version.
std::uint32_t DocFormatVersion(const cDocument& ad);
const FileLayout& DocLayout(const cDocument& ad);
// Why the open file is never written (its version, a file that ends before its attributes,
// sections out of place); empty when it can be saved.
std::string DocReadOnlyReason(const cDocument& ad);
bool DocVersionWritable(const cDocument& ad);
// The character's edition, EDITION_CLASSIC to EDITION_WARLOCK: version 105 keeps it in a
// byte of its own (any other value there is returned as it is), older versions tell an
// expansion character by status bit 0x20. 0 without a file.
int DocEdition(const cDocument& ad);
// The classes the edition allows are the codes below this: 5, 7 or 8; 5 for an edition
// byte of no known edition.
int DocClassCount(const cDocument& ad);
// An expansion character: of edition 2 or 3, whatever the layout.
bool DocExpansion(const cDocument& ad);
// DocVersionWritable, telling the user when the answer is no.
bool DocCheckWritable(cDocument& ad);
// "format version 96 (1.10-1.14d)", with the read-only reason and a checksum warning.
std::string DocVersionText(const cDocument& ad);
bool DocLadder(const cDocument& ad);
// The checksum of a sized file: each byte added to the sum rotated left by one, the
// checksum field counted as zeros.
std::uint32_t DocChecksum(const unsigned char* data, unsigned int length);
// Whether the stored checksum is right; true for layouts without one.
bool DocChecksumOk(const cDocument& ad);
// Where the attribute section of a newer layout ends ("if"), 0 when it cannot be decoded.
unsigned int DocAttributesEnd(const cDocument& ad);
// Whether DocGetData reads the attributes: the classic layout always, the newer ones when
// their section decodes. Otherwise only the header's values are known.
bool DocAttributesRead(const cDocument& ad);
// Where the attribute section begins (behind "gf"), and the newer layouts' section read as
// the game reads it (AttrList.h).
unsigned int DocAttributesStart(const cDocument& ad);
AttrScan DocScanAttributes(const cDocument& ad);
// Writes the file's length and checksum into a sized file's header.
void DocSeal(cDocument& ad);

// Attribute codec.
unsigned int CalcOffset(const cDocument& ad, const unsigned int& nominal);
void Sort(cDocument& ad, const unsigned int& value, const unsigned int& offset, const bool& insert);
void DocSetVal(cDocument& ad, const unsigned int& bitByte, const unsigned int& mask,
               const unsigned int& nominal, const unsigned int& value);
void DocGetData(cDocument& ad);
void DocSetData(cDocument& ad);
// The same for the newer layouts, whose sections are read and written whole.
void NewGetData(cDocument& ad);
void NewSetData(cDocument& ad);

// Brings a dead hardcore character back to life, as every save does.
void Awake(cDocument& ad);
// The whole-game actions of an edit (complete or restart, all skills), which DocApplyEdit
// applies before the one-by-one edits.
void DocApplyGameActions(cDocument& doc, const CharEdit& edit);
// Where the 30 skill bytes begin; the file's length when it has none.
unsigned int DocSkillsStart(const cDocument& ad);

// Character name, derived from a file name. DocCheckName applies the rules of
// DocSetFileName without a message, so that each caller words the reason its own way.
enum class NameRule { Ok, TooLong, TooShort, NotLetters };
NameRule DocCheckName(const char* name);
bool DocSetFileName(cDocument& ad, const char* name);

// New characters from the built-in template.
const unsigned int TEMPLATE_SIZE = 706;
extern const unsigned char newCharTemplate[TEMPLATE_SIZE];
bool DocOpenNewFile(cDocument& ad, const int& command);
void DocSetPlayer(cDocument& ad, const int& command);
void DocSetNewPlayerData(cDocument& ad, const short& strength, const short& dexterity,
                         const short& vitality, const short& energy);
