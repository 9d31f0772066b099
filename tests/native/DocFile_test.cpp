// Loading with its size and signature limits, and the files that are never written.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"

namespace {

Bytes Template(unsigned version, std::size_t size) {
    Bytes b = ExpectedTemplate();
    Put16(b, 4, version);
    b.resize(size, 0x5A);
    return b;
}

struct DocFile : ::testing::Test {
    void SetUp() override { ConsoleEchoMessages(false), ConsoleClearMessages(); }
    bool Open(const Bytes& b) {
        WriteBytes(dir / "c.d2s", b);
        return DocOpenFile(ad, (dir / "c.d2s").c_str());
    }
    TempDir dir;
    cAppData ad;
};

}  // namespace

TEST_F(DocFile, SizeLimitsFollowTheVersion) {
    const struct {
        unsigned version, size;
        bool loads;
    } rows[] = {{89, 660, true}, {89, 659, false}, {89, 100000, true}, {89, 100001, false},
                {98, 335, true}, {98, 334, false}, {92, 335, true},    {71, 659, false},
                {89, 3, false},  {87, 659, false}, {105, 403, true},   {105, 402, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.loads, Open(Template(r.version, r.size))) << r.version << " " << r.size;
        EXPECT_EQ(r.loads ? Template(r.version, r.size) : Bytes(), DocBytes(ad));
    }
}

// The sample with 'erase' bytes from 'at' replaced by 'insert' (all bytes from 'at' on when
// erase is 0 and nothing is inserted) and, in sized layouts, the size field following unless
// told otherwise.
Bytes Spliced(const char* file, unsigned at, unsigned erase, const Bytes& insert = {},
              bool sized = true) {
    Bytes b = Sample(file);
    b.erase(b.begin() + at, erase || !insert.empty() ? b.begin() + at + erase : b.end());
    b.insert(b.begin() + at, insert.begin(), insert.end());
    if (b[4] >= 92 && sized) Put32(b, 8, b.size());
    return b;
}

// Each row one fault, refused with a reason naming what was found and where.
TEST_F(DocFile, FilesItCannotWriteAreRefusedUntouched) {
    const char* v96 = "d2v110f.d2s";
    const std::string version = "only versions 87, 89, 92, 96, 97, 98, 99 and 105 can be saved";
    Bytes firstSave = With16(Sample("105_barbrotw.d2s"), 20, 0x01);  // status bit 0x01: a first
    firstSave.resize(403);                                           // save, its header only
    firstSave = Sealed(firstSave);
    const std::string newbie = "is a new character's file as the game writes it at creation: "
                               "the game builds the character when it first loads it";
    const std::pair<Bytes, std::string> rows[] = {
        // clang-format off
        {Template(71, 706), version},
        {Template(89 + 256, 706), version},
        {Sample("98_InitialSave.d2s"), newbie},
        {firstSave, newbie},
        {Spliced("98_Agelatus.d2s", 335, 0), "ends behind its header, though its character has "
         "played (it ends at byte 335 and its status byte 36 holds 0x28, without the first-save "
         "bit 0x01)"},
        {Spliced("98_Agelatus.d2s", 848, 0, {}, false), "is not as long as its size field says (it ends at byte 848, its size field "
         "says 2684)"},
        {Spliced(v96, 765, 1, {'x'}), "lacks a section marker (\"gf\" belongs at byte 765, which "
         "holds 78 66)"},
        {Spliced(v96, 767, 1, {16}), "has an attribute id that no attribute has (id 16 at byte "
         "767, bit 0)"},
        {Spliced(v96, 767, 36, {0x00, 0x14, 0x00}), "has an attribute list without its end (id "
         "0x1FF) (\"if\" follows its last attribute at byte 770)"},  // id 0 = 10, then "if"
        {Spliced(v96, 767, 36, {0x01, 0x0A, 0x00, 0x50, 0xC0, 0x7F}), "has attribute ids out of "
         "ascending order (id 0 follows id 1 at byte 769, bit 3)"},
        {Spliced(v96, 767, 36, {0x01, 0x0A, 0x08, 0x50, 0xC0, 0x7F}), "has an attribute id twice "
         "(id 1 again at byte 769, bit 3)"},
        {Spliced(v96, 767, 36, {0x00, 0x0A, 0x00, 0x50, 0xC0, 0x7F}), "has an attribute id twice "
         "(id 0 again at byte 769, bit 3)"},
        {Spliced(v96, 803, 1, {'x'}), "has no \"if\" where its attributes end (its attribute list "
         "ends at byte 803, which holds 78 66)"},
        {Spliced("d2v109b.d2s", 800, 0), "ends inside its attributes (the slot of attribute 9 at "
         "byte 797 passes the file's end at byte 800)"},
        {Spliced("d2v107.d2s", 563, 1, {0x5F}), "has no \"if\" where its attributes end (its "
         "presence bits 0xCF 0x5F put it at byte 613, which holds 00 00)"},  // gold, no slot
        {Spliced(v96, 820, 0), "ends inside its 30 skill bytes (it ends at byte 820, its skills "
         "run from byte 805 to 834)"},
        {Spliced(v96, 835, 2, {'X', 'X'}), "has no item list (\"JM\") behind its skills (\"JM\" "
         "belongs at byte 835, which holds 58 58)"},
    };  // clang-format on
    for (const auto& [file, reason] : rows) {
        ConsoleClearMessages();
        ASSERT_TRUE(Open(file));
        EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(file, ReadBytes(dir / "c.d2s"));
        EXPECT_EQ(
            std::vector<std::string>{"format version " + std::to_string(file[4] | file[5] << 8) +
                                     " cannot be saved: " + (reason == version ? "" : "the file ") +
                                     reason},
            ConsoleMessages());
    }
}
