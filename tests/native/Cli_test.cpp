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
#include "app/Version.h"

namespace {

const std::string kFailWrites = "trap '' XFSZ; ulimit -f 0;";
// Runs the tool with its standard output on a full disk.
const std::string kFullOutput = "sh -c 'exec \"$0\" \"$@\" >/dev/full'";

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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Parses one flat JSON object of strings, integers and literals into raw value texts
// (strings keep their quotes); false for anything else: a repeated key, a raw control byte.
bool ParseFlatJson(const std::string& text, std::map<std::string, std::string>& out) {
    static const std::string str = R"("(?:[^"\\\x00-\x1f]|\\["\\/bfnrt]|\\u[0-9a-fA-F]{4})*")";
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

// The folder of the table's rows: an expansion and a classic character, a newer format,
// a file that is no save and a folder where the backup would go.
void MakeRowFolder(const TempDir& dir) {
    Bytes classic = Sample("d2v107.d2s");
    classic[24] = 0;
    WriteBytes(dir / "hero.d2s", Sample("d2v107.d2s"));
    WriteBytes(dir / "classic.d2s", classic);
    WriteBytes(dir / "v92.d2s", Sample("d2v109b.d2s"));
    WriteBytes(dir / "junk.d2s", Bytes(837, 0x55));
    mkdir((dir / "hero.bakvelmor").c_str(), 0755);
}

}  // namespace

// Each row: the words, the exit status, and how the first lines of standard output and
// standard error begin ("" where the stream must stay empty). A refused run changes no file.
TEST(CliConventions, ArgumentTable) {
    const std::string version = std::string("velmor-cli ") + VELMOR_VERSION;
    const std::string usage = "velmor-cli: ", name = "velmor-cli: character name ";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err, prefix = "";
    } rows[] = {
        {{"--version"}, 0, version, ""},
        {{"-V"}, 0, version, ""},
        {{"--version"}, 1, "", "velmor-cli: cannot write the output", kFullOutput},
        {{"info", "hero.d2s"}, 1, "", "velmor-cli: cannot write the output", kFullOutput},
        {{"--help"}, 0, "usage: velmor-cli COMMAND [ARGS]", ""},
        {{"help", "set"}, 0, "usage: velmor-cli set FILE", ""},
        {{"info", "--json", "--help"}, 0, "usage: velmor-cli info FILE...", ""},
        {{}, 2, "", usage + "missing command"},
        {{"help", "bogus"}, 2, "", usage + "unknown command 'bogus'"},
        {{"frobnicate", "hero.d2s"}, 2, "", usage + "unknown command 'frobnicate'"},
        {{"info"}, 2, "", usage + "missing argument FILE"},
        {{"new", "Paladin"}, 2, "", usage + "missing argument FILE"},
        {{"new"}, 2, "", usage + "missing arguments CLASS and FILE"},
        {{"info", ""}, 2, "", usage + "empty argument"},
        {{"new", "Amazone", ""}, 2, "", usage + "empty argument"},
        {{"set", "hero.d2s", "hero.d2s"}, 2, "", usage + "expected FIELD=NUMBER, got 'hero.d2s'"},
        {{"set", "hero.d2s", "speed=5"}, 2, "", usage + "unknown field 'speed'"},
        {{"set", "hero.d2s", "level=abc"},
         2,
         "",
         usage + "field level takes a whole number, not 'abc'"},
        {{"set", "hero.d2s", "Level="}, 2, "", usage + "field level takes a whole number, not ''"},
        {{"set", "hero.d2s", "strength=-250"},
         2,
         "",
         usage + "field strength takes a whole number"},
        {{"set", "hero.d2s", "gold=1e6"}, 2, "", usage + "field gold takes a whole number"},
        {{"set", "hero.d2s", "mana=+5"}, 2, "", usage + "field mana takes a whole number"},
        {{"set", "hero.d2s", "gold=1", "GOLD=2"}, 2, "", usage + "field gold given twice"},
        {{"set", "hero.d2s", "--bogus"}, 2, "", usage + "unknown option '--bogus'"},
        {{"info", "hero.d2s", "--force"}, 2, "", usage + "unknown option '--force'"},
        {{"set", "hero.d2s", "--class", "Wizard"}, 2, "", usage + "unknown class 'Wizard'"},
        {{"set", "hero.d2s", "--class", ""}, 2, "", usage + "missing argument: --class"},
        {{"set", "hero.d2s", "--class=7"}, 2, "", usage + "unknown class '7'"},
        {{"new", "7", "Hero.d2s"}, 2, "", usage + "unknown class '7'"},
        {{"set", "hero.d2s", "--complete-game", "--restart-game"},
         2,
         "",
         usage + "--complete-game"},
        {{"set", "hero.d2s", "--skills-none", "--skills-full"}, 2, "", usage + "--skills-full"},
        {{"set", "hero.d2s", "--no-backup", "--overwrite-backup"}, 2, "", usage + "--no-backup"},
        {{"set", "hero.d2s", "--output"}, 2, "", usage + "missing argument: --output"},
        {{"set", "hero.d2s", "--output="}, 2, "", usage + "missing argument: --output"},
        {{"new", "Paladin", "Hero"}, 2, "", usage + "new makes save files"},
        {{"new", "Paladin", "Hero.d2s.txt"}, 2, "", usage + "new makes save files"},
        {{"new", "Paladin", "A.d2s"},
         1,
         "",
         name + "'A' (from the file name 'A.d2s') is too short: at least 2 letters"},
        {{"new", "1", "Abcdefghijklmnop.D2S"}, 1, "", name + "'Abcdefghijklmnop' (from"},
        {{"new", "Paladin", "a\\Hero.d2s"}, 1, "", name + "'a\\Hero' (from the file name"},
        {{"set", "hero.d2s", "--output=My.Hero.d2s"}, 1, "", name + "'My.Hero' (from"},
        {{"info", "--", "--json"}, 1, "", "velmor-cli: cannot open --json"},
        {{"info", "missing.d2s"}, 1, "", "velmor-cli: cannot open missing.d2s"},
        {{"info", "junk.d2s"}, 1, "", "velmor-cli: junk.d2s"},
        {{"info", "v92.d2s"}, 0, "file:        v92.d2s", "velmor-cli: warning: v92.d2s"},
        {{"set", "v92.d2s", "strength=5"}, 1, "", "velmor-cli: v92.d2s"},
        {{"set", "classic.d2s", "--class", "druid"}, 1, "", "velmor-cli: class Druid"},
        {{"set", "hero.d2s", "strength=5", "--overwrite-backup"}, 1, "", "velmor-cli: cannot make"},
        {{"new", "Paladin", "nowhere/Hero.d2s"}, 1, "", "velmor-cli: cannot save"},
        {{"new", "amazon", "Hero.d2s"}, 0, "made Hero.d2s: Amazone, level 1", ""},
        {{"new", "BARBARIAN", "Hero.d2s"}, 0, "made Hero.d2s: Barbar, level 1", ""},
        {{"new", "assassine", "Hero.d2s"}, 0, "made Hero.d2s: Assassine, level 1", ""},
        {{"new", "06", "--", "Hero.d2s"}, 0, "made Hero.d2s: Assassine, level 1", ""},
        {{"set", "hero.d2s", "--no-backup", "--class=Necromancer", "STRENGTH=0"},
         0,
         "strength: '0' read as 1",
         ""},
    };
    for (const auto& row : rows) {
        std::string shown;
        for (const std::string& a : row.args) shown += a + " ";
        TempDir dir;
        MakeRowFolder(dir);
        const auto before = Snapshot(dir);
        const CliResult r = RunCli(row.args, dir.path, row.prefix);
        EXPECT_EQ(r.status, row.status) << shown << r.err;
        for (const auto& [got, want] : {std::pair(r.out, row.out), std::pair(r.err, row.err)}) {
            const std::string first = Lines(got).empty() ? "" : Lines(got)[0];
            EXPECT_EQ(first.substr(0, want.size()), want) << shown;
            EXPECT_EQ(got.empty(), want.empty()) << shown << got;
        }
        if (row.status != 0) {
            EXPECT_EQ(Snapshot(dir), before) << shown;
        }
    }
}

