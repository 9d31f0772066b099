// New characters: the template with the class, its starting attributes and random bytes.
#include <gtest/gtest.h>

#include <set>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"

namespace {

Bytes WithoutRandom(Bytes b) {
    for (unsigned i = 126; i <= 129; ++i) b[i] = 0;
    return b;
}

}  // namespace

TEST(NewCharacter, EachClassGetsItsCodeAttributesAndFlag) {
    const struct {
        int strength, dexterity, vitality, energy;
    } starts[7] = {{20, 25, 20, 15}, {10, 25, 10, 35}, {10, 25, 15, 25}, {25, 20, 25, 15},
                   {30, 20, 25, 10}, {15, 20, 25, 20}, {20, 20, 20, 25}};
    for (int code = 0; code < 8; ++code) {
        cAppData ad;
        ASSERT_TRUE(DocOpenNewFile(ad, IDM_NEW_AMAZONE + code));
        Bytes expected = ExpectedTemplate();
        if (code < 7) {  // one past the last class keeps the template's character
            expected[34] = code;
            Put16(expected, 565, starts[code].strength);
            Put16(expected, 569, starts[code].energy);
            Put16(expected, 573, starts[code].dexterity);
            Put16(expected, 577, starts[code].vitality);
            if (code >= 5) expected[24] = 0x20;
        }
        EXPECT_EQ(expected, WithoutRandom(DocBytes(ad))) << code;
        EXPECT_TRUE(ad.filename == "");
        EXPECT_FALSE(ad.player != PlayerData());
    }
}

TEST(NewCharacter, EachOfTheFourRandomBytesIsDrawn) {
    std::set<unsigned char> seen[4];
    for (int i = 0; i < 8; ++i) {
        cAppData ad;
        ASSERT_TRUE(DocOpenNewFile(ad, IDM_NEW_AMAZONE));
        for (int b = 0; b < 4; ++b) seen[b].insert(ad.data[126 + b]);
    }
    for (int b = 0; b < 4; ++b) EXPECT_GT(seen[b].size(), 1u) << "byte " << 126 + b;
}
