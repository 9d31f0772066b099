// The game's verdict (DocCheck): each row of the first table breaks one load rule of the
// game in a sample; the second table runs every operation of the editor on every sample and
// requires that the file written has no problem the sample did not have.
#include "doc/DocCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Fields.h"
#include "view/Marks.h"

namespace {

using Rules = std::set<std::string>;

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

Bytes Longer(Bytes b) { return b.push_back(0), b; }  // one byte more, nothing else changed

// The version-92 sample at a level, with gold and stash slots behind the level's.
Bytes Gold(unsigned level, unsigned gold, unsigned stash) {
    Bytes b = Set(Sample("d2v109b.d2s"), {{43, level}, {809, level}, {768, 0xDF}});
    b.insert(b.begin() + 813, 8, 0);
    Put32(b, 813, gold), Put32(b, 817, stash);
    return Sealed(b);
}

}  // namespace

TEST(Check, EachLoadRuleOfTheGame) {
    const Bytes v96 = Sample("d2v110f.d2s");
    const std::string r = "refused: ", c = "changed: ";
    const struct {
        Bytes file;
        std::string verdict, name = "dfgdf";
    } rows[] = {
        // clang-format off
        {v96, "", "DFGDF"}, {Sample("98_InitialSave.d2s"), "", "InitialSave"},
        {v96, r + "the name in the file is \"dfgdf\", its file's name \"Other\"", "Other"},
        {Longer(v96), r + "its checksum is 0x3710CAE0, its bytes give 0x6E2195C0; " + r + "the "
         "file is not as long as its size field says (it ends at byte 981, its size field says 980)"},
        {Set(v96, {{36, 0x2C}}), r + "a hardcore character that has died (status 0x2C at byte 36)"},
        {Set(v96, {{168, 0}, {170, 0x80}, {37, 9}}), r + "Hell was played last (byte 170 is "
         "0x80), but the progression (byte 37) is 9, below 10"},
        {Set(v96, {{36, 0}, {168, 0}, {170, 0x80}, {37, 8}}), ""},  // a classic character
        {Set(v96, {{168, 0x85}}), c + "Normal was played last (byte 168 is 0x85): there is no "
         "act 6: the game starts the character in Act I of that difficulty"},
        {Set(v96, {{339, 7}}), r + "the quest section's header (byte 339) holds 7 and 298, not 6 "
         "and 298"},
        {Set(v96, {{689, 1}}), c + "the Hell waypoint block's head (byte 689) is 0x0101, not "
         "0x0102: the game clears the block, keeping only the first waypoint"},
        {Set(v96, {{665, 0x34}, {666, 0x12}}), r + "the Nightmare waypoint block's head (byte "
         "665) is 0x1234, which no block has"},
        {Set(v96, {{713, 0}}), r + "the file lacks a section marker (01 77 belongs at byte 713, "
         "which holds 00 77)"},
        {Set(v96, {{767, 20}}), r + "the file has an attribute id that no attribute has (id 20 "
         "at byte 767, bit 0)"},
        {Gold(1, 10001, 0), c + "gold 10001 is above 10000 at level 1: the game sets it to 0",
         "sdfsf"},
        {Gold(30, 0, 200001), c + "stash gold 200001 is above 200000 at level 30, the most this "
         "version's game keeps: the game sets it to 0", "sdfsf"},
        {Sealed(WithBits(Sample("96_NokkaSorc.d2s"), 6528, 25, 2500000)), "depends: stash gold "
         "2500000 is above 2400000 at level 94, the most 1.10-1.12 keep: 1.10-1.12 set it to 0, "
         "1.13 and later keep it", "NokkaSorc"},  // level 94, the stash in bits 6528-6552
    };  // clang-format on
    for (const auto& row : rows) EXPECT_EQ(row.verdict, Verdict(row.file, row.name)) << row.name;
}

// Each operation: a menu mark, the difficulty made the one last played first (with the
// progression it needs), a level typed, a class chosen (9: a dead hardcore character).
TEST(Check, EveryOperationOnEverySampleWritesNoNewProblem) {
    std::vector<std::array<int, 4>> ops = {// clang-format off
        {0, -1, 0, -1}, {0, -1, 0, 2}, {0, -1, 0, 9}, {IDM_SKILLS_FULL, -1, 0, -1},
        {IDM_SKILLS_NONE, -1, 0, -1}};  // clang-format on
    for (int d : {0, 1, 2})
        ops.push_back({IDM_COMPLETE, d, 0, -1}), ops.push_back({IDM_RESTART, d, 0, -1});
    for (int level : {1, 30, 31, 50, 99}) ops.push_back({IDM_MAXGOLD, -1, level, -1});
    for (const char* file :
         {"d2v107.d2s", "d2v108.d2s", "d2v109b.d2s", "d2v110f.d2s", "96_simple.d2s",
          "96_classic.d2s", "97_Barb_hp3.d2s", "96_NokkaSorc.d2s", "98_Agelatus.d2s",
          "99_Wilhelm.d2s", "105_Warlock.d2s", "105_barbclassic.d2s"}) {
        const Bytes sample = Sample(file);
        const bool classic = sample[4] < 92, v105 = sample[4] == 105;
        // Status, progression, difficulty and name of each layout.
        const unsigned status = classic ? 24 : v105 ? 20 : 36, prog = status + 1;
        const unsigned diff = v105 ? 152 : 168;
        const unsigned nameAt = classic ? 8 : v105 ? 299 : sample[4] < 98 ? 20 : 267;
        const std::string name(reinterpret_cast<const char*>(&sample[nameAt]));
        std::set<std::string> had;
        const std::string verdict = Verdict(sample, name, &had);  // game-written: nothing
        EXPECT_EQ(name == "Simple" ? Rules{"waypoints"} : Rules{}, had) << verdict;
        for (const auto& op : ops) {
            const auto [mark, difficulty, level, charClass] = op;
            SCOPED_TRACE(name + " " + ::testing::PrintToString(op));
            Bytes in = sample;
            if (charClass == 9) in[status] |= 0x0C;
            if (difficulty >= 0 && !classic) {
                std::fill(&in[diff], &in[diff + 3], 0), in[diff + difficulty] = 0x80;
                in[prog] = std::max<int>(in[prog], 5 * difficulty);
            }
            cAppData ad;
            ASSERT_TRUE(LoadDoc(ad, classic ? in : Sealed(in)));
            FieldTexts texts = FieldsShown(ad.player);
            if (level) texts[FieldIndex(IDC_LEVEL)] = std::to_string(level);
            if (mark) EditSwitchMark(ad.edit, mark);
            FieldsRead(ad, charClass, texts), DocSetData(ad);
            ASSERT_TRUE(DocSaveFile(ad, ad.filename.cstr()));  // over the file LoadDoc opened
            const Bytes saved = ReadBytes(ad.filename.cstr());
            std::set<std::string> has;
            const std::string out = Verdict(saved, name, &has);
            EXPECT_TRUE(std::includes(had.begin(), had.end(), has.begin(), has.end())) << out;
            EXPECT_TRUE(mark != IDM_COMPLETE || std::max<int>(in[prog], 13) == saved[prog]);
        }
    }
}
