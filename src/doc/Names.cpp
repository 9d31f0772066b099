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

const SkillInfo kSkills[kClasses][kSkillCount] = {
    // Amazon: Bow and Crossbow, Passive and Magic, Javelin and Spear
    {{6, "Magic Arrow", 0},
     {7, "Fire Arrow", 0},
     {8, "Inner Sight", 1},
     {9, "Critical Strike", 1},
     {10, "Jab", 2},
     {11, "Cold Arrow", 0},
     {12, "Multiple Shot", 0},
     {13, "Dodge", 1},
     {14, "Power Strike", 2},
     {15, "Poison Javelin", 2},
     {16, "Exploding Arrow", 0},
     {17, "Slow Missiles", 1},
     {18, "Avoid", 1},
     {19, "Impale", 2},
     {20, "Lightning Bolt", 2},
     {21, "Ice Arrow", 0},
     {22, "Guided Arrow", 0},
     {23, "Penetrate", 1},
     {24, "Charged Strike", 2},
     {25, "Plague Javelin", 2},
     {26, "Strafe", 0},
     {27, "Immolation Arrow", 0},
     {28, "Decoy", 1},
     {29, "Evade", 1},
     {30, "Fend", 2},
     {31, "Freezing Arrow", 0},
     {32, "Valkyrie", 1},
     {33, "Pierce", 1},
     {34, "Lightning Strike", 2},
     {35, "Lightning Fury", 2}},
    // Sorceress: Fire Spells, Lightning Spells, Cold Spells
    {{36, "Fire Bolt", 0},      {37, "Warmth", 0},
     {38, "Charged Bolt", 1},   {39, "Ice Bolt", 2},
     {40, "Frozen Armor", 2},   {41, "Inferno", 0},
     {42, "Static Field", 1},   {43, "Telekinesis", 1},
     {44, "Frost Nova", 2},     {45, "Ice Blast", 2},
     {46, "Blaze", 0},          {47, "Fire Ball", 0},
     {48, "Nova", 1},           {49, "Lightning", 1},
     {50, "Shiver Armor", 2},   {51, "Fire Wall", 0},
     {52, "Enchant", 0},        {53, "Chain Lightning", 1},
     {54, "Teleport", 1},       {55, "Glacial Spike", 2},
     {56, "Meteor", 0},         {57, "Thunder Storm", 1},
     {58, "Energy Shield", 1},  {59, "Blizzard", 2},
     {60, "Chilling Armor", 2}, {61, "Fire Mastery", 0},
     {62, "Hydra", 0},          {63, "Lightning Mastery", 1},
     {64, "Frozen Orb", 2},     {65, "Cold Mastery", 2}},
    // Necromancer: Curses, Poison and Bone, Summoning
    {{66, "Amplify Damage", 0},   {67, "Teeth", 1},          {68, "Bone Armor", 1},
     {69, "Skeleton Mastery", 2}, {70, "Raise Skeleton", 2}, {71, "Dim Vision", 0},
     {72, "Weaken", 0},           {73, "Poison Dagger", 1},  {74, "Corpse Explosion", 1},
     {75, "Clay Golem", 2},       {76, "Iron Maiden", 0},    {77, "Terror", 0},
     {78, "Bone Wall", 1},        {79, "Golem Mastery", 2},  {80, "Raise Skeletal Mage", 2},
     {81, "Confuse", 0},          {82, "Life Tap", 0},       {83, "Poison Explosion", 1},
     {84, "Bone Spear", 1},       {85, "Blood Golem", 2},    {86, "Attract", 0},
     {87, "Decrepify", 0},        {88, "Bone Prison", 1},    {89, "Summon Resist", 2},
     {90, "Iron Golem", 2},       {91, "Lower Resist", 0},   {92, "Poison Nova", 1},
     {93, "Bone Spirit", 1},      {94, "Fire Golem", 2},     {95, "Revive", 2}},
    // Paladin: Combat Skills, Offensive Auras, Defensive Auras
    {{96, "Sacrifice", 0},
     {97, "Smite", 0},
     {98, "Might", 1},
     {99, "Prayer", 2},
     {100, "Resist Fire", 2},
     {101, "Holy Bolt", 0},
     {102, "Holy Fire", 1},
     {103, "Thorns", 1},
     {104, "Defiance", 2},
     {105, "Resist Cold", 2},
     {106, "Zeal", 0},
     {107, "Charge", 0},
     {108, "Blessed Aim", 1},
     {109, "Cleansing", 2},
     {110, "Resist Lightning", 2},
     {111, "Vengeance", 0},
     {112, "Blessed Hammer", 0},
     {113, "Concentration", 1},
     {114, "Holy Freeze", 1},
     {115, "Vigor", 2},
     {116, "Conversion", 0},
     {117, "Holy Shield", 0},
     {118, "Holy Shock", 1},
     {119, "Sanctuary", 1},
     {120, "Meditation", 2},
     {121, "Fist of the Heavens", 0},
     {122, "Fanaticism", 1},
     {123, "Conviction", 1},
     {124, "Redemption", 2},
     {125, "Salvation", 2}},
    // Barbarian: Combat Skills, Combat Masteries, Warcries
    {{126, "Bash", 0},
     {127, "Sword Mastery", 1},
     {128, "Axe Mastery", 1},
     {129, "Mace Mastery", 1},
     {130, "Howl", 2},
     {131, "Find Potion", 2},
     {132, "Leap", 0},
     {133, "Double Swing", 0},
     {134, "Pole Arm Mastery", 1},
     {135, "Throwing Mastery", 1},
     {136, "Spear Mastery", 1},
     {137, "Taunt", 2},
     {138, "Shout", 2},
     {139, "Stun", 0},
     {140, "Double Throw", 0},
     {141, "Increased Stamina", 1},
     {142, "Find Item", 2},
     {143, "Leap Attack", 0},
     {144, "Concentrate", 0},
     {145, "Iron Skin", 1},
     {146, "Battle Cry", 2},
     {147, "Frenzy", 0},
     {148, "Increased Speed", 1},
     {149, "Battle Orders", 2},
     {150, "Grim Ward", 2},
     {151, "Whirlwind", 0},
     {152, "Berserk", 0},
     {153, "Natural Resistance", 1},
     {154, "War Cry", 2},
     {155, "Battle Command", 2}},
    // Druid: Summoning, Shape Shifting, Elemental
    {{221, "Raven", 0},
     {222, "Poison Creeper", 0},
     {223, "Werewolf", 1},
     {224, "Lycanthropy", 1},
     {225, "Firestorm", 2},
     {226, "Oak Sage", 0},
     {227, "Summon Spirit Wolf", 0},
     {228, "Werebear", 1},
     {229, "Molten Boulder", 2},
     {230, "Arctic Blast", 2},
     {231, "Carrion Vine", 0},
     {232, "Feral Rage", 1},
     {233, "Maul", 1},
     {234, "Fissure", 2},
     {235, "Cyclone Armor", 2},
     {236, "Heart of Wolverine", 0},
     {237, "Summon Dire Wolf", 0},
     {238, "Rabies", 1},
     {239, "Fire Claws", 1},
     {240, "Twister", 2},
     {241, "Solar Creeper", 0},
     {242, "Hunger", 1},
     {243, "Shock Wave", 1},
     {244, "Volcano", 2},
     {245, "Tornado", 2},
     {246, "Spirit of Barbs", 0},
     {247, "Summon Grizzly", 0},
     {248, "Fury", 1},
     {249, "Armageddon", 2},
     {250, "Hurricane", 2}},
    // Assassin: Martial Arts, Shadow Disciplines, Traps
    {{251, "Fire Blast", 2},
     {252, "Claw Mastery", 1},
     {253, "Psychic Hammer", 1},
     {254, "Tiger Strike", 0},
     {255, "Dragon Talon", 0},
     {256, "Shock Web", 2},
     {257, "Blade Sentinel", 2},
     {258, "Burst of Speed", 1},
     {259, "Fists of Fire", 0},
     {260, "Dragon Claw", 0},
     {261, "Charged Bolt Sentry", 2},
     {262, "Wake of Fire", 2},
     {263, "Weapon Block", 1},
     {264, "Cloak of Shadows", 1},
     {265, "Cobra Strike", 0},
     {266, "Blade Fury", 2},
     {267, "Fade", 1},
     {268, "Shadow Warrior", 1},
     {269, "Claws of Thunder", 0},
     {270, "Dragon Tail", 0},
     {271, "Lightning Sentry", 2},
     {272, "Wake of Inferno", 2},
     {273, "Mind Blast", 1},
     {274, "Blades of Ice", 0},
     {275, "Dragon Flight", 0},
     {276, "Death Sentry", 2},
     {277, "Blade Shield", 2},
     {278, "Venom", 1},
     {279, "Shadow Master", 1},
     {280, "Phoenix Strike", 0}},
    // Warlock: Demon, Eldritch, Chaos
    {{373, "Summon Goatman", 0},   {374, "Demonic Mastery", 0},    {375, "Death Mark", 0},
     {376, "Summon Tainted", 0},   {377, "Summon Defiler", 0},     {378, "Blood Oath", 0},
     {379, "Engorge", 0},          {380, "Blood Boil", 0},         {381, "Consume", 0},
     {382, "Bind Demon", 0},       {383, "Levitation Mastery", 1}, {384, "Eldritch Blast", 1},
     {385, "Hex: Bane", 1},        {386, "Hex: Siphon", 1},        {387, "Psychic Ward", 1},
     {388, "Echoing Strike", 1},   {389, "Hex: Purge", 1},         {390, "Blade Warp", 1},
     {391, "Cleave", 1},           {392, "Mirrored Blades", 1},    {393, "Sigil: Lethargy", 2},
     {394, "Ring of Fire", 2},     {395, "Miasma Bolt", 2},        {396, "Sigil: Rancor", 2},
     {397, "Enhanced Entropy", 2}, {398, "Flame Wave", 2},         {399, "Miasma Chain", 2},
     {400, "Sigil: Death", 2},     {401, "Apocalypse", 2},         {402, "Abyss", 2}},
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
// The first waypoint of acts II-V.
const int kActStarts[] = {9, 18, 27, 30};

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

const SkillInfo& SkillOf(int charClass, int index) { return kSkills[classRow(charClass)][index]; }

const char* SkillTreeName(int charClass, int tree) { return kTrees[classRow(charClass)][tree]; }

int SkillIndex(int charClass, const std::string& nameOrId) {
    const SkillInfo* row = kSkills[classRow(charClass)];
    const bool digits =
        !nameOrId.empty() && nameOrId.find_first_not_of("0123456789") == std::string::npos;
    if (digits && nameOrId.size() < 6) {
        const int id = std::atoi(nameOrId.c_str());
        return id >= row[0].id && id < row[0].id + kSkillCount ? id - row[0].id : -1;
    }
    return find(nameOrId, kSkillCount, [row](int i) { return row[i].name; });
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

int WaypointAct(int index) {
    int act = 1;
    for (int start : kActStarts) act += index >= start;
    return act;
}

int WaypointIndex(const std::string& name) {
    return find(name, kWaypointCount, [](int i) { return kWaypoints[i]; });
}
