// The save path on a real file system, through velmor-cli: each row prepares a folder
// holding hero.d2s, runs one command and compares the whole folder afterwards (every
// file's bytes, links and folders) with expectations edited here from the sample.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TestUtil.h"

namespace {

using Folder = std::map<std::string, Bytes>;

const Bytes kHero = Sample("d2v107.d2s");

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

const Bytes kEdited = With16(kHero, 565, 40);  // strength=40
Bytes Resized(Bytes b, std::size_t size) {
    b.resize(size, 0);
    return b;
}
const Bytes kLongest = Resized(kHero, 100000);  // the most a save may hold
const Bytes kPadded = Resized(kHero, 1020);     // fits under 1024 bytes until an edit adds 12

// A level-1 Barbarian after the edits of the row "every field, the class and the marks".
const Bytes kBarbarian = Sample("d2v108.d2s");
Bytes Edited(Bytes b) {
    b[34] = 3;
    b[36] = b[605] = 31;
    b[563] |= 0xE0;  // experience, gold and stash gold present
    Put16(b, 565, 1);
    for (unsigned o : {590u, 594u}) Put16(b, o, 7);     // mana, current and maximum
    for (unsigned o : {598u, 602u}) Put16(b, o, 9000);  // a Paladin's stamina, not a Barbarian's
    std::fill(b.begin() + 611, b.begin() + 641, 20);
    b.insert(b.begin() + 609, 12, 0);
    Put32(b, 609, 5493364);
    Put32(b, 613, 310000);
    Put32(b, 617, 800000);
    return b;
}

// A level-94 version-96 Sorceress with 2,500,000 in the stash (25 bits from bit 6528; the
// cap of 1.10-1.12 is 2,400,000 at her level), gold 458536 (bits 6494) and explicit zero
// stat points (10 bits from 6221).
const Bytes kRich = Sealed(WithBits(Sample("96_NokkaSorc.d2s"), 6528, 25, 2500000));

// A version-105 Barbarian of the Warlock edition: class at 24 (beside the attribute count
// 0x10), name at 299; as input with a wrong checksum, which a save rewrites.
const Bytes kRotw = Sample("105_barbrotw.d2s"), kRotwIn = With16(kRotw, 12, 7);

struct Row {
    const char* what;
    Folder before;        // files besides hero.d2s, or in its place
    std::string shell;    // run in the folder first: links, permissions, limits
    std::string command;  // velmor-cli's words, split at blanks
    int status;
    const char* says;   // part of what the run prints
    Folder after;       // besides an unchanged hero.d2s
    unsigned mode = 0;  // of modeOf afterwards, when not 0
    std::string modeOf = "hero.d2s";
};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

const std::string kSet = "set hero.d2s strength=40 ";
const std::string kLong = std::string(251, 'x') + ".d2s";
const std::string kFull = "trap '' XFSZ; ulimit -f ";  // + blocks of 512 bytes
// Numbers spelled differently from what they hold are not reported as changed.
const std::string kEveryField =
    "set hero.d2s --no-backup --class paladin stamina=9000 strength=0 "
    "level=31 gold=5 --max-gold --skills-full mana=" +
    std::string(49, '0') + "7";

}  // namespace

