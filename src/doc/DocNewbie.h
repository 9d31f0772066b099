// New characters as the game itself makes them: at creation the game writes a header-only
// "newbie" file (status bit 0x01), and the game that loads such a file builds the character
// (starting attributes, items, skill, quests and first waypoint) as for one made in its menu.
#pragma once

#include <cstdint>

class cDocument;

struct NewbieChoice {
    std::uint32_t version = 0;  // a sized layout: 92 to 99, or 105
    int charClass = 0;
    int edition = 0;  // EDITION_CLASSIC, EDITION_EXPANSION or EDITION_WARLOCK (105 only)
    bool hardcore = false;
    std::uint32_t created = 0;  // seconds since 1970; the file's created and last played time
};

enum class NewbieRefusal {
    None,
    Version,         // no layout with a newbie header
    Class,           // no class code
    Edition,         // no edition, or the Warlock's before version 105
    NeedsExpansion,  // Druid and Assassin
    NeedsWarlock,    // the Warlock needs his own edition
};

NewbieRefusal DocNewbieRefusal(const NewbieChoice& choice);
// Drops the current document and makes the newbie file of the choice, nameless; false when
// the choice is refused or the buffer cannot be allocated (then there is no document).
bool DocOpenNewbie(cDocument& ad, const NewbieChoice& choice);
// Whether the open file is a newbie file: its header alone, with the newbie bit, and no other
// damage. It is read-only, yet whole: the game expects nothing more.
bool DocIsNewbie(const cDocument& ad);
// The choice of a window's menu command for a newer game (resource.h); false for any other
// command.
bool DocNewbieCommand(int command, NewbieChoice& choice);
