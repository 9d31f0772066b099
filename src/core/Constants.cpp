#include "core/Constants.h"

const char* const sclear = "----";
const char* const logfile = "C:\\velmorexplog.txt";
const char* const title = "Velmor V2.0 Expansion";
const char* const backupext = "bakvelmor";
const char* const d2savefile = "D2SaveFile";
const char* const d2backupfile = "D2BackupFile";
const char* const blizzard = "https://www.blizzard.com/";
const char* const fansite = "https://www.theamazonbasin.com/";
const char* const wwweditor = "https://github.com/velmor/velmor";

const char* const kClassNames[kClassCount] = {"Amazone", "Sorceress", "Necromancer", "Paladin",
                                              "Barbar",  "Druid",     "Assassine",   "Warlock"};
