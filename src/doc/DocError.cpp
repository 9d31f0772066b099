#include "doc/DocError.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Reason {
    DocError code;
    const char* text;
};

const Reason kReasons[] = {
    {DocError::Ok, "is fine"},
    {DocError::Missing, "does not exist"},
    {DocError::Folder, "is a folder, not a save file"},
    {DocError::NotSave, "is not a save file (it does not begin with 55 AA 55 AA)"},
    {DocError::TooShort,
     "is too short for a save file of its version (at least 660 bytes, 335 from 1.09 on)"},
    {DocError::TooLong, "is too long for a save file (at most 100000 bytes)"},
    {DocError::CannotRead, "cannot be read"},
    {DocError::NoDocument, "cannot be saved: no character is open"},
    {DocError::NotWritable, "cannot be saved by this editor"},
    {DocError::IsBackup, "is a backup file and is never written in place"},
    {DocError::ReadOnly, "is read-only; nothing written"},
    {DocError::HardLinked,
     "has other hard links, which a save would separate from it; nothing written"},
    {DocError::TargetExists, "exists; use --force to replace it"},
    {DocError::NoFolder, "is in a folder that does not exist; nothing written"},
    {DocError::NameRefused, "is not a valid character name"},
    {DocError::TooLongToSave, "would be longer than 100000 bytes; nothing written"},
    {DocError::BackupFailed, "could not be backed up; nothing written"},
    {DocError::CannotWrite, "could not be written and is unchanged"},
    {DocError::NotPlayed,
     "is a new character's file as the game writes it at creation: the game builds the character "
     "when it first loads it"},
    {DocError::HeaderOnly, "ends behind its header, though its character has played"},
    {DocError::SizeField, "is not as long as its size field says"},
    {DocError::NoMarker, "lacks a section marker"},
    {DocError::AttrUnknownId, "has an attribute id that no attribute has"},
    {DocError::AttrNoEnd, "has an attribute list without its end (id 0x1FF)"},
    {DocError::AttrOutOfOrder, "has attribute ids out of ascending order"},
    {DocError::AttrRepeated, "has an attribute id twice"},
    {DocError::AttrCut, "ends inside its attributes"},
    {DocError::NoIf, "has no \"if\" where its attributes end"},
    {DocError::SkillsCut, "ends inside its 30 skill bytes"},
    {DocError::NoItems, "has no item list (\"JM\") behind its skills"},
};

}  // namespace

const char* DocErrorText(DocError code) {
    for (const Reason& r : kReasons) {
        if (r.code == code) return r.text;
    }
    return "failed";
}

std::string DocErrorMessage(const DocResult& result, const std::string& file) {
    std::string text = file + " " + DocErrorText(result.code);
    if (!result.detail.empty()) text += " (" + result.detail + ")";
    return text;
}

std::string format(const char* fmt, const std::string& arg) {
    std::vector<char> text(std::strlen(fmt) + arg.size() + 1);
    std::snprintf(text.data(), text.size(), fmt, arg.c_str());
    return text.data();
}
