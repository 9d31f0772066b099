// End-to-end tests of velmor-cli: every case runs the built tool on files in a fresh folder
// and compares whole files with expectations edited here byte by byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "TestUtil.h"

namespace {

const std::string kFailWrites = "trap '' XFSZ; ulimit -f 0;";

Bytes Sample(const std::string& name) { return ReadBytes(TestData(name)); }

void Insert32(Bytes& b, std::size_t at, std::uint32_t v) {
    const unsigned char le[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                 static_cast<unsigned char>(v >> 16),
                                 static_cast<unsigned char>(v >> 24)};
    b.insert(b.begin() + at, le, le + 4);
}

void PutName(Bytes& b, const std::string& name) {
    std::fill(b.begin() + 8, b.begin() + 23, 0);
    std::copy(name.begin(), name.end(), b.begin() + 8);
}

// Every file of the folder with its bytes, to prove that a run changed nothing.
std::map<std::string, Bytes> Snapshot(const TempDir& dir) {
    std::map<std::string, Bytes> files;
    for (const std::string& n : dir.List()) {
        struct stat st;
        const bool folder = stat((dir / n).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        files[n] = folder ? Bytes{'/'} : ReadBytes(dir / n);  // a folder stands for itself
    }
    return files;
}

int StderrLines(const CliResult& r) {
    return static_cast<int>(std::count(r.err.begin(), r.err.end(), '\n'));
}

// "key: value" lines of the info text.
std::map<std::string, std::string> InfoLines(const std::string& out) {
    std::map<std::string, std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(':');
        const std::size_t v = line.find_first_not_of(' ', colon + 1);
        if (colon != std::string::npos)
            lines[line.substr(0, colon)] = line.substr(std::min(v, line.size()));
    }
    return lines;
}

// Parses one flat JSON object of strings, integers and literals into raw value texts
// (strings keep their quotes); false for anything else, a repeated key included.
bool ParseFlatJson(const std::string& text, std::map<std::string, std::string>& out) {
    static const std::string str = R"("(?:[^"\\]|\\["\\/bfnrt]|\\u[0-9a-fA-F]{4})*")";
    static const std::regex pair(R"(\s*()" + str + R"()\s*:\s*()" + str +
                                 R"(|-?\d+|true|false|null)\s*([,}]))");
    std::size_t i = text.find_first_not_of(" \n");
    if (i == std::string::npos || text[i++] != '{') return false;
    for (std::smatch m;; i += m.length(0)) {
        if (!std::regex_search(text.begin() + i, text.end(), m, pair,
                               std::regex_constants::match_continuous))
            return false;
        const std::string key = m[1].str();
        if (!out.emplace(key.substr(1, key.size() - 2), m[2].str()).second) return false;
        if (m[3] == "}") return text.find_first_not_of(" \n", i + m.length(0)) == std::string::npos;
    }
}

// A folder holding one writable copy of a sample under the given name.
struct SaveFolder {
    TempDir dir;
    std::string file;
    SaveFolder(const std::string& sample, const std::string& name) : file(dir / name) {
        WriteBytes(file, Sample(sample));
    }
    CliResult Run(std::vector<std::string> args, const std::string& prefix = "") const {
        return RunCli(args, dir.path, prefix);
    }
};

}  // namespace

// ---- info ----------------------------------------------------------------------------

