// End-to-end tests of velmor-cli's wiring: the words, the messages and the exit status,
// the options reaching the file. The save path's file-system cases are in Save_test.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "TestUtil.h"
#include "app/Version.h"

// Each row: the words, the exit status and how the first line begins: of standard output
// when the run succeeds, else of standard error after "velmor-cli: " (standard output must
// then stay empty, and the folder as it was).
TEST(CliConventions, ArgumentTable) {
    const std::string version = std::string("velmor-cli ") + VELMOR_VERSION;
    const std::string toFull = "sh -c 'exec \"$0\" \"$@\" >/dev/full'", name = "character name ";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string first, prefix = "";
    } rows[] = {
        {{"--version"}, 0, version},
        {{"-V"}, 0, version},
        {{"info", "hero.d2s"}, 1, "cannot write the output", toFull},
        {{"--help"}, 0, "usage: velmor-cli COMMAND [ARGS]"},
        {{"help", "set"}, 0, "usage: velmor-cli set FILE"},
        {{"info", "--json", "--help"}, 0, "usage: velmor-cli info FILE..."},
        {{}, 2, "missing command"},
        {{"help", "bogus"}, 2, "unknown command 'bogus'"},
        {{"frobnicate", "hero.d2s"}, 2, "unknown command 'frobnicate'"},
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"new", "Paladin"}, 2, "missing argument FILE"},
        {{"new"}, 2, "missing arguments CLASS and FILE"},
        {{"new", "Amazone", ""}, 2, "empty argument"},
        {{"set", "hero.d2s", "--bogus"}, 2, "unknown option '--bogus'"},
        {{"set", "hero.d2s", "speed=5"}, 2, "unknown field 'speed'"},
        {{"set", "hero.d2s", "level=abc"}, 2, "field level takes a whole number, not 'abc'"},
        {{"set", "hero.d2s", "Level="}, 2, "field level takes a whole number, not ''"},
        {{"set", "hero.d2s", "strength=-250"}, 2, "field strength takes a whole number"},
        {{"set", "hero.d2s", "gold=1e6"}, 2, "field gold takes a whole number, not '1e6'"},
        {{"set", "hero.d2s", "gold=1", "GOLD=2"}, 2, "field gold given twice"},
        {{"set", "hero.d2s", "--class", ""}, 2, "missing argument: --class needs a value"},
        {{"set", "hero.d2s", "--class=Wizard"}, 2, "unknown class 'Wizard'"},
        {{"new", "8", "Hero.d2s"}, 2, "unknown class '8'"},
        {{"new", "warlock", "Hero.d2s"}, 2, "new makes characters of version 89, which has no W"},
        {{"new", "warlock", "Hero.d2s", "--game", "1.14d"}, 2, "1.10-1.14d has no Warlock"},
        {{"new", "amazon", "Hero.d2s", "--hardcore"}, 2, "--edition and --hardcore choose for"},
        {{"new", "amazon", "Hero.d2s", "--game", "1.13"}, 2, "unknown game '1.13'"},
        {{"new", "0", "A.d2s", "--game", "remaster"}, 1, name + "'A' (from the file name"},
        {{"set", "hero.d2s", "--complete-game", "--restart-game"}, 2, "--complete-game and"},
        {{"set", "hero.d2s", "--skills-none", "--skills-full"}, 2, "--skills-full and"},
        {{"set", "hero.d2s", "--no-backup", "--overwrite-backup"}, 2, "--no-backup and"},
        {{"set", "hero.d2s", "--output="}, 2, "missing argument: --output needs a value"},
        {{"new", "Paladin", "Hero.d2s.txt"}, 2, "new makes save files"},
        {{"new", "Paladin", "A.d2s"}, 1, name + "'A' (from the file name 'A.d2s') is too short"},
        {{"new", "1", "Abcdefghijklmnop.D2S"}, 1, name + "'Abcdefghijklmnop' (from"},
        {{"new", "Paladin", "a\\Hero.d2s"}, 1, name + "'a\\Hero' (from the file name"},
        {{"set", "hero.d2s", "--output=My.Hero.d2s"}, 1, name + "'My.Hero' (from"},
        {{"info", "--", "--json"}, 1, "--json does not exist"},
        {{"info", "v98.d2s"}, 0, "file:        v98.d2s"},
        {{"set", "v98.d2s", "strength=5"},
         1,
         "v98.d2s: format version 98 (remaster 2.4): read-only"},
        {{"new", "amazone", "Hero.d2s"}, 0, "made Hero.d2s: Amazon, level 1"},
        {{"new", "06", "--", "Hero.d2s"}, 0, "made Hero.d2s: Assassin, level 1"},
        // clang-format off
        {{"set", "e1.d2s", "--class", "druid"}, 1, "class Druid is only for expansion characters"},
        {{"set", "e2.d2s", "--class=Warlock"}, 1, "class Warlock is only for characters of the W"},
        {{"info", "--json", "e1.d2s"}, 0,
         R"({"file": "e1.d2s", "name": "barbclassic", "version": 105, "length": 1009, "status": 32, )"
         R"("hardcore": false, "dead": false, "expansion": false, "edition": "classic", )"
         R"("game": "remaster 3.0 or later", "writable": true, "checksumOk": true, )"},
        // clang-format on
        {{"check"}, 2, "missing argument FILE"},
        {{"help", "check"}, 0, "usage: velmor-cli check FILE..."},
    };
    for (const auto& row : rows) {
        const std::string shown = ::testing::PrintToString(row.args);
        TempDir dir;
        WriteBytes(dir / "hero.d2s", Sample("d2v107.d2s"));
        WriteBytes(dir / "v98.d2s", Sample("98_InitialSave.d2s"));  // never written
        // Version 105 of editions 1 (with status bit 0x20, which does not count there) and 2.
        WriteBytes(dir / "e1.d2s", Sealed(With16(Sample("105_barbclassic.d2s"), 20, 0x20)));
        WriteBytes(dir / "e2.d2s", Sample("105_barbexp.d2s"));
        const auto before = Snapshot(dir.path);
        const CliResult r = RunCli(row.args, dir.path, row.prefix);
        EXPECT_EQ(r.status, row.status) << shown << r.err;
        const std::string want = (row.status ? "velmor-cli: " : "") + row.first;
        EXPECT_EQ((row.status ? r.err : r.out).substr(0, want.size()), want) << shown;
        if (row.status != 0) {
            EXPECT_EQ(r.out, "") << shown;
            EXPECT_EQ(Snapshot(dir.path), before) << shown;
        }
    }
}

