// Application-wide constants.
#pragma once

extern const char* const sclear;
extern const char* const logfile;
extern const char* const title;
extern const char* const backupext;
extern const char* const d2savefile;
extern const char* const d2backupfile;
extern const char* const blizzard;
extern const char* const fansite;
extern const char* const wwweditor;

// Class names in selector order: the index is the class code of the save file.
const int kClassCount = 8;  // CLASS_COUNT of doc/Layout.h, checked there
extern const char* const kClassNames[kClassCount];
