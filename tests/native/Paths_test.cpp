#include "support/Paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(Paths, TestExt) {
    struct Case {
        const char* file;
        const char* ext;
        bool want;
    };
    const Case cases[] = {
        {"HERO.D2S", "d2s", true},
        {"C:\\Saves\\hero.d2S", "d2s", true},
        {"hero.d2s.bak", "d2s", false},
        {"hero.d2s", "D2S", false},
        {"x.bakvelmor", "bakvelmor", true},
        {"hero.abcdefghij", "abcdefghij", false},
        {".d2s", "d2s", false},
        {"hero", "d2s", false},
        {"a", "d2s", false},
        {nullptr, "d2s", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TestExt(c.file, c.ext), c.want) << (c.file ? c.file : "null") << c.ext;
    }
}

TEST(Paths, DelExtCutsLastDotAfterIndexZero) {
    const char* cases[][2] = {{"hero.d2s", "hero"},
                              {".d2s", ".d2s"},
                              {"hero.d2s.bak", "hero.d2s"},
                              {"my.dir\\hero", "my"}};
    for (const auto& c : cases) {
        char buf[32];
        std::strcpy(buf, c[0]);
        delExt(buf);
        EXPECT_STREQ(buf, c[1]);
        EXPECT_STREQ(DelExt(c[0]), c[1]);
    }
    EXPECT_STREQ(DelExt(nullptr), "");
}

TEST(Paths, LongInputsAreCutTo259) {
    const std::string name = std::string(280, 'a') + ".d2s";
    EXPECT_EQ(std::string(DelExt(name.c_str())), std::string(259, 'a'));
    EXPECT_EQ(std::string(GetPathFromFile(std::string(300, 'b').c_str())), std::string(259, 'b'));
    const std::string deep = std::string(100, 'c') + "\\" + std::string(199, 'd') + "\\f";
    EXPECT_EQ(std::string(GetPathFromFile(deep.c_str())), std::string(100, 'c') + "\\");
}

TEST(Paths, AddSlashTestCharStrdel) {
    char a[16] = "C:\\Saves";
    addSlash(a);
    addSlash(a);
    EXPECT_STREQ(a, "C:\\Saves\\");
    char e[4] = "";
    addSlash(e);
    EXPECT_STREQ(e, "\\");

    for (char c : {'a', 'z', 'A', 'Z'}) EXPECT_TRUE(testChar(&c)) << c;
    for (char c : {'0', ' ', '@', '[', '`', '{', '\0', '\xe9'}) EXPECT_FALSE(testChar(&c)) << +c;

    char q[] = "\"C:\\My Saves\\hero.d2s\"";
    strdel(q, '"');
    EXPECT_STREQ(q, "C:\\My Saves\\hero.d2s");
    char mid[] = "-a-b--";
    strdel(mid, '-');
    EXPECT_STREQ(mid, "ab");
}

TEST(Paths, GetPathFromFileAndGetFileFromPath) {
    const char* full = "C:\\Games\\save\\Hero.d2s";
    EXPECT_STREQ(GetPathFromFile(full), "C:\\Games\\save\\");
    EXPECT_STREQ(GetPathFromFile("Hero.d2s"), "Hero.d2s");
    EXPECT_EQ(GetFileFromPath(full), full + 14);
    EXPECT_EQ(GetFileFromPath(full + 14), full + 14);
    EXPECT_STREQ(GetFileFromPath("C:\\Games\\save\\\\"), "save\\\\");
    EXPECT_STREQ(GetFileFromPath("save\\"), "save\\");
    const char* empty = "";
    EXPECT_EQ(GetFileFromPath(empty), empty);
    EXPECT_STREQ(GetFileFromPath(nullptr), "");
}
