// Skills, quests and waypoints one by one, through velmor-cli on a sample of every format:
// each saved file is compared whole with the input patched at the offsets the formats
// document, its length and checksum sealed by the test's own helper.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestUtil.h"
#include "core/Edit.h"

namespace {

struct Format {
    const char* file;
    unsigned quests, waypoints;  // Normal's quest block and waypoint block
    bool sized;
    const char* skill;  // byte 3 of the class's skills, set to 7
    std::string waypoint;
    unsigned bit;  // of that waypoint in Hell
};

const Format kFormats[] = {
    {"d2v107.d2s", 140, 436, false, "Mace Mastery", "Halls of Pain", 35},
    {"d2v108.d2s", 140, 436, false, "mace mastery", "HALLS OF PAIN", 35},
    {"d2v109b.d2s", 345, 641, true, "129", "Halls of Pain", 35},
    {"96_NokkaSorc.d2s", 345, 641, true, "Ice Bolt", "Halls of Pain", 35},
    {"96_classic.d2s", 345, 641, true, "Skeleton Mastery", "Travincal", 25},
    {"97_Barb_hp3.d2s", 345, 641, true, "Mace Mastery", "Halls of Pain", 35},
    {"98_Agelatus.d2s", 345, 641, true, "Ice Bolt", "Halls of Pain", 35},
    {"99_Wilhelm.d2s", 345, 641, true, "Mace Mastery", "Halls of Pain", 35},
    {"105_Warlock.d2s", 413, 709, true, "Summon Tainted", "Halls of Pain", 35},
};

unsigned get16(const Bytes& b, unsigned at) { return b[at] | b[at + 1] << 8; }

unsigned word(const Format& f, int difficulty, int w) { return f.quests + 96 * difficulty + 2 * w; }

// The skill bytes follow "if", the first after "gf".
unsigned skillsAt(const Bytes& b) {
    const unsigned char gf[] = {'g', 'f'}, marker[] = {'i', 'f'};
    auto at = std::search(b.begin(), b.end(), gf, gf + 2);
    return unsigned(std::search(at, b.end(), marker, marker + 2) - b.begin()) + 2;
}

std::string checkVerdict(const std::string& folder, const std::string& name) {
    const std::string out = RunCli({"check", name}, folder).out;
    return out.substr(out.find(':'));
}

}  // namespace

// A skill, a quest set done and one cleared, the Cow King's flag (and the Scroll of
// Resistance's for expansion characters) and a Hell waypoint, with
// Akara's reset (Normal word 41) set beforehand: it must survive.
TEST(Progress, EditsTouchOnlyTheirOwnBytesInEveryFormat) {
    for (const Format& f : kFormats) {
        TempDir dir;
        Bytes in = Sample(f.file);
        Put16(in, word(f, 0, 41), 0x8002);
        if (f.sized) in = Sealed(in);
        WriteBytes(dir / "Hero.d2s", in);
        const std::string verdict = checkVerdict(dir.path, "Hero.d2s");
        const bool expansion =
            RunCli({"info", "--json", "Hero.d2s"}, dir.path).out.find("\"expansion\": true") !=
            std::string::npos;
        Bytes want = in;
        if (expansion) want[word(f, 2, 37)] |= 0x80;  // Scroll of Resistance read: bit 7
        want[skillsAt(in) + 3] = 7;
        if (!(get16(in, word(f, 1, 5)) & 1)) {  // The Forgotten Tower, done: its act's intro too
            Put16(want, word(f, 1, 5), 0x8001);
            want[word(f, 1, 0)] |= 1;
        }
        if (get16(in, word(f, 2, 6))) Put16(want, word(f, 2, 6), 0);  // Andariel cleared:
        Put16(want, word(f, 2, 7), 0);                                // no travel to act II
        want[word(f, 0, 4) + 1] |= 0x04;                              // Cow King killed: bit 10
        const unsigned hell = f.waypoints + 48;
        if (get16(in, hell) != 0x102) Put16(want, hell, 0x102), Put32(want, hell + 2, 1);
        want[hell + 2 + f.bit / 8] |= 1 << f.bit % 8;
        if (f.sized) want = Sealed(want);
        std::vector<std::string> args = {"set",
                                         "Hero.d2s",
                                         "--no-backup",
                                         "--skill",
                                         std::string(f.skill) + "=7",
                                         "--quest",
                                         "nightmare:The Forgotten Tower=done",
                                         "--quest",
                                         "Hell:Sisters to the Slaughter=none",
                                         "--quest-flag",
                                         "normal:cow king killed=on",
                                         "--waypoint",
                                         "Hell:" + f.waypoint + "=on"};
        if (expansion)
            args.insert(args.end(), {"--quest-flag", "Hell:Scroll of Resistance read=on"});
        const CliResult r = RunCli(args, dir.path);
        ASSERT_EQ(0, r.status) << f.file << r.err;
        EXPECT_TRUE(want == ReadBytes(dir / "Hero.d2s")) << f.file;
        EXPECT_EQ(verdict, checkVerdict(dir.path, "Hero.d2s")) << f.file;
        const bool closes = f.bit == 35 && in[hell + 2 + f.bit / 8] != want[hell + 2 + f.bit / 8];
        EXPECT_EQ(closes, r.out.find("Anya's portal") != std::string::npos) << f.file;
    }
}