TEST(CliInfo, TextShowsTheSampleCharacter) {
    SaveFolder f("d2v107.d2s", "hero.d2s");
    const CliResult r = f.Run({"info", "hero.d2s"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto l = InfoLines(r.out);
    EXPECT_EQ(l["name"], "testtt");
    EXPECT_NE(l["class"].find('4'), std::string::npos);
    EXPECT_NE(l["class"].find("Barbar"), std::string::npos);
    EXPECT_NE(l["status"].find("0x20"), std::string::npos);
    EXPECT_EQ(l["version"], "87");
    EXPECT_EQ(l["length"].substr(0, 3), "837");
    const std::map<std::string, std::string> values = {
        {"level", "1"},      {"experience", "0"},  {"strength", "30"},  {"energy", "10"},
        {"dexterity", "20"}, {"vitality", "25"},   {"stamina", "92"},   {"life", "55"},
        {"mana", "10"},      {"skillPoints", "0"}, {"statPoints", "0"}, {"gold", "0"},
        {"goldStash", "0"}};
    for (const auto& v : values) EXPECT_EQ(l[v.first], v.second) << v.first;
}

TEST(CliInfo, JsonIsOneObjectWithExactlyTheDocumentedKeys) {
    SaveFolder f("d2v108.d2s", "hero.d2s");
    const CliResult r = f.Run({"info", "hero.d2s", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::string> j;
    ASSERT_TRUE(ParseFlatJson(r.out, j)) << r.out;
    const std::map<std::string, std::string> want = {
        {"charClass", "4"},   {"level", "1"},       {"strength", "30"},     {"energy", "10"},
        {"dexterity", "20"},  {"vitality", "25"},   {"stamina", "92"},      {"life", "55"},
        {"mana", "10"},       {"skillPoints", "0"}, {"statPoints", "0"},    {"gold", "0"},
        {"goldStash", "0"},   {"experience", "0"},  {"name", "\"fddfss\""}, {"version", "89"},
        {"length", "837"},    {"status", "32"},     {"hardcore", "false"},  {"dead", "false"},
        {"expansion", "true"}};
    EXPECT_EQ(j, want);
}

TEST(CliInfo, NewerFormatsAreShownWithOneWarning) {
    for (const char* sample : {"d2v109b.d2s", "d2v110f.d2s"}) {
        SaveFolder f(sample, "new.d2s");
        const auto before = Snapshot(f.dir);
        const std::string version = sample == std::string("d2v109b.d2s") ? "92" : "96";
        const CliResult text = f.Run({"info", "new.d2s"});
        EXPECT_EQ(text.status, 0) << sample;
        EXPECT_EQ(StderrLines(text), 1) << text.err;
        EXPECT_NE(text.err.find(version), std::string::npos) << text.err;
        EXPECT_EQ(InfoLines(text.out)["version"], version);
        // Their names are not ASCII letters; the JSON must still be valid.
        const CliResult json = f.Run({"info", "new.d2s", "--json"});
        EXPECT_EQ(json.status, 0);
        EXPECT_EQ(StderrLines(json), 1);
        std::map<std::string, std::string> j;
        EXPECT_TRUE(ParseFlatJson(json.out, j)) << json.out;
        EXPECT_EQ(j["version"], version);
        EXPECT_EQ(Snapshot(f.dir), before);
    }
}

// ---- set: field rules ----------------------------------------------------------------

TEST(CliSet, TextsAreReadAsTheFieldsReadThem) {
    SaveFolder f("d2v107.d2s", "hero.d2s");
    const CliResult r = f.Run({"set", "hero.d2s", "strength=-250", "level=abc", "energy=007",
                               "dexterity=12abc", "vitality=150", "stamina=9000", "--no-backup",
                               "mana=" + std::string(49, '0') + "7", "--skills-full"});
    ASSERT_EQ(r.status, 0) << r.err;
    // level=abc reads as 1, the level as loaded, so the experience stays absent.
    Bytes want = Sample("d2v107.d2s");
    Put16(want, 565, 250);
    Put16(want, 569, 7);
    Put16(want, 573, 12);
    Put16(want, 577, 150);
    Put16(want, 598, 6000);  // the Barbarian's stamina limit, current and maximum
    Put16(want, 602, 6000);
    Put16(want, 590, 1);  // only the first 49 characters count: 0, raised to the minimum
    Put16(want, 594, 1);
    std::fill(want.begin() + 611, want.begin() + 641, 20);
    EXPECT_EQ(ReadBytes(f.file), want);
    EXPECT_EQ(f.dir.List(), std::vector<std::string>{"hero.d2s"});
    // Each value the limits changed is reported; vitality=150 was taken as typed.
    for (const char* changed : {"strength", "level", "energy", "dexterity", "stamina", "mana"})
        EXPECT_NE(r.out.find(changed), std::string::npos) << changed << "\n" << r.out;
    EXPECT_NE(r.out.find("6000"), std::string::npos);
    EXPECT_EQ(r.out.find("vitality"), std::string::npos) << r.out;
}

TEST(CliSet, ClassDecidesTheStaminaLimitAndExpansionClasses) {
    SaveFolder f("d2v108.d2s", "hero.d2s");
    ASSERT_EQ(
        f.Run({"set", "hero.d2s", "--class", "Paladin", "stamina=9000", "--no-backup"}).status, 0);
    Bytes want = Sample("d2v108.d2s");
    want[34] = 3;
    Put16(want, 598, 9000);
    Put16(want, 602, 9000);
    EXPECT_EQ(ReadBytes(f.file), want);
    // An expansion character may become a Druid; a classic one may not.
    ASSERT_EQ(f.Run({"set", "hero.d2s", "--class", "5", "--no-backup"}).status, 0);
    want[34] = 5;
    EXPECT_EQ(ReadBytes(f.file), want);

    ASSERT_EQ(f.Run({"new", "Paladin", "Classic.d2s"}).status, 0);
    const auto before = Snapshot(f.dir);
    const CliResult r = f.Run({"set", "Classic.d2s", "--class", "Assassine"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(StderrLines(r), 1) << r.err;
    EXPECT_EQ(Snapshot(f.dir), before);
}

TEST(CliSet, ChangedLevelSetsExperienceFromTheTable) {
    const struct {
        const char* text;
        unsigned level;
        std::uint32_t experience;
    } cases[] = {{"2", 2, 501}, {"10", 10, 57716}, {"150", 99, 3520485255u}};
    for (const auto& c : cases) {
        SaveFolder f("d2v107.d2s", "hero.d2s");
        const CliResult r =
            f.Run({"set", "hero.d2s", std::string("level=") + c.text, "--no-backup"});
        ASSERT_EQ(r.status, 0) << r.err;
        Bytes want = Sample("d2v107.d2s");
        want[36] = c.level;
        want[605] = c.level;  // level attribute
        want[563] |= 0x20;    // experience present, its slot in front of "if"
        Insert32(want, 609, c.experience);
        EXPECT_EQ(ReadBytes(f.file), want) << c.text;
    }
}

TEST(CliSet, PointsAndGoldAreLimitedAndInserted) {
    SaveFolder f("d2v107.d2s", "hero.d2s");
    const CliResult r = f.Run({"set", "hero.d2s", "statPoints=-5", "skillPoints=601",
                               "gold=99999999", "goldStash=70000", "--no-backup"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes want = Sample("d2v107.d2s");
    want[562] |= 0x30;
    want[563] |= 0xC0;
    Insert32(want, 581, 5);      // stat points
    Insert32(want, 585, 600);    // skill points
    Insert32(want, 617, 10000);  // gold: 10000 x level 1
    Insert32(want, 621, 50000);  // stash: 50000 at level 1
    EXPECT_EQ(ReadBytes(f.file), want);
}

TEST(CliSet, MaxGoldStashDependsOnTheFormatVersion) {
    const struct {
        const char* sample;
        unsigned level;
        std::uint32_t experience, stash;
    } cases[] = {{"d2v108.d2s", 31, 5493364, 800000},
                 {"d2v107.d2s", 31, 5493364, 200000},
                 {"d2v108.d2s", 30, 4663554, 200000}};
    for (const auto& c : cases) {
        SaveFolder f(c.sample, "hero.d2s");
        const std::string level = std::to_string(c.level);
        ASSERT_EQ(
            f.Run({"set", "hero.d2s", "level=" + level, "gold=5", "--max-gold", "--no-backup"})
                .status,
            0);
        Bytes want = Sample(c.sample);
        want[36] = want[605] = c.level;
        want[563] |= 0xE0;
        Insert32(want, 609, c.experience);
        Insert32(want, 613, 10000 * c.level);
        Insert32(want, 617, c.stash);
        EXPECT_EQ(ReadBytes(f.file), want) << c.sample << " level " << level;
        // The shifted slots read back.
        std::map<std::string, std::string> j;
        ASSERT_TRUE(ParseFlatJson(f.Run({"info", "hero.d2s", "--json"}).out, j));
        EXPECT_EQ(j["goldStash"], std::to_string(c.stash));
        EXPECT_EQ(j["experience"], std::to_string(c.experience));
        EXPECT_EQ(j["life"], "55");
    }
}

// ---- set: backup and save as ---------------------------------------------------------

TEST(CliBackup, MadeKeptOverwrittenOrSkipped) {
    SaveFolder f("d2v107.d2s", "hero.d2s");
    const Bytes original = Sample("d2v107.d2s");
    ASSERT_EQ(f.Run({"set", "hero.d2s", "strength=40"}).status, 0);
    Bytes first = original;
    Put16(first, 565, 40);
    EXPECT_EQ(ReadBytes(f.file), first);
    EXPECT_EQ(ReadBytes(f.dir / "hero.bakvelmor"), original);

    ASSERT_EQ(f.Run({"set", "hero.d2s", "strength=41"}).status, 0);
    EXPECT_EQ(ReadBytes(f.dir / "hero.bakvelmor"), original) << "an existing backup is kept";
    Bytes second = original;
    Put16(second, 565, 41);
    EXPECT_EQ(ReadBytes(f.file), second);

    ASSERT_EQ(f.Run({"set", "hero.d2s", "strength=42", "--overwrite-backup"}).status, 0);
    EXPECT_EQ(ReadBytes(f.dir / "hero.bakvelmor"), second);

    ASSERT_EQ(f.Run({"set", "hero.d2s", "strength=43", "--no-backup"}).status, 0);
    EXPECT_EQ(ReadBytes(f.dir / "hero.bakvelmor"), second);
    EXPECT_EQ(f.dir.List(), (std::vector<std::string>{"hero.bakvelmor", "hero.d2s"}));
}

TEST(CliBackup, NamedAfterTheFileInItsOwnFolder) {
    TempDir cwd, saves;
    ASSERT_EQ(mkdir((saves / "v1.0").c_str(), 0755), 0);
    WriteBytes(saves / "v1.0/my.hero.d2s", Sample("d2v108.d2s"));
    WriteBytes(saves / "v1.0/solo", Sample("d2v108.d2s"));
    ASSERT_EQ(RunCli({"set", saves / "v1.0/my.hero.d2s", "mana=12"}, cwd.path).status, 0);
    ASSERT_EQ(RunCli({"set", saves / "v1.0/solo", "mana=12"}, cwd.path).status, 0);
    EXPECT_TRUE(cwd.List().empty());
    EXPECT_EQ(saves.List(), std::vector<std::string>{"v1.0"});
    EXPECT_FALSE(Exists(saves / "v1.0/my.bakvelmor"));
    EXPECT_EQ(ReadBytes(saves / "v1.0/my.hero.bakvelmor"), Sample("d2v108.d2s"));
    EXPECT_EQ(ReadBytes(saves / "v1.0/solo.bakvelmor"), Sample("d2v108.d2s"));
}

TEST(CliSaveAs, CopiesTheCharacterUnderTheNewNameWithItsSideFiles) {
    SaveFolder f("d2v108.d2s", "Hero.d2s");
    WriteBytes(f.dir / "Hero.key", {'k', 1, 2});
    WriteBytes(f.dir / "Hero.ma2", {'m', 2});
    WriteBytes(f.dir / "Other.map", {'o'});
    const auto before = Snapshot(f.dir);
    TempDir out;
    const CliResult r = f.Run({"set", "Hero.d2s", "strength=99", "--output", out / "Copy.d2s"});
    ASSERT_EQ(r.status, 0) << r.err;
    Bytes want = Sample("d2v108.d2s");
    PutName(want, "Copy");
    Put16(want, 565, 99);
    EXPECT_EQ(ReadBytes(out / "Copy.d2s"), want);
    EXPECT_EQ(out.List(), (std::vector<std::string>{"Copy.d2s", "Copy.key", "Copy.ma2"}));
    EXPECT_EQ(ReadBytes(out / "Copy.key"), (Bytes{'k', 1, 2}));
    EXPECT_EQ(ReadBytes(out / "Copy.ma2"), (Bytes{'m', 2}));
    EXPECT_EQ(Snapshot(f.dir), before) << "the source and its side files stay, no backup";
}

TEST(CliSaveAs, RefusedNamesWriteNothing) {
    SaveFolder f("d2v108.d2s", "Hero.d2s");
    WriteBytes(f.dir / "Hero.key", {'k'});
    const auto before = Snapshot(f.dir);
    const struct {
        const char* out;
        const char* message;
    } cases[] = {{"A.d2s", "min len 2"},
                 {"Abcdefghijklmnop.d2s", "max len 15"},
                 {"Hero1.d2s", "only letters"},
                 {"My.Hero.d2s", "only letters"}};
    for (const auto& c : cases) {
        const CliResult r = f.Run({"set", "Hero.d2s", "strength=50", "--output", c.out});
        EXPECT_EQ(r.status, 1) << c.out;
        EXPECT_EQ(StderrLines(r), 1) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Snapshot(f.dir), before) << c.out;
    }
}

TEST(CliSaveAs, BackupFileIsOnlyWrittenAsACopy) {
    SaveFolder f("d2v107.d2s", "Hero.bakvelmor");
    const auto before = Snapshot(f.dir);
    const CliResult refused = f.Run({"set", "Hero.bakvelmor", "strength=5"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(StderrLines(refused), 1) << refused.err;
    EXPECT_EQ(Snapshot(f.dir), before);

    ASSERT_EQ(f.Run({"set", "Hero.bakvelmor", "strength=5", "--output", "Fixed.d2s"}).status, 0);
    Bytes want = Sample("d2v107.d2s");
    PutName(want, "Fixed");
    Put16(want, 565, 5);
    EXPECT_EQ(ReadBytes(f.dir / "Fixed.d2s"), want);
    EXPECT_EQ(ReadBytes(f.file), Sample("d2v107.d2s"));
    EXPECT_EQ(f.dir.List(), (std::vector<std::string>{"Fixed.d2s", "Hero.bakvelmor"}));
}

// ---- new -----------------------------------------------------------------------------

TEST(CliNew, EachClassIsTheTemplateWithItsStartValues) {
    const struct {
        const char* name;
        unsigned str, dex, vit, energy;
    } classes[] = {{"Amazone", 20, 25, 20, 15},     {"Sorceress", 10, 25, 10, 35},
                   {"Necromancer", 10, 25, 15, 25}, {"Paladin", 25, 20, 25, 15},
                   {"Barbar", 30, 20, 25, 10},      {"Druid", 15, 20, 25, 20},
                   {"Assassine", 20, 20, 20, 25}};
    std::map<Bytes, int> randoms;  // each character gets its own four random bytes
    for (int code = 0; code < 7; ++code) {
        const auto& c = classes[code];
        Bytes want = ExpectedTemplate();
        PutName(want, "Hero");
        if (code >= 5) want[24] |= 0x20;
        want[34] = code;
        Put16(want, 565, c.str);
        Put16(want, 569, c.energy);
        Put16(want, 573, c.dex);
        Put16(want, 577, c.vit);
        for (const std::string& arg : {std::string(c.name), std::to_string(code)}) {
            TempDir dir;
            const CliResult r = RunCli({"new", arg, "Hero.d2s"}, dir.path);
            ASSERT_EQ(r.status, 0) << arg << r.err;
            Bytes got = ReadBytes(dir / "Hero.d2s");
            ASSERT_EQ(got.size(), 706u) << arg;
            std::copy(got.begin() + 126, got.begin() + 130, want.begin() + 126);
            EXPECT_EQ(got, want) << arg;
            EXPECT_EQ(dir.List(), std::vector<std::string>{"Hero.d2s"});
            ++randoms[Bytes(got.begin() + 126, got.begin() + 130)];
        }
    }
    EXPECT_GT(randoms.size(), 10u);
}

TEST(CliNew, ExistingFileNeedsForceAndBadNamesWriteNothing) {
    TempDir dir;
    WriteBytes(dir / "Hero.d2s", {'o', 'l', 'd'});
    CliResult r = RunCli({"new", "Paladin", "Hero.d2s"}, dir.path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(StderrLines(r), 1) << r.err;
    EXPECT_EQ(ReadBytes(dir / "Hero.d2s"), (Bytes{'o', 'l', 'd'}));

    r = RunCli({"new", "Paladin", "Hero.d2s", "--force"}, dir.path);
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes made = ReadBytes(dir / "Hero.d2s");
    ASSERT_EQ(made.size(), 706u);
    EXPECT_EQ(made[34], 3);
    EXPECT_EQ(std::string(made.begin() + 8, made.begin() + 13), std::string("Hero\0", 5));

    const struct {
        const char* file;
        const char* message;
    } bad[] = {{"X.d2s", "min len 2"},
               {"Abcdefghijklmnop.d2s", "max len 15"},
               {"Sir Hero.d2s", "only letters"}};
    for (const auto& c : bad) {
        r = RunCli({"new", "Barbar", c.file}, dir.path);
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_EQ(StderrLines(r), 1) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(dir.List(), std::vector<std::string>{"Hero.d2s"});
    EXPECT_EQ(ReadBytes(dir / "Hero.d2s"), made);
}

// ---- refused input -------------------------------------------------------------------

TEST(CliErrors, EveryBadInputGetsOneLineAndChangesNothing) {
    TempDir dir;
    const Bytes sample = Sample("d2v107.d2s");
    WriteBytes(dir / "hero.d2s", sample);
    WriteBytes(dir / "junk.d2s", Bytes(837, 0x55));
    WriteBytes(dir / "short.d2s", Bytes(sample.begin(), sample.begin() + 659));
    Bytes longer = sample;
    longer.resize(100001, 0);
    WriteBytes(dir / "long.d2s", longer);
    WriteBytes(dir / "v92.d2s", Sample("d2v109b.d2s"));
    WriteBytes(dir / "v96.d2s", Sample("d2v110f.d2s"));
    ASSERT_EQ(mkdir((dir / "hero.bakvelmor").c_str(), 0755), 0);  // blocks the backup copy
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"info", "missing.d2s"}, 1},
        {{"set", "missing.d2s", "strength=5"}, 1},
        {{"info", "junk.d2s"}, 1},
        {{"set", "junk.d2s", "strength=5"}, 1},
        {{"info", "short.d2s"}, 1},
        {{"set", "short.d2s", "strength=5", "--no-backup"}, 1},
        {{"info", "long.d2s"}, 1},
        {{"set", "long.d2s", "strength=5", "--no-backup"}, 1},
        {{"set", "v92.d2s", "strength=5"}, 1},
        {{"set", "v96.d2s", "strength=5", "--output", "Copy.d2s"}, 1},
        {{"set", "hero.d2s", "strength=5", "--output", "nowhere/Copy.d2s"}, 1},
        {{"new", "Paladin", "nowhere/Hero.d2s"}, 1},
        {{"set", "hero.d2s", "strength=5", "--overwrite-backup"}, 1},
        {{"set", "hero.d2s", "speed=5"}, 2},
        {{"set", "hero.d2s", "strength"}, 2},
        {{"set", "hero.d2s", "strength=1", "strength=2"}, 2},
        {{"set", "hero.d2s", "--bogus"}, 2},
        {{"set", "hero.d2s", "--class", "Wizard"}, 2},
        {{"set", "hero.d2s", "--complete-game", "--restart-game"}, 2},
        {{"set", "hero.d2s", "--output"}, 2},
        {{"new", "Wizard", "Hero.d2s"}, 2},
        {{"info"}, 2},
        {{"info", ""}, 2},
        {{"new", "Amazone", ""}, 2},
        {{"frobnicate", "hero.d2s"}, 2},
    };
    const auto before = Snapshot(dir);
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& a : c.first) shown += a + " ";
        const CliResult r = RunCli(c.first, dir.path);
        EXPECT_EQ(r.status, c.second) << shown << r.err;
        EXPECT_EQ(StderrLines(r), 1) << shown << r.err;
        EXPECT_EQ(Snapshot(dir), before) << shown;
    }
}

TEST(CliErrors, SizeLimitsAreInclusive) {
    TempDir dir;
    const Bytes sample = Sample("d2v107.d2s");
    WriteBytes(dir / "min.d2s", Bytes(sample.begin(), sample.begin() + 660));
    Bytes longest = sample;
    longest.resize(100000, 0);
    WriteBytes(dir / "max.d2s", longest);
    EXPECT_EQ(RunCli({"info", "min.d2s"}, dir.path).status, 0);
    ASSERT_EQ(RunCli({"set", "max.d2s", "vitality=26", "--no-backup"}, dir.path).status, 0);
    Put16(longest, 577, 26);
    EXPECT_EQ(ReadBytes(dir / "max.d2s"), longest);
}

// ---- failed writes -------------------------------------------------------------------

TEST(CliFailedWrite, LeavesEveryFileAsItWas) {
    SaveFolder f("d2v108.d2s", "Hero.d2s");
    WriteBytes(f.dir / "Hero.key", {'k'});
    WriteBytes(f.dir / "Old.d2s", {'o', 'l', 'd'});
    const auto before = Snapshot(f.dir);
    const std::vector<std::vector<std::string>> runs = {
        {"set", "Hero.d2s", "strength=77"},
        {"set", "Hero.d2s", "strength=77", "--no-backup"},
        {"set", "Hero.d2s", "strength=77", "--output", "Copy.d2s"},
        {"new", "Paladin", "Old.d2s", "--force"},
    };
    for (const auto& args : runs) {
        // The limit also stops the shell from capturing the messages, so only the exit
        // status and the files can be checked here.
        EXPECT_EQ(f.Run(args, kFailWrites).status, 1) << args.back();
        EXPECT_EQ(Snapshot(f.dir), before) << args.back();
    }
}

TEST(CliFailedWrite, BackupMadeInTheFailedRunIsRemoved) {
    // 1020 bytes fit under a 1024-byte limit, so the backup succeeds; the edit adds 12 bytes
    // and the save fails.
    Bytes padded = Sample("d2v107.d2s");
    padded.resize(1020, 0);
    const std::string limit = "trap '' XFSZ; ulimit -f 2;";  // 2 blocks of 512 bytes
    const std::vector<std::string> edit = {"set", "hero.d2s", "level=31", "--max-gold"};

    TempDir dir;
    WriteBytes(dir / "hero.d2s", padded);
    CliResult r = RunCli(edit, dir.path, limit);
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(StderrLines(r), 1) << r.err;
    EXPECT_EQ(dir.List(), std::vector<std::string>{"hero.d2s"});
    EXPECT_EQ(ReadBytes(dir / "hero.d2s"), padded);

    // A backup that was there before the run stays as it was.
    WriteBytes(dir / "hero.bakvelmor", {'b', 'a', 'k'});
    r = RunCli(edit, dir.path, limit);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"hero.bakvelmor", "hero.d2s"}));
    EXPECT_EQ(ReadBytes(dir / "hero.bakvelmor"), (Bytes{'b', 'a', 'k'}));
    EXPECT_EQ(ReadBytes(dir / "hero.d2s"), padded);

    // Replacing an older backup leaves a copy of the unchanged file, never no backup at all.
    r = RunCli({"set", "hero.d2s", "level=31", "--max-gold", "--overwrite-backup"}, dir.path,
               limit);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadBytes(dir / "hero.bakvelmor"), padded);
    EXPECT_EQ(ReadBytes(dir / "hero.d2s"), padded);

    // Without the limit the same edit goes through: the failure above came from the size.
    std::remove((dir / "hero.bakvelmor").c_str());
    ASSERT_EQ(RunCli(edit, dir.path).status, 0);
    EXPECT_EQ(ReadBytes(dir / "hero.d2s").size(), 1032u);
    EXPECT_EQ(ReadBytes(dir / "hero.bakvelmor"), padded);
}
