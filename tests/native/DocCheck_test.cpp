// The game's verdict (DocCheck): each row of the first table breaks one load rule of the
// game in a sample; the second table runs every operation of the editor on every sample and
// requires that the file written has no problem the sample did not have.
#include "doc/DocCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/DocSave.h"
#include "res/resource.h"
#include "view/Fields.h"
#include "view/Ui.h"
#include "view/UiConsole.h"

namespace {

// The verdict of the bytes saved as NAME.d2s, problems joined as velmor-cli joins them.
std::string Verdict(const Bytes& b, const std::string& name, std::set<std::string>* rules = {}) {
    TempDir dir;
    WriteBytes(dir / (name + ".d2s"), b);
    cAppData ad;
    if (!DocOpenFile(ad, (dir / (name + ".d2s")).c_str())) return "not opened";
    DocGetData(ad);
    std::string text;
    for (const GameProblem& p : DocCheck(ad)) {
        text += (text.empty() ? "" : "; ") + GameProblemText(p);
        if (rules) rules->insert(p.rule);
    }
    return text;
}

Bytes Set(Bytes b, std::initializer_list<std::pair<unsigned, unsigned char>> bytes) {
    for (const auto& [at, value] : bytes) b[at] = value;
    return b[4] >= 92 ? Sealed(b) : b;
}

// The version-92 sample at a level, with gold and stash slots behind the level's.
Bytes Gold(unsigned level, unsigned gold, unsigned stash) {
    Bytes b = Set(Sample("d2v109b.d2s"), {{43, level}, {809, level}, {768, 0xDF}}), slots(8);
    Put32(slots, 0, gold), Put32(slots, 4, stash);
    b.insert(b.begin() + 813, slots.begin(), slots.end());
    return Sealed(b);
}

const std::string kChanged = "changed: ", kRefused = "refused: ";

}  // namespace

