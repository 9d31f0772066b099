// The game's names of skills, quests, difficulties and waypoints, and where each lives in
// the save: the skill bytes after "if" in the game's skill-table order of each class, the
// quest words of a difficulty's block, the waypoint bits in the game's level-table order.
// Names are the English display names; matching ignores case.
#include <cctype>
#include <cstdlib>
#include <string>

#include "core/Edit.h"
#include "doc/Progress.h"

namespace {

const int kClasses = 8;

// The game numbers each class's skills in one run, in file order, from the class's first id.
const int kFirstSkill[kClasses] = {6, 36, 66, 96, 126, 221, 251, 373};

struct SkillRow {
    const char* name;
    int tree;
};

const SkillRow kSkills[kClasses][kSkillCount] = {
    // Amazon: Bow and Crossbow, Passive and Magic, Javelin and Spear
    {{"Magic Arrow", 0},
     {"Fire Arrow", 0},
     {"Inner Sight", 1},
     {"Critical Strike", 1},
     {"Jab", 2},
     {"Cold Arrow", 0},
     {"Multiple Shot", 0},
     {"Dodge", 1},
     {"Power Strike", 2},
     {"Poison Javelin", 2},
     {"Exploding Arrow", 0},
     {"Slow Missiles", 1},
     {"Avoid", 1},
     {"Impale", 2},
     {"Lightning Bolt", 2},
     {"Ice Arrow", 0},
     {"Guided Arrow", 0},
     {"Penetrate", 1},
     {"Charged Strike", 2},
     {"Plague Javelin", 2},
     {"Strafe", 0},
     {"Immolation Arrow", 0},
     {"Decoy", 1},
     {"Evade", 1},
     {"Fend", 2},
     {"Freezing Arrow", 0},
     {"Valkyrie", 1},
     {"Pierce", 1},
     {"Lightning Strike", 2},
     {"Lightning Fury", 2}},
    // Sorceress: Fire Spells, Lightning Spells, Cold Spells
    {{"Fire Bolt", 0},      {"Warmth", 0},          {"Charged Bolt", 1},  {"Ice Bolt", 2},
     {"Frozen Armor", 2},   {"Inferno", 0},         {"Static Field", 1},  {"Telekinesis", 1},
     {"Frost Nova", 2},     {"Ice Blast", 2},       {"Blaze", 0},         {"Fire Ball", 0},
     {"Nova", 1},           {"Lightning", 1},       {"Shiver Armor", 2},  {"Fire Wall", 0},
     {"Enchant", 0},        {"Chain Lightning", 1}, {"Teleport", 1},      {"Glacial Spike", 2},
     {"Meteor", 0},         {"Thunder Storm", 1},   {"Energy Shield", 1}, {"Blizzard", 2},
     {"Chilling Armor", 2}, {"Fire Mastery", 0},    {"Hydra", 0},         {"Lightning Mastery", 1},
     {"Frozen Orb", 2},     {"Cold Mastery", 2}},
    // Necromancer: Curses, Poison and Bone, Summoning
    {{"Amplify Damage", 0},   {"Teeth", 1},          {"Bone Armor", 1},
     {"Skeleton Mastery", 2}, {"Raise Skeleton", 2}, {"Dim Vision", 0},
     {"Weaken", 0},           {"Poison Dagger", 1},  {"Corpse Explosion", 1},
     {"Clay Golem", 2},       {"Iron Maiden", 0},    {"Terror", 0},
     {"Bone Wall", 1},        {"Golem Mastery", 2},  {"Raise Skeletal Mage", 2},
     {"Confuse", 0},          {"Life Tap", 0},       {"Poison Explosion", 1},
     {"Bone Spear", 1},       {"Blood Golem", 2},    {"Attract", 0},
     {"Decrepify", 0},        {"Bone Prison", 1},    {"Summon Resist", 2},
     {"Iron Golem", 2},       {"Lower Resist", 0},   {"Poison Nova", 1},
     {"Bone Spirit", 1},      {"Fire Golem", 2},     {"Revive", 2}},
    // Paladin: Combat Skills, Offensive Auras, Defensive Auras
    {{"Sacrifice", 0},
     {"Smite", 0},
     {"Might", 1},
     {"Prayer", 2},
     {"Resist Fire", 2},
     {"Holy Bolt", 0},
     {"Holy Fire", 1},
     {"Thorns", 1},
     {"Defiance", 2},
     {"Resist Cold", 2},
     {"Zeal", 0},
     {"Charge", 0},
     {"Blessed Aim", 1},
     {"Cleansing", 2},
     {"Resist Lightning", 2},
     {"Vengeance", 0},
     {"Blessed Hammer", 0},
     {"Concentration", 1},
     {"Holy Freeze", 1},
     {"Vigor", 2},
     {"Conversion", 0},
     {"Holy Shield", 0},
     {"Holy Shock", 1},
     {"Sanctuary", 1},
     {"Meditation", 2},
     {"Fist of the Heavens", 0},
     {"Fanaticism", 1},
     {"Conviction", 1},
     {"Redemption", 2},
     {"Salvation", 2}},
    // Barbarian: Combat Skills, Combat Masteries, Warcries
    {{"Bash", 0},
     {"Sword Mastery", 1},
     {"Axe Mastery", 1},
     {"Mace Mastery", 1},
     {"Howl", 2},
     {"Find Potion", 2},
     {"Leap", 0},
     {"Double Swing", 0},
     {"Pole Arm Mastery", 1},
     {"Throwing Mastery", 1},
     {"Spear Mastery", 1},
     {"Taunt", 2},
     {"Shout", 2},
     {"Stun", 0},
     {"Double Throw", 0},
     {"Increased Stamina", 1},
     {"Find Item", 2},
     {"Leap Attack", 0},
     {"Concentrate", 0},
     {"Iron Skin", 1},
     {"Battle Cry", 2},
     {"Frenzy", 0},
     {"Increased Speed", 1},
     {"Battle Orders", 2},
     {"Grim Ward", 2},
     {"Whirlwind", 0},
     {"Berserk", 0},
     {"Natural Resistance", 1},
     {"War Cry", 2},
     {"Battle Command", 2}},
    // Druid: Summoning, Shape Shifting, Elemental
    {{"Raven", 0},
     {"Poison Creeper", 0},
     {"Werewolf", 1},
     {"Lycanthropy", 1},
     {"Firestorm", 2},
     {"Oak Sage", 0},
     {"Summon Spirit Wolf", 0},
     {"Werebear", 1},
     {"Molten Boulder", 2},
     {"Arctic Blast", 2},
     {"Carrion Vine", 0},
     {"Feral Rage", 1},
     {"Maul", 1},
     {"Fissure", 2},
     {"Cyclone Armor", 2},
     {"Heart of Wolverine", 0},
     {"Summon Dire Wolf", 0},
     {"Rabies", 1},
     {"Fire Claws", 1},
     {"Twister", 2},
     {"Solar Creeper", 0},
     {"Hunger", 1},
     {"Shock Wave", 1},
     {"Volcano", 2},
     {"Tornado", 2},
     {"Spirit of Barbs", 0},
     {"Summon Grizzly", 0},
     {"Fury", 1},
     {"Armageddon", 2},
     {"Hurricane", 2}},
    // Assassin: Martial Arts, Shadow Disciplines, Traps
    {{"Fire Blast", 2},
     {"Claw Mastery", 1},
     {"Psychic Hammer", 1},
     {"Tiger Strike", 0},
     {"Dragon Talon", 0},
     {"Shock Web", 2},
     {"Blade Sentinel", 2},
     {"Burst of Speed", 1},
     {"Fists of Fire", 0},
     {"Dragon Claw", 0},
     {"Charged Bolt Sentry", 2},
     {"Wake of Fire", 2},
     {"Weapon Block", 1},
     {"Cloak of Shadows", 1},
     {"Cobra Strike", 0},
     {"Blade Fury", 2},
     {"Fade", 1},
     {"Shadow Warrior", 1},
     {"Claws of Thunder", 0},
     {"Dragon Tail", 0},
     {"Lightning Sentry", 2},
     {"Wake of Inferno", 2},
     {"Mind Blast", 1},
     {"Blades of Ice", 0},
     {"Dragon Flight", 0},
     {"Death Sentry", 2},
     {"Blade Shield", 2},
     {"Venom", 1},
     {"Shadow Master", 1},
     {"Phoenix Strike", 0}},
    // Warlock: Demon, Eldritch, Chaos
    {{"Summon Goatman", 0},   {"Demonic Mastery", 0},    {"Death Mark", 0},
     {"Summon Tainted", 0},   {"Summon Defiler", 0},     {"Blood Oath", 0},
     {"Engorge", 0},          {"Blood Boil", 0},         {"Consume", 0},
     {"Bind Demon", 0},       {"Levitation Mastery", 1}, {"Eldritch Blast", 1},
     {"Hex: Bane", 1},        {"Hex: Siphon", 1},        {"Psychic Ward", 1},
     {"Echoing Strike", 1},   {"Hex: Purge", 1},         {"Blade Warp", 1},
     {"Cleave", 1},           {"Mirrored Blades", 1},    {"Sigil: Lethargy", 2},
     {"Ring of Fire", 2},     {"Miasma Bolt", 2},        {"Sigil: Rancor", 2},
     {"Enhanced Entropy", 2}, {"Flame Wave", 2},         {"Miasma Chain", 2},
     {"Sigil: Death", 2},     {"Apocalypse", 2},         {"Abyss", 2}},
};

const char* const kTrees[kClasses][3] = {
    {"Bow and Crossbow", "Passive and Magic", "Javelin and Spear"},
    {"Fire Spells", "Lightning Spells", "Cold Spells"},
    {"Curses", "Poison and Bone", "Summoning"},
    {"Combat Skills", "Offensive Auras", "Defensive Auras"},
    {"Combat Skills", "Combat Masteries", "Warcries"},
    {"Summoning", "Shape Shifting", "Elemental"},
    {"Martial Arts", "Shadow Disciplines", "Traps"},
    {"Demon", "Eldritch", "Chaos"},
};

// Act, word, name, reward handed out by an NPC in play, what marking it done adds.
const QuestInfo kQuests[] = {
    {1, 1, "Den of Evil", true, "+1 skill point"},
    {1, 2, "Sisters' Burial Grounds", true, ""},
    {1, 3, "Tools of the Trade", true, ""},
    {1, 4, "The Search for Cain", true, ""},
    {1, 5, "The Forgotten Tower", false, ""},
    {1, 6, "Sisters to the Slaughter", false, ""},
    {2, 9, "Radament's Lair", false, "+1 skill point"},
    {2, 10, "The Horadric Staff", false, ""},
    {2, 11, "Tainted Sun", false, ""},
    {2, 12, "Arcane Sanctuary", false, ""},
    {2, 13, "The Summoner", false, ""},
    {2, 14, "The Seven Tombs", false, ""},
    {3, 17, "Lam Esen's Tome", false, "+5 stat points"},
    {3, 18, "Khalim's Will", false, ""},
    {3, 19, "Blade of the Old Religion", false, ""},
    {3, 20, "The Golden Bird", true, "+20 life"},
    {3, 21, "The Blackened Temple", false, ""},
    {3, 22, "The Guardian", false, ""},
    {4, 25, "The Fallen Angel", true, "+2 skill points"},
    {4, 26, "Terror's End", false, ""},
    {4, 27, "Hell's Forge", false, ""},
    {5, 35, "Siege on Harrogath", true, ""},
    {5, 36, "Rescue on Mount Arreat", true, ""},
    {5, 37, "Prison of Ice", true, ""},
    {5, 38, "Betrayal of Harrogath", true, ""},
    {5, 39, "Rite of Passage", false, ""},
    {5, 40, "Eve of Destruction", false, ""},
};
const int kQuestCount = sizeof kQuests / sizeof kQuests[0];

const char* const kExtras[kQuestExtraCount] = {"Cow King killed", "Scroll of Resistance read",
                                               "Akara reset available", "Akara reset used"};

const char* const kDifficulties[kDifficultyCount] = {"Normal", "Nightmare", "Hell"};

const char* const kWaypoints[kWaypointCount] = {
    "Rogue Encampment",
    "Cold Plains",
    "Stony Field",
    "Dark Wood",
    "Black Marsh",
    "Outer Cloister",
    "Jail Level 1",
    "Inner Cloister",
    "Catacombs Level 2",
    "Lut Gholein",
    "Sewers Level 2",
    "Dry Hills",
    "Halls of the Dead Level 2",
    "Far Oasis",
    "Lost City",
    "Palace Cellar Level 1",
    "Arcane Sanctuary",
    "Canyon of the Magi",
    "Kurast Docks",
    "Spider Forest",
    "Great Marsh",
    "Flayer Jungle",
    "Lower Kurast",
    "Kurast Bazaar",
    "Upper Kurast",
    "Travincal",
    "Durance of Hate Level 2",
    "The Pandemonium Fortress",
    "City of the Damned",
    "River of Flame",
    "Harrogath",
    "Frigid Highlands",
    "Arreat Plateau",
    "Crystalline Passage",
    "Glacial Trail",
    "Halls of Pain",
    "Frozen Tundra",
    "The Ancients' Way",
    "Worldstone Keep Level 2",
};
// The first waypoint of acts I-V, and the end of the last.
const int kActStarts[] = {0, 9, 18, 27, 30, kWaypointCount};

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && !b[i];
}

