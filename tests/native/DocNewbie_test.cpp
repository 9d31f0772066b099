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
    how.encode = false, how.saveAs = how.newbie = true;
    return DocSave(ad, file, how);
}

}  // namespace

// Each game, edition and class: the classes an edition lacks and the Warlock's edition
// before 105 are refused; the others are written, open read-only and load unchanged. A
// header without the newbie bit is a cut file, which no save writes.
TEST(Newbie, EveryClassOfEveryGameAsTheGameWritesIt) {
    TempDir dir;
    cAppData ad;
    ASSERT_TRUE(DocOpenNewbie(ad, {98, 4, 2, false, 0x62CAA81D}));  // the remaster's own file
    ASSERT_TRUE(SaveNewbie(ad, dir / "InitialSave.d2s").ok());
    EXPECT_EQ(Sample("98_InitialSave.d2s"), ReadBytes(dir / "InitialSave.d2s"));
    for (unsigned version : {96u, 97u, 98u, 99u, 105u}) {
        for (int edition = 1; edition <= 3; ++edition) {
            for (int code = 0; code < 8; ++code) {
                const std::string name(2 + code * 13 / 7, char('a' + code)),
                    file = dir / (name + ".d2s");
                const bool hardcore = (code + edition) % 2,
                           exists = edition == 3 ? version == 105 : code < (edition == 1 ? 5 : 7);
                const unsigned created = 1700000000u + 977u * code + edition;
                SCOPED_TRACE(std::to_string(version) + " " + name + " " + std::to_string(edition));
                ASSERT_EQ(exists, DocOpenNewbie(ad, {version, code, edition, hardcore, created}));
                if (!exists) continue;
                ASSERT_TRUE(SaveNewbie(ad, file).ok());
                EXPECT_EQ(Newbie(version, code, edition, hardcore, created, name), ReadBytes(file));
                ASSERT_TRUE(DocOpenFile(ad, file.c_str()));
                DocGetData(ad);
                EXPECT_TRUE(!DocVersionWritable(ad) && DocCheck(ad).empty());
                std::remove(file.c_str());
            }
        }
    }
    Bytes header = Sample("98_Agelatus.d2s");
    header.resize(335);
    ASSERT_TRUE(LoadDoc(ad, Sealed(header)));
    EXPECT_EQ(DocError::NotWritable, SaveNewbie(ad, dir / "Cut.d2s").code);
}

// velmor-cli new --game: the file of the game chosen, made now; --force keeps the file it
// replaces as the backup.
TEST(Newbie, CliWritesTheFileOfTheGameChosen) {
    TempDir dir;
    WriteBytes(dir / "Zed.d2s", Sample("d2v107.d2s"));
    // The words, then the version, class, edition and hardcore flag written.
    const std::pair<std::vector<std::string>, std::vector<int>> rows[] = {
        // clang-format off
        {{"new", "druid", "Zed.d2s", "--game", "remaster", "--hardcore", "--force"}, {105, 5, 2, 1}},
        {{"new", "4", "Zed.d2s", "--game=2.3", "--edition", "Classic", "--force"}, {97, 4, 1, 0}},
        {{"new", "Assassine", "Ivy.d2s", "--game", "1.14d"}, {96, 6, 2, 0}},
        {{"new", "7", "Ivy.d2s", "--game", "remaster", "--edition=warlock", "--force"}, {105, 7, 3, 0}},
    };  // clang-format on
    for (const auto& [args, v] : rows) {
        const unsigned before = unsigned(std::time(nullptr));
        EXPECT_EQ(0, RunCli(args, dir.path).status);
        const Bytes got = ReadBytes(dir / args[2]);
        EXPECT_TRUE(Created(got) >= before && Created(got) <= unsigned(std::time(nullptr)));
        EXPECT_EQ(Newbie(v[0], v[1], v[2], v[3], Created(got), args[2].substr(0, 3)), got);
    }
    EXPECT_EQ(Sample("d2v107.d2s"), ReadBytes(dir / "Zed.bakvelmor"));
}