// info on many files: JSON Lines or text with a blank line between, each file on its own;
// a dead hardcore character with a name of 15 letters, a living classic one with control bytes.
TEST(CliInfo, ManyFilesEachOnItsOwn) {
    TempDir dir;
    Bytes dead = Named(Sample("d2v108.d2s"), "Abcdefghijklmno"),
          odd = Named(Sample("d2v107.d2s"), "a\x01\x1f\"\\b");
    dead[24] = 0x2C;  // expansion, died, hardcore
    odd[24] = 0x04;   // classic, hardcore
    WriteBytes(dir / "Abcdefghijklmno.d2s", dead);
    WriteBytes(dir / "odd.d2s", odd);
    std::vector<std::string> args = {"info", "--json", "Abcdefghijklmno.d2s", "no.d2s", "odd.d2s"};
    CliResult r = RunCli(args, dir.path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmor-cli: no.d2s does not exist\n");
    const std::string json =
        R"({"file": "Abcdefghijklmno.d2s", "name": "Abcdefghijklmno", "version": 89, )"
        R"("length": 837, "status": 44, "hardcore": true, "dead": true, "expansion": true, )"
        R"("game": "1.08", "writable": true, "checksumOk": true, "ladder": false, )"
        R"("charClass": 4, "className": "Barbarian", "level": 1, "strength": 30, "energy": 10, )"
        R"("dexterity": 20, "vitality": 25, "stamina": 92, "life": 55, "mana": 10, )"
        R"("skillPoints": 0, "statPoints": 0, "gold": 0, "goldStash": 0, "experience": 0})"
        "\n"
        R"({"file": "odd.d2s", "name": "a\u0001\u001f\"\\b", "version": 87, )"
        R"("length": 837, "status": 4, "hardcore": true, "dead": false, "expansion": false, )";
    EXPECT_EQ(r.out.substr(0, json.size()), json);

    args.erase(args.begin() + 1);
    r = RunCli(args, dir.path);
    EXPECT_EQ(r.status, 1);
    for (const char* part :
         {"name:        Abcdefghijklmno\nclass:       4 (Barbarian)\n"
          "status:      0x2C (hardcore: yes, dead: yes, expansion: yes)\nversion:     89\n",
          "goldStash:   0\n\nfile:        odd.d2s\nname:        a\\u0001\\u001f\"\\\\b\n"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << r.out;
}

// check: a line or JSON object per file, exit 1 when the game would refuse or change one;
// info's values that could not be read; set on a newer layout reading its own status byte
// (Wilhelm's says dead hardcore, and its checksum is wrong).
TEST(CliCheck, VerdictsValuesNotReadAndStatus) {
    TempDir dir;
    // clang-format off
    const std::pair<const char*, Bytes> files[] = {
        {"Agelatus", Sealed(With16(Sample("98_Agelatus.d2s"), 169, 0x85))},  // Nightmare, act 6
        {"InitialSave", Sample("98_InitialSave.d2s")}, {"old", With16(Sample("d2v107.d2s"), 4, 71)},
        {"hero", Sample("d2v107.d2s")}, {"Wilhelm", With16(Sample("99_Wilhelm.d2s"), 36, 0x2C)}};
    // clang-format on
    for (const auto& [name, bytes] : files) WriteBytes(dir / (name + std::string(".d2s")), bytes);
    const std::string newbie =
        " (the file is a new character's file as the game writes it at "
        "creation: the game builds the character when it first loads it)";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err = "";
    } rows[] = {
        // clang-format off
        {{"check", "InitialSave.d2s"}, 0, "InitialSave.d2s: ok" + newbie + "\n"},
        {{"check", "old.d2s", "InitialSave.d2s"}, 1, "InitialSave.d2s: ok" + newbie + "\n", "velmor-cli: "
         "old.d2s: format version 71 (1.00-1.06) is not checked: its layout is not known\n"},
        {{"check", "--json", "hero.d2s", "Agelatus.d2s"}, 1,
         R"({"file": "hero.d2s", "verdict": "refused", )"
         R"("problems": [{"kind": "refused", "rule": "name", "found": "the name in the file is \"testtt\", its file's name )"
         R"x(\"hero\"", "game": "does not load the file (\"failed to join game\")"}]})x" "\n"
         R"({"file": "Agelatus.d2s", "verdict": "changed", "problems": [{"kind": "changed", )"
         R"("rule": "act", "found": "Nightmare was played last (byte 169 is 0x85): there is no )"
         R"(act 6", "game": "starts the character in Act I of that difficulty"}]})" "\n"},
        // The second run replaces the backup that the first made.
        {{"set", "Wilhelm.d2s", "--overwrite-backup"}, 0, "backup Wilhelm.bakvelmor\nsaved "
         "Wilhelm.d2s (1083 bytes)\nstatus: the dead hardcore character is saved alive and "
         "softcore\n", "velmor-cli: warning: Wilhelm.d2s: format version 99 (remaster 2.5 or "
         "later); checksum wrong, a save writes a correct one\n"},
        {{"set", "Wilhelm.d2s", "--overwrite-backup"}, 0,
         "backup Wilhelm.bakvelmor\nsaved Wilhelm.d2s (1083 bytes)\n"},
    };  // clang-format on
    for (const auto& row : rows) {
        const CliResult r = RunCli(row.args, dir.path);
        EXPECT_EQ(std::tie(row.status, row.out, row.err), std::tie(r.status, r.out, r.err));
    }
    const std::string info = RunCli({"info", "--json", "InitialSave.d2s"}, dir.path).out;
    EXPECT_NE(std::string::npos, info.find(R"("level": 1, "strength": null, "energy": null, )"));
}
