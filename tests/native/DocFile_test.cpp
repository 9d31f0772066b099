// Loading with its size and signature limits, the files that are never written, and the
// checksum verified at load and rewritten by a save.
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
                {89, 3, false},  {105, 403, true}, {105, 402, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.loads, Open(Template(r.version, r.size))) << r.version << " " << r.size;
        EXPECT_EQ(r.loads ? Template(r.version, r.size) : Bytes(), DocBytes(ad));
    }
}

TEST_F(DocFile, FilesItCannotWriteAreRefusedUntouched) {
    const std::string versions = "only versions 87, 89, 92, 96, 97, 98, 99 and 105 can be saved";
    const std::string moved = "its sections are not where its version keeps them";
    Bytes gf = Sample("d2v110f.d2s"), unknownId = gf, outOfOrder = gf, cut = Sample("d2v109b.d2s");
    gf[765] = 'x';
    unknownId[767] = 20;
    outOfOrder.erase(outOfOrder.begin() + 767, outOfOrder.begin() + 803);
    outOfOrder.insert(outOfOrder.begin() + 767, {0x01, 0x0A, 0x00, 0x50, 0xC0, 0x7F});  // ids 1, 0
    cut.resize(800);
    Bytes firstSave = With16(Sample("105_barbrotw.d2s"), 20, 0x01);  // status bit 0x01: a first
    firstSave.resize(403);                                           // save, its header only
    const std::pair<Bytes, std::string> rows[] = {
        {Template(71, 706), versions},
        {Template(89 + 256, 706), versions},
        {Sample("98_InitialSave.d2s"),
         "the file ends before its attributes (a character not yet played)"},
        {firstSave, "the file ends before its attributes (a character not yet played)"},
        {gf, moved},
        {unknownId, moved},
        {outOfOrder, moved},
        {cut, moved}};
    for (const auto& [file, reason] : rows) {
        ConsoleClearMessages();
        ASSERT_TRUE(Open(file));
        ad.player.strength = 99;
        DocSetData(ad);
        EXPECT_EQ(file, DocBytes(ad)) << reason;
        EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(file, ReadBytes(dir / "c.d2s"));
        EXPECT_EQ(
            std::vector<std::string>{"format version " + std::to_string(file[4] | file[5] << 8) +
                                     " cannot be saved: " + reason},
            ConsoleMessages());
    }
}
