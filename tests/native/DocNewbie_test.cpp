// New characters as the game writes them at creation: every class of every game, written
// whole and compared with the format's field table, which the remaster's own file checks.
#include "doc/DocNewbie.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/DocSave.h"

namespace {

SaveResult SaveNewbie(cAppData& ad, const std::string& file) {
    SaveChoices how;
    how.encode = false;
    how.saveAs = true;
    how.newbie = true;
    return DocSave(ad, file, how);
}

}  // namespace

// Each game, edition and class: the classes an edition lacks and the Warlock's edition
// before 105 are refused; the others are written, open read-only and load unchanged.
TEST(Newbie, EveryClassOfEveryGameAsTheGameWritesIt) {
    TempDir dir;
    {
        cAppData ad;  // the remaster's own file is one row
        ASSERT_TRUE(DocOpenNewbie(ad, {98, 4, 2, false, 0x62CAA81D}));
        ASSERT_TRUE(SaveNewbie(ad, dir / "InitialSave.d2s").ok());
        EXPECT_EQ(Sample("98_InitialSave.d2s"), ReadBytes(dir / "InitialSave.d2s"));
    }
    const char* const names[8] = {"Ab",  "Kashya", "Xyzzyplughfooba", "Cain",
                                  "Rog", "Wulf",   "Natalya",         "Zed"};
    for (unsigned version : {96u, 97u, 98u, 99u, 105u}) {
        for (int edition = 1; edition <= 3; ++edition) {
            for (int code = 0; code < 8; ++code) {
                const std::string name = names[code], file = dir / (name + ".d2s");
                const bool hardcore = (code + edition) % 2;
                const unsigned created = 1700000000u + 977u * code + edition;
                SCOPED_TRACE(std::to_string(version) + " " + name + " " + std::to_string(edition));
                const bool exists = edition == 3 ? version == 105 : code < (edition == 1 ? 5 : 7);
                cAppData ad;
                ASSERT_EQ(exists, DocOpenNewbie(ad, {version, code, edition, hardcore, created}));
                if (!exists) continue;
                ASSERT_TRUE(SaveNewbie(ad, file).ok());
                EXPECT_EQ(Newbie(version, code, edition, hardcore, created, name), ReadBytes(file));
                cAppData back;
                ASSERT_TRUE(DocOpenFile(back, file.c_str()));
                DocGetData(back);
                EXPECT_TRUE(DocIsNewbie(back));
                EXPECT_FALSE(DocVersionWritable(back));
                EXPECT_TRUE(DocCheck(back).empty());
                EXPECT_EQ(DocEdition(back), edition);
                std::remove(file.c_str());
            }
        }
    }
    // A header without the newbie bit is a cut file, which no save writes.
    cAppData cut;
    Bytes header = Sample("98_Agelatus.d2s");
    header.resize(335);
    ASSERT_TRUE(LoadDoc(cut, Sealed(header)));
    EXPECT_FALSE(DocIsNewbie(cut));
    EXPECT_EQ(DocError::NotWritable, SaveNewbie(cut, dir / "Cut.d2s").code);
    EXPECT_TRUE(ReadBytes(dir / "Cut.d2s").empty());
}

// velmor-cli new --game: the file of the game chosen, made now; --force keeps the file it
// replaces as the backup.
TEST(Newbie, CliWritesTheFileOfTheGameChosen) {
    TempDir dir;
    WriteBytes(dir / "Zed.d2s", Sample("d2v107.d2s"));
    const struct {
        std::vector<std::string> args;
        unsigned version;
        int code, edition;
        bool hardcore;
        const char* name;
    } rows[] = {
        {{"new", "druid", "Neo.d2s", "--game", "remaster", "--hardcore"}, 105, 5, 2, true, "Neo"},
        {{"new", "4", "--game=2.3", "Ulf.d2s", "--edition", "Classic"}, 97, 4, 1, false, "Ulf"},
        {{"new", "Assassine", "Ivy.d2s", "--game", "1.14d"}, 96, 6, 2, false, "Ivy"},
        {{"new", "warlock", "Zed.d2s", "--game", "remaster", "--edition=warlock", "--force"},
         105,
         7,
         3,
         false,
         "Zed"},
    };
    for (const auto& row : rows) {
        const unsigned before = unsigned(std::time(nullptr));
        const CliResult r = RunCli(row.args, dir.path);
        const unsigned after = unsigned(std::time(nullptr));
        EXPECT_EQ(0, r.status) << r.err;
        EXPECT_NE(std::string::npos, r.out.find("the game builds the character when it first "
                                                "loads it"));
        const Bytes got = ReadBytes(dir / (row.name + std::string(".d2s")));
        ASSERT_GT(got.size(), 60u);
        const unsigned at = row.version == 105 ? 28 : 44;
        const unsigned created = got[at] | got[at + 1] << 8 | got[at + 2] << 16 | got[at + 3] << 24;
        EXPECT_TRUE(created >= before && created <= after) << created;
        EXPECT_EQ(Newbie(row.version, row.code, row.edition, row.hardcore, created, row.name), got);
    }
    EXPECT_EQ(Sample("d2v107.d2s"), ReadBytes(dir / "Zed.bakvelmor"));
}