TEST(Check, EachLoadRuleOfTheGame) {
    const Bytes v96 = Sample("d2v110f.d2s");
    const std::string hell = "Hell was played last (byte 170 is 0x80)";
    const struct {
        Bytes file;
        std::string name, verdict;
    } rows[] = {
        {v96, "DFGDF", ""},
        {Sample("d2v107.d2s"), "testtt", ""},
        {Sample("98_InitialSave.d2s"), "InitialSave", ""},
        {v96, "Other", kRefused + "the name in the file is \"dfgdf\", its file's name \"Other\""},
        {With16(v96, 12, 0x1234), "dfgdf",
         kRefused + "its checksum is 0x37101234, its bytes give 0x3710CAE0"},
        {Set(v96, {{36, 0x2C}}), "dfgdf",
         kRefused + "a hardcore character that has died (status 0x2C at byte 36)"},
        {Set(v96, {{168, 0}, {170, 0x80}, {37, 9}}), "dfgdf",
         kRefused + hell + ", but the progression (byte 37) is 9, below 10"},
        {Set(v96, {{168, 0}, {170, 0x80}, {37, 10}}), "dfgdf", ""},
        {Set(v96, {{36, 0}, {168, 0}, {170, 0x80}, {37, 8}}), "dfgdf", ""},  // classic: 8
        {Set(v96, {{36, 0}, {168, 0}, {169, 0x80}, {37, 3}}), "dfgdf",
         kRefused + "Nightmare was played last (byte 169 is 0x80), but the progression (byte 37) "
                    "is 3, below 4"},
        {Set(v96, {{168, 0x85}}), "dfgdf",
         kChanged + "Normal was played last (byte 168 is 0x85): there is no act 6: the game "
                    "starts the character in Act I of that difficulty"},
        {Set(v96, {{339, 7}}), "dfgdf",
         kRefused + "the quest section's header (byte 339) holds 7 and 298, not 6 and 298"},
        {Set(v96, {{641, 1}}), "dfgdf",
         kChanged + "the Normal waypoint block's head (byte 641) is 0x0101, not 0x0102: the game "
                    "clears the block, keeping only the first waypoint"},
        {Set(v96, {{665, 0x34}, {666, 0x12}}), "dfgdf",
         kRefused + "the Nightmare waypoint block's head (byte 665) is 0x1234, which no block has"},
        {Set(v96, {{713, 0}}), "dfgdf",
         kRefused +
             "the file lacks a section marker (01 77 belongs at byte 713, which holds 00 77)"},
        {Set(v96, {{767, 20}}), "dfgdf",
         kRefused +
             "the file has an attribute id that no attribute has (id 20 at byte 767, bit 0)"},
        {Gold(1, 10000, 50000), "sdfsf", ""},
        {Gold(1, 10001, 0), "sdfsf",
         kChanged + "gold 10001 is above 10000 at level 1: the game sets it to 0"},
        {Gold(30, 0, 200001), "sdfsf",
         kChanged + "stash gold 200001 is above 200000 at level 30, the most this version's game "
                    "keeps: the game sets it to 0"},
        {Gold(31, 310000, 800000), "sdfsf", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(row.verdict, Verdict(row.file, row.name)) << row.name;
}

TEST(Check, EveryOperationOnEverySampleWritesNoNewProblem) {
    const std::pair<const char*, const char*> samples[] = {
        {"d2v107.d2s", "testtt"},        {"d2v108.d2s", "fddfss"},
        {"d2v109b.d2s", "sdfsf"},        {"d2v110f.d2s", "dfgdf"},
        {"96_simple.d2s", "Simple"},     {"96_classic.d2s", "classic"},
        {"97_Barb_hp3.d2s", "Barb"},     {"96_NokkaSorc.d2s", "NokkaSorc"},
        {"98_Agelatus.d2s", "Agelatus"}, {"99_Wilhelm.d2s", "Wilhelm"}};
    // A difficulty of 0-2 is made the one last played first, with the progression it needs;
    // a level is typed with maximum gold marked; class 9 is a dead hardcore character.
    const struct {
        int mark, difficulty, level, charClass;
    } ops[] = {{0, -1, 0, -1},
               {0, -1, 0, 2},
               {0, -1, 0, 9},
               {IDM_SKILLS_FULL, -1, 0, -1},
               {IDM_SKILLS_NONE, -1, 0, -1},
               {IDM_COMPLETE, 0, 0, -1},
               {IDM_COMPLETE, 1, 0, -1},
               {IDM_COMPLETE, 2, 0, -1},
               {IDM_RESTART, 0, 0, -1},
               {IDM_RESTART, 1, 0, -1},
               {IDM_RESTART, 2, 0, -1},
               {IDM_MAXGOLD, -1, 1, -1},
               {IDM_MAXGOLD, -1, 30, -1},
               {IDM_MAXGOLD, -1, 31, -1},
               {IDM_MAXGOLD, -1, 50, -1},
               {IDM_MAXGOLD, -1, 99, -1}};
    for (const auto& [file, name] : samples) {
        std::set<std::string> had;
        const Bytes sample = Sample(file);
        const bool classic = sample[4] < 92;
        const unsigned prog = classic ? 25 : 37;
        const std::string verdict = Verdict(sample, name, &had);  // game-written: none
        EXPECT_EQ(name == std::string("Simple"), had == std::set<std::string>{"waypoints"});
        EXPECT_EQ(name == std::string("Simple"), !had.empty()) << verdict;
        for (const auto& op : ops) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(&op - ops));
            Bytes in = sample;
            if (op.charClass == 9) in[classic ? 24 : 36] |= 0x0C;
            if (op.difficulty >= 0 && !classic) {
                std::fill(&in[168], &in[171], 0), in[168 + op.difficulty] = 0x80;
                in[prog] = std::max<int>(in[prog], 5 * op.difficulty);
            }
            if (!classic) in = Sealed(in);
            TempDir dir;
            const std::string path = dir / (std::string(name) + ".d2s");
            WriteBytes(path, in);
            cAppData ad;
            ConsoleResetWindow();
            ASSERT_TRUE(DocOpenFile(ad, path.c_str()));
            DocGetData(ad);
            ViewInitCombo(ad);
            ViewSetData(ad);
            if (op.charClass >= 0 && op.charClass < 9) UiComboSelect(ad, op.charClass);
            if (op.level) UiSetText(ad, IDC_LEVEL, std::to_string(op.level).c_str());
            if (op.mark) UiMenuCheck(ad, op.mark, true);
            ViewGetData(ad);
            SaveChoices how;
            how.backup = Backup::Skip;
            ASSERT_TRUE(DocSave(ad, path, how).ok());
            std::set<std::string> has;
            const std::string verdict = Verdict(ReadBytes(path), name, &has);
            EXPECT_TRUE(std::includes(had.begin(), had.end(), has.begin(), has.end())) << verdict;
            const int progression = op.mark == IDM_COMPLETE ? std::max<int>(in[prog], 13) : -1;
            EXPECT_TRUE(progression < 0 || progression == ReadBytes(path)[prog]);
        }
    }
}
