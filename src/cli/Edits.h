// set's one-by-one options turned into the edit record of the open character.
#pragma once

#include <string>

class cDocument;
struct Options;

// Resolves the names of opts against doc (skills of charClass, the character's quests and
// waypoints) into doc.edit, printing what the game will make of each edit. False with the
// reason in error when a name or value does not fit the character.
bool FillEdits(cDocument& doc, int charClass, const Options& opts, std::string& error);
