// New characters: the template with the class, its starting attributes and random bytes.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"

namespace {

struct Start {
    int strength, dexterity, vitality, energy;
};
const Start kStarts[7] = {{20, 25, 20, 15}, {10, 25, 10, 35}, {10, 25, 15, 25}, {25, 20, 25, 15},
                          {30, 20, 25, 10}, {15, 20, 25, 20}, {20, 20, 20, 25}};

Bytes WithoutRandom(Bytes b) {
    for (unsigned i = 126; i <= 129; ++i) b[i] = 0;
    return b;
}

}  // namespace

TEST(NewCharacter, TemplateImageIsTheListedBytes) {
    EXPECT_EQ(ExpectedTemplate(), Bytes(newCharTemplate, newCharTemplate + TEMPLATE_SIZE));
}

TEST(NewCharacter, EachClassGetsItsCodeAttributesAndFlag) {
    for (int code = 0; code < 7; ++code) {
        cAppData ad;
        ASSERT_TRUE(DocOpenNewFile(ad, IDM_NEW_AMAZONE + code));
        Bytes expected = ExpectedTemplate();
        expected[34] = code;
        Put16(expected, 565, kStarts[code].strength);
        Put16(expected, 569, kStarts[code].energy);
        Put16(expected, 573, kStarts[code].dexterity);
        Put16(expected, 577, kStarts[code].vitality);
        if (code >= 5) expected[24] = 0x20;
        EXPECT_EQ(expected, WithoutRandom(DocBytes(ad))) << code;
        EXPECT_EQ(706u, ad.length);
        EXPECT_TRUE(ad.filename == "");
        EXPECT_FALSE(ad.player != PlayerData());
    }
}

TEST(NewCharacter, OtherCommandsKeepTheTemplateCharacter) {
    cAppData ad;
    ASSERT_TRUE(DocOpenNewFile(ad, 40040));
    EXPECT_EQ(ExpectedTemplate(), WithoutRandom(DocBytes(ad)));
}

TEST(NewCharacter, RandomBytesDifferBetweenCharacters) {
    // Four random bytes each; a few tries make a chance collision negligible.
    int differing = 0;
    for (int i = 0; i < 4; ++i) {
        cAppData a, b;
        ASSERT_TRUE(DocOpenNewFile(a, IDM_NEW_AMAZONE));
        ASSERT_TRUE(DocOpenNewFile(b, IDM_NEW_AMAZONE));
        differing += !std::equal(a.data + 126, a.data + 130, b.data + 126);
    }
    EXPECT_GE(differing, 3);
}

TEST(NewCharacter, NamedAndSavedItIsTheTemplatePlusItsEdits) {
    TempDir dir;
    cAppData ad;
    ASSERT_TRUE(DocOpenNewFile(ad, IDM_NEW_ASSASSINE));
    ASSERT_TRUE(DocSetFileName(ad, "Kasha.d2s"));
    ASSERT_TRUE(DocSaveFile(ad, (dir / "Kasha.d2s").c_str()));
    Bytes expected = ExpectedTemplate();
    const std::string name = "Kasha";
    std::copy(name.begin(), name.end(), expected.begin() + 8);
    expected[24] = 0x20;
    expected[34] = 6;
    Put16(expected, 565, 20);
    Put16(expected, 569, 25);
    Put16(expected, 573, 20);
    Put16(expected, 577, 20);
    EXPECT_EQ(expected, WithoutRandom(ReadBytes(dir / "Kasha.d2s")));
}