// info on many files: JSON Lines or blank-line separated text, each file on its own; a
// dead hardcore character, a name of 15 letters and one of control bytes.
TEST(CliInfo, ManyFilesEachOnItsOwn) {
    TempDir dir;
    Bytes dead = Sample("d2v108.d2s"), odd = Sample("d2v107.d2s");
    PutName(dead, "Abcdefghijklmno");
    dead[24] = 0x2C;  // expansion, died, hardcore
    PutName(odd, "a\x01\x1f\"\\b");
    odd[24] = 0x24;  // expansion, hardcore, alive
    WriteBytes(dir / "Abcdefghijklmno.d2s", dead);
    WriteBytes(dir / "odd.d2s", odd);
    const std::vector<std::string> files = {"Abcdefghijklmno.d2s", "missing.d2s", "odd.d2s"};
    std::vector<std::string> args = {"info", "--json"};
    args.insert(args.end(), files.begin(), files.end());
    CliResult r = RunCli(args, dir.path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.err), std::vector<std::string>{
                                "velmor-cli: cannot open missing.d2s: No such file or directory"});
    const std::vector<std::string> json = Lines(r.out);
    ASSERT_EQ(json.size(), 2u) << r.out;
    std::map<std::string, std::string> first, second;
    ASSERT_TRUE(ParseFlatJson(json[0], first)) << json[0];
    ASSERT_TRUE(ParseFlatJson(json[1], second)) << json[1];
    const std::map<std::string, std::string> want = {{"charClass", "4"},
                                                     {"level", "1"},
                                                     {"strength", "30"},
                                                     {"energy", "10"},
                                                     {"dexterity", "20"},
                                                     {"vitality", "25"},
                                                     {"stamina", "92"},
                                                     {"life", "55"},
                                                     {"mana", "10"},
                                                     {"skillPoints", "0"},
                                                     {"statPoints", "0"},
                                                     {"gold", "0"},
                                                     {"goldStash", "0"},
                                                     {"experience", "0"},
                                                     {"version", "89"},
                                                     {"length", "837"},
                                                     {"status", "44"},
                                                     {"hardcore", "true"},
                                                     {"dead", "true"},
                                                     {"expansion", "true"},
                                                     {"name", "\"Abcdefghijklmno\""},
                                                     {"file", "\"Abcdefghijklmno.d2s\""}};
    EXPECT_EQ(first, want);
    EXPECT_EQ(second["name"], R"("a\u0001\u001f\"\\b")");
    EXPECT_EQ(second["file"], "\"odd.d2s\"");
    EXPECT_EQ(second["hardcore"] + second["dead"], "truefalse");

    args.erase(args.begin() + 1);
    r = RunCli(args, dir.path);
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> text = Lines(r.out);
    ASSERT_EQ(text.size(), 39u) << r.out;
    EXPECT_EQ(text[1], "name:        Abcdefghijklmno");
    EXPECT_EQ(text[3], "status:      0x2C (hardcore: yes, died: yes, expansion: yes)");
    EXPECT_EQ(text[19], "");
    EXPECT_EQ(text[20], "file:        odd.d2s");
    EXPECT_EQ(text[21], R"(name:        a\u0001\u001f"\\b)");
    EXPECT_EQ(text[23], "status:      0x24 (hardcore: yes, died: no, expansion: yes)");
}