TEST(Save, FileSystemCases) {
    const Bytes old = Text("old");
    // clang-format off
    const Row rows[] = {
        {"every field, the class and the marks", {{"hero.d2s", kBarbarian}}, "", kEveryField, 0,
         "strength: '0' read as 1\ngold: '5' read as 310000\nsaved hero.d2s (849 bytes)\n",
         {{"hero.d2s", Edited(kBarbarian)}}},
        {"105 Warlock saved as Zed", {{"hero.d2s", kRotwIn}, {"hero.key", old}}, "",
         "set hero.d2s --class 7 --output Zed.d2s", 0, "", {{"hero.d2s", kRotwIn}, {"hero.key", old},
         {"Zed.d2s", Sealed(Named(With16(kRotw, 24, 0x1007), "Zed", 299))}, {"Zed.key", old}}},
        {"backup kept", {{"hero.bakvelmor", old}}, "", kSet, 0, "kept",
         {{"hero.d2s", kEdited}, {"hero.bakvelmor", old}}},
        {"backup overwritten", {{"hero.bakvelmor", old}}, "", kSet + "--overwrite-backup", 0, "",
         {{"hero.d2s", kEdited}, {"hero.bakvelmor", kHero}}},
        {"mode kept", {}, "chmod 604 hero.d2s;", kSet + "--no-backup", 0, "",
         {{"hero.d2s", kEdited}}, 0604},
        {"a new file's mode from the umask", {}, "umask 027;", kSet + "--output Other.d2s", 0, "",
         {{"Other.d2s", Named(kEdited, "Other")}}, 0640, "Other.d2s"},
        {"100000 bytes saved and backed up", {{"hero.d2s", kLongest}}, "", "set hero.d2s vitality=26",
         0, "", {{"hero.d2s", With16(kLongest, 577, 26)}, {"hero.bakvelmor", kLongest}}},
        {"too long to save", {{"hero.d2s", kLongest}}, "", "set hero.d2s statPoints=1", 1,
         "longer than 100000", {{"hero.d2s", kLongest}}},
        // Stored values that a game of the version keeps stay unless typed: the game keeps
        // any attribute, 1.13 and later a version-96 stash of 2,500,000 at any level.
        {"stored strength kept", {{"hero.d2s", With16(kHero, 565, 40000)}}, "",
         "set hero.d2s energy=30 --no-backup", 0, "", {{"hero.d2s", With16(With16(kHero, 565, 40000), 569, 30)}}},
        {"classic wounded life kept", {{"hero.d2s", With16(kHero, 581, 20 << 8)}}, "",  // 20 of 55
         "set hero.d2s energy=30 --no-backup", 0, "", {{"hero.d2s", With16(With16(kHero, 581, 20 << 8), 569, 30)}}},
        {"v96 stash above the level's cap kept", {{"hero.d2s", kRich}}, "", "set hero.d2s --no-backup",
         0, "saved hero.d2s (2663 bytes)\n", {{"hero.d2s", kRich}}},
        {"v96 stash typed past the stored one", {{"hero.d2s", kRich}}, "",
         "set hero.d2s goldStash=2600000 --no-backup", 0, "goldStash: '2600000' read as 2500000",
         {{"hero.d2s", kRich}}},
        {"v96 maximum gold keeps the stash", {{"hero.d2s", kRich}}, "", "set hero.d2s --max-gold "
         "--no-backup", 0, "", {{"hero.d2s", Sealed(WithBits(kRich, 6494, 25, 940000))}}},
        {"v96 stat points above 600 kept", {{"hero.d2s", WithBits(kRich, 6221, 10, 800)}}, "",
         "set hero.d2s strength=123 --no-backup", 0, "",
         {{"hero.d2s", Sealed(WithBits(WithBits(kRich, 6221, 10, 800), 6145, 10, 123))}}},
        {"living hardcore kept", {{"hero.d2s", WithBits(kHero, 24 * 8 + 2, 1, 1)}}, "",  // 0x04
         kSet + "--no-backup", 0, "", {{"hero.d2s", WithBits(kEdited, 24 * 8 + 2, 1, 1)}}},
        {"folder in the backup's place", {}, "mkdir hero.bakvelmor;", kSet, 1, "a folder",
         {{"hero.bakvelmor", Text("/")}}},
        {"symlink stays a link", {}, "ln -s hero.d2s alias.d2s;", "set alias.d2s strength=40", 0, "",
         {{"hero.d2s", kEdited}, {"alias.d2s", Text("->hero.d2s")}, {"alias.bakvelmor", kHero}}},
        {"link to a backup refused", {{"b.bakvelmor", kHero}}, "ln -s b.bakvelmor a.d2s;",
         "set a.d2s strength=40", 1, "backup file",
         {{"b.bakvelmor", kHero}, {"a.d2s", Text("->b.bakvelmor")}}},
        {"read-only file", {}, "chmod 444 hero.d2s;", kSet, 1, "read-only", {}},
        {"hard link", {}, "ln hero.d2s twin.d2s;", kSet, 1, "hard links", {{"twin.d2s", kHero}}},
        {"existing output", {{"Other.d2s", old}}, "", kSet + "--output Other.d2s", 1,
         "Other.d2s exists; use --force to replace it\n", {{"Other.d2s", old}}},
        {"existing output forced without backup", {{"Other.d2s", old}}, "", kSet + "--output Other.d2s "
         "--force --no-backup", 0, "", {{"Other.d2s", Named(kEdited, "Other")}}},
        {"a backup never replaced", {{"hero.bakvelmor", old}}, "", kSet + "--output hero.bakvelmor "
         "--force", 1, "backup file", {{"hero.bakvelmor", old}}},
        {"output is the file by another spelling", {}, "", kSet + "--output ./hero.d2s", 0, "",
         {{"hero.d2s", kEdited}, {"hero.bakvelmor", kHero}}},
        {"backup file refused in place", {{"Hero.bakvelmor", kHero}}, "",
         "set Hero.bakvelmor strength=5", 1, "use --output", {{"Hero.bakvelmor", kHero}}},
        {"backup file saved as a copy", {{"Hero.bakvelmor", kHero}}, "",
         "set Hero.bakvelmor strength=40 --output Fixed.d2s", 0, "",
         {{"Hero.bakvelmor", kHero}, {"Fixed.d2s", Named(kEdited, "Fixed")}}},
        {"backup beside, after the last dot", {}, "mkdir v1.0; cp hero.d2s v1.0/my.hero.d2s;",
         "set v1.0/my.hero.d2s strength=40", 0, "",
         {{"v1.0", Text("/")}, {"v1.0/my.hero.d2s", kEdited}, {"v1.0/my.hero.bakvelmor", kHero}}},
        {"backup of a file without extension", {}, "mkdir v1.0; cp hero.d2s v1.0/solo;",
         "set v1.0/solo strength=40", 0, "",
         {{"v1.0", Text("/")}, {"v1.0/solo", kEdited}, {"v1.0/solo.bakvelmor", kHero}}},
        {"longest name", {{kLong, kHero}}, "", "set " + kLong + " strength=40 --no-backup", 0, "",
         {{kLong, kEdited}}},
        // 1020 bytes fit under the limit of 1024, so the backup is made; the edit adds 12.
        {"backup overwritten in a failed run kept", {{"hero.d2s", kPadded}, {"hero.bakvelmor", old}},
         kFull + "2;", "set hero.d2s level=31 --max-gold --overwrite-backup", 1, "could not be written",
         {{"hero.d2s", kPadded}, {"hero.bakvelmor", kPadded}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        WriteBytes(dir / "hero.d2s", kHero);
        for (const auto& file : row.before) WriteBytes(dir / file.first, file.second);
        Folder want = row.after;
        want.emplace("hero.d2s", kHero);
        const CliResult r = RunCli(Words(row.command), dir.path, row.shell);
        EXPECT_EQ(row.status, r.status) << r.err;
        EXPECT_NE(std::string::npos, (r.out + r.err).find(row.says)) << r.out << r.err;
        EXPECT_EQ(want, Snapshot(dir.path));
        struct stat st;
        EXPECT_TRUE(!row.mode || (stat((dir / row.modeOf).c_str(), &st) == 0 &&
                                  (st.st_mode & 07777) == row.mode));
    }
}