template <class Name>
int find(const std::string& name, int count, Name nameOf) {
    for (int i = 0; i < count; ++i) {
        if (sameName(name, nameOf(i))) return i;
    }
    return -1;
}

int classRow(int charClass) { return charClass >= 0 && charClass < kClasses ? charClass : 0; }

}  // namespace

SkillInfo SkillOf(int charClass, int index) {
    const int c = classRow(charClass);
    return {kFirstSkill[c] + index, kSkills[c][index].name, kSkills[c][index].tree};
}

const char* SkillTreeName(int charClass, int tree) { return kTrees[classRow(charClass)][tree]; }

int SkillIndex(int charClass, const std::string& nameOrId) {
    const int c = classRow(charClass), first = kFirstSkill[c];
    const bool digits =
        !nameOrId.empty() && nameOrId.find_first_not_of("0123456789") == std::string::npos;
    if (digits && nameOrId.size() < 6) {
        const int id = std::atoi(nameOrId.c_str());
        return id >= first && id < first + kSkillCount ? id - first : -1;
    }
    return find(nameOrId, kSkillCount, [c](int i) { return kSkills[c][i].name; });
}

int QuestCount() { return kQuestCount; }

const QuestInfo& QuestAt(int i) { return kQuests[i]; }

int QuestIndex(const std::string& name) {
    return find(name, kQuestCount, [](int i) { return kQuests[i].name; });
}

const char* QuestExtraName(QuestExtra extra) { return kExtras[static_cast<int>(extra)]; }

int QuestExtraIndex(const std::string& name) {
    return find(name, kQuestExtraCount, [](int i) { return kExtras[i]; });
}

const char* DifficultyName(int difficulty) { return kDifficulties[difficulty]; }

int DifficultyIndex(const std::string& name) {
    return find(name, kDifficultyCount, [](int i) { return kDifficulties[i]; });
}

const char* WaypointName(int index) { return kWaypoints[index]; }

int WaypointActStart(int act) { return kActStarts[act - 1]; }

int WaypointIndex(const std::string& name) {
    return find(name, kWaypointCount, [](int i) { return kWaypoints[i]; });
}