// Each step on the same file, in order: what info then reports as the unspent points and
// life. A reward comes once; clearing takes nothing back.
TEST(Progress, RewardsComeOnceAndStay) {
    const struct {
        std::vector<std::string> args;
        int skillPoints, statPoints, life;
    } steps[] = {
        {{"--quest", "Normal:Den of Evil=done"}, 1, 0, 0},
        {{"--quest", "normal:den of evil=done"}, 0, 0, 0},
        {{"--quest", "Normal:Den of Evil=none"}, 0, 0, 0},
        {{"--quest", "Normal:Den of Evil=waiting"}, 0, 0, 0},
        {{"--quest", "Hell:Radament's Lair=done", "--quest", "Hell:The Fallen Angel=done"},
         3,
         0,
         0},
        {{"--quest", "Nightmare:Lam Esen's Tome=done", "--quest", "Nightmare:The Golden Bird=done"},
         0,
         5,
         20},
        {{"--complete-game"}, 0, 0, 0},
    };
    for (const char* file : {"d2v107.d2s", "d2v109b.d2s", "105_Warlock.d2s"}) {
        TempDir dir;
        WriteBytes(dir / "Hero.d2s", Sample(file));
        std::string info = RunCli({"info", "--json", "Hero.d2s"}, dir.path).out;
        const auto value = [&info](const std::string& name) {
            return std::stoi(info.substr(info.find("\"" + name + "\": ") + name.size() + 4));
        };
        for (const auto& s : steps) {
            const int skill = value("skillPoints"), stat = value("statPoints"),
                      life = value("life");
            std::vector<std::string> args = {"set", "Hero.d2s", "--no-backup"};
            args.insert(args.end(), s.args.begin(), s.args.end());
            ASSERT_EQ(0, RunCli(args, dir.path).status) << file << " " << s.args[1];
            info = RunCli({"info", "--json", "Hero.d2s"}, dir.path).out;
            EXPECT_EQ(skill + s.skillPoints, value("skillPoints")) << file << " " << s.args[1];
            EXPECT_EQ(stat + s.statPoints, value("statPoints")) << file << " " << s.args[1];
            EXPECT_EQ(life + s.life, value("life")) << file << " " << s.args[1];
        }
    }
}

// Any one choice of the record is an edit that a save applies and closing asks about.
TEST(Progress, EachChoiceOfTheRecordIsAnEdit) {
    const std::vector<void (*)(CharEdit&)> choices = {
        [](CharEdit& e) { e.game = GameAction::Restart; },
        [](CharEdit& e) { e.allSkills = SkillsAction::None; },
        [](CharEdit& e) { e.maxGold = true; },
        [](CharEdit& e) { e.skills[29] = 0; },
        [](CharEdit& e) { e.quests[2][47] = QuestState::None; },
        [](CharEdit& e) { e.extras[2][3] = Flag::Off; },
        [](CharEdit& e) { e.waypointsOn[2] = 1; },
        [](CharEdit& e) { e.waypointsOff[2] = std::uint64_t(1) << 38; },
        [](CharEdit& e) { e.progression = 0; }};
    EXPECT_TRUE(CharEdit().empty());
    for (std::size_t i = 0; i < choices.size(); ++i) {
        CharEdit edit;
        choices[i](edit);
        EXPECT_FALSE(edit.empty()) << i;
    }
}
