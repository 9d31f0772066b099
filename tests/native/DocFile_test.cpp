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
    } rows[] = {// clang-format off
                {89, 660, true},     {89, 659, false}, {89, 100000, true},
                {89, 100001, false}, {98, 335, true},  {98, 334, false},
                {92, 335, true},     {71, 659, false}, {89, 3, false},
                {87, 659, false}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(r.loads, Open(Template(r.version, r.size))) << r.version << " " << r.size;
        EXPECT_EQ(r.loads ? Template(r.version, r.size) : Bytes(), DocBytes(ad));
    }
}

TEST_F(DocFile, FilesItCannotWriteAreRefusedUntouched) {
    const std::string versions = "only versions 87, 89, 92, 96, 97, 98 and 99 can be saved";
    const std::string moved = "its sections are not where its version keeps them";
    Bytes gf = Sample("d2v110f.d2s"), unknownId = gf, outOfOrder = gf, cut = Sample("d2v109b.d2s");
    Bytes noIf = gf;
    gf[765] = noIf[803] = 'x';
    unknownId[767] = 16;
    outOfOrder.erase(outOfOrder.begin() + 767, outOfOrder.begin() + 803);
    outOfOrder.insert(outOfOrder.begin() + 767, {0x01, 0x0A, 0x00, 0x50, 0xC0, 0x7F});  // ids 1, 0
    Bytes repeated = outOfOrder;
    repeated[767] = 0;  // ids 0, 0
    cut.resize(800);
    const std::pair<Bytes, std::string> rows[] = {
        {Template(71, 706), versions},
        {Template(105, 706), versions},
        {Template(89 + 256, 706), versions},
        {Sample("98_InitialSave.d2s"),
         "the file ends before its attributes (a character not yet played)"},
        {gf, moved},
        {unknownId, moved},
        {outOfOrder, moved},
        {repeated, moved},
        {noIf, moved},
        {cut, moved}};
    for (const auto& [file, reason] : rows) {
        ConsoleClearMessages();
        ASSERT_TRUE(Open(file));
        EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(file, ReadBytes(dir / "c.d2s"));
        EXPECT_EQ(
            std::vector<std::string>{"format version " + std::to_string(file[4] | file[5] << 8) +
                                     " cannot be saved: " + reason},
            ConsoleMessages());
    }
}

TEST_F(DocFile, AWrongChecksumIsReportedAndASaveRewritesIt) {
    for (const char* file : {"d2v109b.d2s", "d2v110f.d2s"}) {
        Bytes wrong = Sample(file);
        Put32(wrong, 12, 0x12345678);
        Put32(wrong, 8, 1);
        ASSERT_TRUE(Open(wrong));
        EXPECT_NE(std::string::npos, DocVersionText(ad).find("checksum wrong"));
        ASSERT_TRUE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(Sample(file), ReadBytes(dir / "c.d2s"));
    }
}
