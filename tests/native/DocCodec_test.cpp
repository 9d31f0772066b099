// Decoding and encoding of the attribute section, checked against files assembled by hand
// from the slot layout.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"
#include "view/UiConsole.h"

namespace {

Bytes Slot(unsigned value) {
    return {Bytes::value_type(value & 0xFF), Bytes::value_type((value >> 8) & 0xFF),
            Bytes::value_type((value >> 16) & 0xFF), Bytes::value_type(value >> 24)};
}

Bytes Insert(Bytes b, unsigned at, const Bytes& what) {
    b.insert(b.begin() + at, what.begin(), what.end());
    return b;
}

Bytes Erase(Bytes b, unsigned at, unsigned n) {
    b.erase(b.begin() + at, b.begin() + at + n);
    return b;
}

// The template with every attribute present: slots in index order, all from the template's
// own slots except the five it lacks.
Bytes FullTemplate(unsigned stat, unsigned skill, unsigned exp, unsigned gold, unsigned stash) {
    const Bytes t = ExpectedTemplate();
    Bytes b(t.begin(), t.begin() + 581);
    b[562] = 0xFF;
    b[563] = 0xFF;
    for (const Bytes& s : {Slot(stat), Slot(skill)}) b.insert(b.end(), s.begin(), s.end());
    b.insert(b.end(), t.begin() + 581, t.begin() + 609);  // life .. level
    for (const Bytes& s : {Slot(exp), Slot(gold), Slot(stash)})
        b.insert(b.end(), s.begin(), s.end());
    b.insert(b.end(), t.begin() + 609, t.end());
    return b;
}

class Codec : public ::testing::Test {
protected:
    void SetUp() override {
        ConsoleResetWindow();
        ConsoleEchoMessages(false);
        ConsoleClearMessages();
    }
    cAppData ad;
};

}  // namespace

TEST_F(Codec, ReadsTheTemplate) {
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    const PlayerData& p = ad.player;
    EXPECT_EQ(0, p.charClass);
    EXPECT_EQ(1, p.level);
    EXPECT_EQ(20u, p.strength);
    EXPECT_EQ(15u, p.energy);
    EXPECT_EQ(25u, p.dexterity);
    EXPECT_EQ(20u, p.vitality);
    EXPECT_EQ(84u, p.stamina);
    EXPECT_EQ(50u, p.life);
    EXPECT_EQ(15u, p.mana);
    EXPECT_EQ(0u, p.skillPoints + p.statPoints + p.gold + p.goldStash + p.experience);
    EXPECT_FALSE(ad.player != ad.loaded);
}

TEST_F(Codec, ReadsOptionalAttributesWhereTheyStand) {
    ASSERT_TRUE(LoadDoc(ad, FullTemplate(7, 8, 123456, 4000, 3000000)));
    EXPECT_EQ(7u, ad.player.statPoints);
    EXPECT_EQ(8u, ad.player.skillPoints);
    EXPECT_EQ(123456u, ad.player.experience);
    EXPECT_EQ(4000u, ad.player.gold);
    EXPECT_EQ(3000000u, ad.player.goldStash);
    EXPECT_EQ(50u, ad.player.life);
    EXPECT_EQ(84u, ad.player.stamina);
}

TEST_F(Codec, RecordsCompareFieldByField) {
    PlayerData a, b;
    EXPECT_FALSE(a != b);
    b.goldStash = 1;
    EXPECT_TRUE(a != b);
    b.goldStash = 0;
    b.experience = 1;
    EXPECT_TRUE(a != b);
}

TEST_F(Codec, ConvertsNominalOffsets) {
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    EXPECT_EQ(586u, CalcOffset(ad, 594));
    EXPECT_EQ(602u, CalcOffset(ad, 610));
    EXPECT_EQ(605u, CalcOffset(ad, 613));
    EXPECT_EQ(611u, CalcOffset(ad, 631));
    EXPECT_EQ(581u, CalcOffset(ad, 581));
    EXPECT_EQ(565u, CalcOffset(ad, 565));
    ad.data[562] = ad.data[563] = 0xFF;
    for (unsigned n = 565; n <= 700; ++n) EXPECT_EQ(n, CalcOffset(ad, n));
    ad.data[562] = 0xBF;  // only life absent
    EXPECT_EQ(590u, CalcOffset(ad, 590));
    EXPECT_EQ(589u, CalcOffset(ad, 589));
    EXPECT_EQ(590u, CalcOffset(ad, 594));
}

