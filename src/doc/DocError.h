// Why opening or saving a character refused: one table of reasons and their texts, read
// by the window's message boxes and by velmor-cli's error lines alike.
#pragma once

#include <string>

enum class DocError {
    Ok,
    Missing,
    Folder,
    NotSave,
    TooShort,
    TooLong,
    CannotRead,
    NoDocument,
    NotWritable,
    IsBackup,
    ReadOnly,
    HardLinked,
    TargetExists,
    NoFolder,
    NameRefused,
    TooLongToSave,
    BackupFailed,
    CannotWrite,
    // Why a file is never written: what is wrong with it, the detail saying what was found
    // and where.
    NotPlayed,
    HeaderOnly,
    SizeField,
    NoMarker,
    AttrUnknownId,
    AttrNoEnd,
    AttrOutOfOrder,
    AttrRepeated,
    AttrCut,
    NoIf,
    SkillsCut,
    NoItems,
};

struct DocResult {
    DocError code = DocError::Ok;
    std::string detail;  // the system's reason or the check's own words; may be empty
    bool ok() const { return code == DocError::Ok; }
};

// The reason's text, a sentence fragment that follows the file's name.
const char* DocErrorText(DocError code);
// "FILE TEXT (DETAIL)", e.g. "Rogar.d2s is read-only; nothing written"; the detail only
// when there is one.
std::string DocErrorMessage(const DocResult& result, const std::string& file);
// printf with one %s, for the window's texts that name a file.
std::string format(const char* fmt, const std::string& arg);
