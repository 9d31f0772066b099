// The character name is the file name without its extension: 2 to 15 ASCII letters.
#include <gtest/gtest.h>

#include <string>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"

namespace {

class Name : public ::testing::Test {
protected:
    void SetUp() override {
        ConsoleEchoMessages(false);
        ConsoleClearMessages();
    }
    Bytes WithName(const std::string& name, const Bytes& base) {
        Bytes b = base;
        for (unsigned i = 8; i <= 22; ++i) b[i] = 0;
        std::copy(name.begin(), name.end(), b.begin() + 8);
        return b;
    }
    cAppData ad;
};

}  // namespace

TEST_F(Name, WritesTheNameAndClearsTheRestOfTheField) {
    Bytes file = ExpectedTemplate();
    file[23] = 0x42;
    ASSERT_TRUE(LoadDoc(ad, file));
    EXPECT_TRUE(DocSetFileName(ad, "Abcdefghijklmno.d2s"));
    EXPECT_EQ(WithName("Abcdefghijklmno", file), DocBytes(ad));  // byte 23 kept
    EXPECT_TRUE(DocSetFileName(ad, "Hero.d2s"));
    EXPECT_EQ(WithName("Hero", file), DocBytes(ad));
    EXPECT_TRUE(DocSetFileName(ad, "Zed"));
    EXPECT_EQ(WithName("Zed", file), DocBytes(ad));
    EXPECT_TRUE(ConsoleMessages().empty());
}

TEST_F(Name, RefusesWithTheFirstBrokenRule) {
    const std::pair<std::string, std::string> cases[] = {
        {"A.d2s", "min len 2"},
        {".d2s", "only letters"},
        {"Abcdefghijklmnop.d2s", "max len 15"},
        {"Hero1.d2s", "only letters"},
        {"Sir Hero.d2s", "only letters"},
        {"Her-o.d2s", "only letters"},
        {"My.Hero.d2s", "only letters"},
        {"H\xC3\xA9ro.d2s", "only letters"},
        {std::string(100, '1'), "max len 15"},
        {std::string(400, 'a') + ".d2s", "max len 15"},
        {"", "min len 2"},
    };
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    for (const auto& c : cases) {
        ConsoleClearMessages();
        EXPECT_FALSE(DocSetFileName(ad, c.first.c_str())) << c.first;
        EXPECT_EQ(std::vector<std::string>{c.second}, ConsoleMessages()) << c.first;
        EXPECT_EQ(ExpectedTemplate(), DocBytes(ad));
    }
}

TEST_F(Name, NeedsADocument) {
    EXPECT_FALSE(DocSetFileName(ad, "Hero.d2s"));
    EXPECT_EQ(std::vector<std::string>{"no datapointer in DocSetFileName"}, ConsoleMessages());
}