// The numbers typed, the class and the marks reach the file; the limits' changes are
// reported, numbers that are only spelled differently are not.
TEST(CliSet, EditsReachTheFile) {
    Bytes a = Sample("d2v107.d2s");
    Put16(a, 565, 1);
    Put16(a, 569, 7);
    Put16(a, 573, 12);
    Put16(a, 577, 150);
    Put16(a, 590, 7);
    Put16(a, 594, 7);
    Put16(a, 598, 6000);  // the Barbarian's stamina limit, current and maximum
    Put16(a, 602, 6000);
    std::fill(a.begin() + 611, a.begin() + 641, 20);
    Bytes b = Sample("d2v108.d2s");
    b[34] = 3;
    Put16(b, 598, 9000);
    Put16(b, 602, 9000);
    b[36] = b[605] = 31;
    b[563] |= 0xE0;  // experience, gold and stash gold present
    Insert32(b, 609, 5493364);
    Insert32(b, 613, 310000);
    Insert32(b, 617, 800000);
    const struct {
        const char* sample;
        std::vector<std::string> args;
        Bytes want;
        std::vector<std::string> report;
    } rows[] = {
        {"d2v107.d2s",
         {"strength=0", "energy=007", "vitality=150", "stamina=9000", "DEXTERITY=12",
          "mana=" + std::string(49, '0') + "7", "--skills-full"},
         a,
         {"strength: '0' read as 1", "stamina: '9000' read as 6000", "saved hero.d2s (837 bytes)"}},
        {"d2v108.d2s",
         {"--class", "paladin", "stamina=9000", "level=31", "gold=5", "--max-gold"},
         b,
         {"gold: '5' read as 310000", "saved hero.d2s (849 bytes)"}},
    };
    for (const auto& row : rows) {
        SaveFolder f(row.sample, "hero.d2s");
        std::vector<std::string> args = {"set", "hero.d2s", "--no-backup"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CliResult r = f.Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadBytes(f.file), row.want) << row.sample;
        EXPECT_EQ(Lines(r.out), row.report);
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
