// New characters: the template with the class, its starting attributes and random bytes.
#include <gtest/gtest.h>

#include <set>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"

// Each of the four random bytes must vary between the characters made.
TEST(NewCharacter, EachClassGetsItsCodeAttributesFlagAndRandomBytes) {
    // Strength, energy, dexterity, vitality of each class.
    const unsigned starts[7][4] = {{20, 15, 25, 20}, {10, 35, 25, 10}, {10, 25, 25, 15},
                                   {25, 15, 20, 25}, {30, 10, 20, 25}, {15, 20, 20, 25},
                                   {20, 25, 20, 20}};
    std::set<unsigned char> seen[4];
    for (int code = 0; code < 8; ++code) {
        cAppData ad;
        ASSERT_TRUE(DocOpenNewFile(ad, IDM_NEW_AMAZONE + code));
        Bytes expected = ExpectedTemplate();
        if (code < 7) {  // one past the last class keeps the template's character
            expected[34] = code;
            for (int i = 0; i < 4; ++i) Put16(expected, 565 + 4 * i, starts[code][i]);
            if (code >= 5) expected[24] = 0x20;
        }
        Bytes got = DocBytes(ad);
        for (int b = 0; b < 4; ++b) seen[b].insert(got[126 + b]);
        std::fill(&got[126], &got[130], 0);  // the random bytes
        EXPECT_EQ(expected, got) << code;
    }
    for (int b = 0; b < 4; ++b) EXPECT_GT(seen[b].size(), 1u) << "byte " << 126 + b;
}
