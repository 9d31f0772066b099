// The character name is the file name without its extension: 2 to 15 ASCII letters.
#include <gtest/gtest.h>

#include <string>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"

using Texts = std::vector<std::string>;

// Each file name in turn on one document; a refused one leaves the bytes as they were and
// names the first broken rule. The byte after the field is never touched.
TEST(Name, WritesValidNamesAndRefusesWithTheFirstBrokenRule) {
    ConsoleEchoMessages(false);
    cAppData ad;
    Bytes file = ExpectedTemplate();
    file[23] = 0x42;
    ASSERT_TRUE(LoadDoc(ad, file));
    // clang-format off
    const std::string rows[][3] = {
        {"Abcdefghijklmno.d2s", "Abcdefghijklmno", ""}, {"Hero.d2s", "Hero", ""}, {"Zed", "Zed", ""},
        {"A.d2s", "Zed", "min len 2"}, {"", "Zed", "min len 2"}, {".d2s", "Zed", "only letters"},
        {"Abcdefghijklmnop.d2s", "Zed", "max len 15"}, {std::string(400, 'a'), "Zed", "max len 15"},
        {std::string(99, '1'), "Zed", "max len 15"}, {"Hero1.d2s", "Zed", "only letters"},
        {"Sir Hero.d2s", "Zed", "only letters"}, {"My.Hero.d2s", "Zed", "only letters"},
        {"H\xC3\xA9ro.d2s", "Zed", "only letters"}, {"Xaz.bakvelmor", "Xaz", ""}};
    // clang-format on
    for (const auto& r : rows) {
        ConsoleClearMessages();
        EXPECT_EQ(r[2].empty(), DocSetFileName(ad, r[0].c_str())) << r[0];
        EXPECT_EQ(r[2].empty() ? Texts{} : Texts{r[2]}, ConsoleMessages()) << r[0];
        EXPECT_EQ(Named(file, r[1]), DocBytes(ad)) << r[0];
    }
}
