#include "support/Paths.h"

#include <gtest/gtest.h>

#include <string>

#include "support/StartUp.h"

TEST(Paths, TestExtComparesTheLastExtensionInAnyCase) {
    const struct {
        const char *file, *ext;
        bool want;
    } rows[] = {
        {"HERO.D2S", "d2s", 1},  {"C:\\S\\a.d2S", "d2s", 1}, {"x.bakvelmor", "bakvelmor", 1},
        {"a.d2s.bak", "d2s", 0}, {"a.d2s", "D2S", 0},        {"a.abcdefghij", "abcdefghij", 0},
        {".d2s", "d2s", 0},      {"hero", "d2s", 0},         {nullptr, "d2s", 0}};
    for (const auto& r : rows) EXPECT_EQ(r.want, TestExt(r.file, r.ext)) << (r.file ? r.file : "-");
}

// Rows: input, DelExt, GetPathFromFile. The result buffers hold 259 characters: longer
// inputs are cut to exactly that.
TEST(Paths, DelExtAndGetPathFromFileCutTo259) {
    const std::string a(258, 'a'), c(100, 'c');
    // clang-format off
    const std::string rows[][3] = {
        {"hero.d2s", "hero", "hero.d2s"}, {".d2s", ".d2s", ".d2s"}, {"h.d2s.bak", "h.d2s", "h.d2s.bak"},
        {"my.dir\\hero", "my", "my.dir\\"}, {"C:\\G\\Hero.d2s", "C:\\G\\Hero", "C:\\G\\"},
        {a, a, a}, {a + "a", a + "a", a + "a"}, {a + "ab", a + "a", a + "a"},
        {a + "abc", a + "a", a + "a"}, {a + ".d2s", a, a + "."},
        {c + "\\" + std::string(199, 'd') + "\\f", c + "\\" + std::string(158, 'd'), c + "\\"}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(r[1], DelExt(r[0].c_str())) << r[0].size() << " " << r[0].substr(0, 20);
        EXPECT_EQ(r[2], GetPathFromFile(r[0].c_str())) << r[0].size() << " " << r[0].substr(0, 20);
    }
}

// Rows: the editor's command line after the program's name, the language and the file.
// The start folder is the first existing one of the classic game's and the remaster's.
TEST(StartUp, EditorArgsAndTheStartFolder) {
    // clang-format off
    const std::string rows[][3] = {
        {"", "", ""}, {"  \"C:\\My Saves\\Åsa.d2s\" ", "", "C:\\My Saves\\Åsa.d2s"}, {"--lang=en", "en", ""},
        {"--lang=zh  \"a b.d2s\"", "zh", "a b.d2s"}, {"x --lang=en", "", "x --lang=en"}};
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(r[1], ParseEditorArgs(r[0]).lang) << r[0];
        EXPECT_EQ(r[2], ParseEditorArgs(r[0]).file) << r[0];
    }
    EXPECT_EQ("--lang=en x", ArgsAfterProgram("\"C:\\Program Files\\velmor.exe\"  --lang=en x"));
    EXPECT_EQ("C:\\U\\Saved Games\\Diablo II Resurrected\\",
              RemasterSaveFolder("C:\\U\\Saved Games"));
    const auto exists = [](const std::string& f) { return f != "gone"; };
    EXPECT_EQ("c", ChooseStartFolder({"", "gone", "c", "r"}, exists, "."));
    EXPECT_EQ(".", ChooseStartFolder({"", "gone"}, exists, "."));
}