TEST_F(Codec, EncodingUnchangedValuesChangesNoByte) {
    for (const Bytes& file : {ExpectedTemplate(), ReadBytes(TestData("d2v107.d2s")),
                              ReadBytes(TestData("d2v108.d2s")), FullTemplate(1, 2, 3, 4, 5)}) {
        ASSERT_TRUE(LoadDoc(ad, file));
        DocSetData(ad);
        EXPECT_EQ(file, DocBytes(ad));
    }
}

TEST_F(Codec, GoldInsertsItsSlotAndRemovesItAgain) {
    const Bytes t = ExpectedTemplate();
    ASSERT_TRUE(LoadDoc(ad, t));
    ad.player.gold = 100;
    DocSetData(ad);
    Bytes expected = Insert(t, 609, {0x64, 0, 0, 0});
    expected[563] = 0x5F;
    EXPECT_EQ(expected, DocBytes(ad));
    EXPECT_EQ('i', ad.data[613]);
    ad.player.gold = 0;
    DocSetData(ad);
    EXPECT_EQ(t, DocBytes(ad));
}

TEST_F(Codec, RemovingStatPointsShiftsTheRestAndZeroesTheTail) {
    Bytes withStats = Insert(ExpectedTemplate(), 581, Slot(9));
    withStats[562] = 0xDF;
    ASSERT_TRUE(LoadDoc(ad, withStats));
    ASSERT_EQ(9u, ad.player.statPoints);
    ad.player.statPoints = 0;
    DocSetData(ad);
    EXPECT_EQ(ExpectedTemplate(), DocBytes(ad));
    for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(0, ad.data[ad.length + i]);
}

TEST_F(Codec, FillsTheSpareRoomWithFiveNewAttributes) {
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    ad.player.statPoints = 11;
    ad.player.skillPoints = 12;
    ad.player.experience = 13;
    ad.player.gold = 14;
    ad.player.goldStash = 15;
    DocSetData(ad);
    EXPECT_EQ(706u + 20, ad.length);
    EXPECT_EQ(FullTemplate(11, 12, 13, 14, 15), DocBytes(ad));
}

TEST_F(Codec, GrowsPastTheSpareRoomWhenAllSixAppear) {
    // Life absent as well: six insertions, four bytes more than the spare room.
    Bytes noLife = Erase(ExpectedTemplate(), 581, 4);
    noLife[562] = 0x8F;
    noLife[581] = 0x77;  // fraction byte of maximum life
    ASSERT_TRUE(LoadDoc(ad, noLife));
    ASSERT_EQ(0u, ad.player.statPoints);
    ad.player.statPoints = 1;
    ad.player.skillPoints = 2;
    ad.player.experience = 3;
    ad.player.gold = 4;
    ad.player.goldStash = 5;
    ad.player.life = 60;
    DocSetData(ad);
    // Life's new slot takes maximum life's old fraction byte; maximum life's becomes 0.
    Bytes expected = FullTemplate(1, 2, 3, 4, 5);
    const unsigned life = 581 + 8;
    expected[life] = 0x77;
    expected[life + 1] = 60;
    expected[life + 4] = 0;
    expected[life + 5] = 60;
    EXPECT_EQ(expected, DocBytes(ad));
}

TEST_F(Codec, LifeZeroRemovesLifesSlot) {
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    ad.player.life = 0;
    DocSetData(ad);
    Bytes expected = Erase(ExpectedTemplate(), 581, 4);
    expected[562] = 0x8F;
    expected[582] = 0;  // maximum life keeps life's fraction byte, its value becomes 0
    EXPECT_EQ(expected, DocBytes(ad));
    DocGetData(ad);
    EXPECT_EQ(0u, ad.player.life);
}

TEST_F(Codec, WritingLifeClearsTheFractionOfMaximumLife) {
    Bytes t = ExpectedTemplate();
    t[585] = 0x80;
    ASSERT_TRUE(LoadDoc(ad, t));
    ad.player.life = 70;
    DocSetData(ad);
    Bytes expected = ExpectedTemplate();
    expected[582] = expected[586] = 70;
    EXPECT_EQ(expected, DocBytes(ad));
}

TEST_F(Codec, KeepsTheLowBitsOfWideValues) {
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    ad.player.strength = 70000;
    ad.player.level = 42;
    ad.player.charClass = 3;
    DocSetData(ad);
    Bytes expected = ExpectedTemplate();
    Put16(expected, 565, 4464);
    expected[36] = expected[605] = 42;
    expected[34] = 3;
    EXPECT_EQ(expected, DocBytes(ad));
}

TEST_F(Codec, WithoutADocumentNothingHappens) {
    DocGetData(ad);
    DocSetData(ad);
    EXPECT_EQ(std::vector<std::string>{"no datapointer in DocGetData"}, ConsoleMessages());
    EXPECT_FALSE(ad.fileopen());
}
