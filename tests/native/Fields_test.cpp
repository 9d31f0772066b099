// The edit fields' rules, run on the console form of the window.
#include "view/Fields.h"

#include <gtest/gtest.h>

#include <climits>

#include "TestUtil.h"
#include "app/AppData.h"
#include "app/Constants.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Limits.h"
#include "view/Ui.h"
#include "view/UiConsole.h"

TEST(NumberRule, ReadsTheLeadingNumberAndLimitsIt) {
    const struct {
        const char* text;
        int min, max, want;
    } cases[] = {
        {"-250", 1, 30000, 250},
        {"", 1, 30000, 1},
        {"abc", 0, 600, 0},
        {"12abc", 0, 600, 12},
        {"007", 1, 99, 7},
        {"  +42", 1, 99, 42},
        {"150", 1, 99, 99},
        {"0", 1, 99, 1},
        {"- 5", 0, 600, 0},
        {"99999999999999", 0, 600, 600},
        {"-2147483648", 1, 30000, 30000},
        {"\t 31", 1, 99, 31},
    };
    for (const auto& c : cases) EXPECT_EQ(c.want, FitNumber(c.text, c.min, c.max)) << c.text;
    // Only the first 49 characters count.
    EXPECT_EQ(0, FitNumber((std::string(48, ' ') + "7").c_str(), 0, 600) - 7);
    EXPECT_EQ(0, FitNumber((std::string(49, ' ') + "7").c_str(), 0, 600));
}

TEST(GoldLimits, FollowTheLevelAndTheVersion) {
    EXPECT_EQ(10000u, MaxGold_P(1));
    EXPECT_EQ(990000u, MaxGold_P(99));
    const struct {
        unsigned level, v89, other;
    } stash[] = {{1, 50000, 50000},    {9, 50000, 50000},    {10, 100000, 100000},
                 {30, 200000, 200000}, {31, 800000, 200000}, {32, 850000, 200000},
                 {99, 2500000, 500000}};
    for (const auto& s : stash) {
        EXPECT_EQ(s.v89, MaxGoldStash(s.level, 89)) << s.level;
        EXPECT_EQ(s.other, MaxGoldStash(s.level, 87)) << s.level;
        EXPECT_EQ(s.v89, MaxGoldStash(s.level, 92)) << s.level;
        EXPECT_EQ(2500000u, MaxGoldStash(s.level, 96)) << s.level;
    }
    EXPECT_GT(explev[94], unsigned(INT_MAX));
    EXPECT_EQ(3520485255u, explev[99]);
}

namespace {

class Fields : public ::testing::Test {
protected:
    void SetUp() override {
        ConsoleResetWindow();
        ASSERT_TRUE(LoadDoc(ad, ReadBytes(TestData("d2v108.d2s"))));  // level-1 Barbarian
        ViewInitCombo(ad);
        ViewSetData(ad);
    }
    void Type(int id, const char* text) { UiSetText(ad, id, text); }
    std::string Shown(int id) { return ConsoleGetText(id); }
    cAppData ad;
};

}  // namespace

TEST_F(Fields, ShowTheRecordAndTheFilesClass) {
    EXPECT_EQ("1", Shown(IDC_LEVEL));
    EXPECT_EQ("30", Shown(IDC_STRENGTH));
    EXPECT_EQ("92", Shown(IDC_STAMINA));
    EXPECT_EQ("55", Shown(IDC_LIFE));
    EXPECT_EQ("0", Shown(IDC_GOLDSTASH));
    EXPECT_EQ(4, UiComboSel(ad));
    EXPECT_EQ(7u, ConsoleComboEntries().size());  // an expansion character
    ad.data[24] = 0;
    ViewInitCombo(ad);
    EXPECT_EQ(
        (std::vector<std::string>{"Amazone", "Sorceress", "Necromancer", "Paladin", "Barbar"}),
        ConsoleComboEntries());
    ViewResetCombo(ad);
    EXPECT_EQ(std::vector<std::string>{"----"}, ConsoleComboEntries());
}

TEST_F(Fields, BitPackedVersionsHaveTheirOwnLimits) {
    ASSERT_TRUE(LoadDoc(ad, ReadBytes(TestData("d2v110f.d2s"))));  // a Barbarian again
    for (int id : {IDC_STRENGTH, IDC_STAMINA, IDC_LIFE, IDC_SKILLPOINTS, IDC_STATPOINTS})
        Type(id, "9999");
    ViewGetData(ad);
    const PlayerData& p = ad.player;
    EXPECT_EQ((std::vector<unsigned>{1023, 8191, 8191, 255, 600}),
              (std::vector<unsigned>{p.strength, p.stamina, p.life, p.skillPoints, p.statPoints}));
}

TEST_F(Fields, ReadingNormalisesEveryField) {
    Type(IDC_STRENGTH, "-250");
    Type(IDC_ENERGY, "");
    Type(IDC_DEXTERITY, "12abc");
    Type(IDC_VITALITY, "007");
    Type(IDC_LEVEL, "150");
    Type(IDC_SKILLPOINTS, "x");
    Type(IDC_STATPOINTS, "700");
    ViewGetData(ad);
    EXPECT_EQ(250u, ad.player.strength);
    EXPECT_EQ("1", Shown(IDC_ENERGY));
    EXPECT_EQ("12", Shown(IDC_DEXTERITY));
    EXPECT_EQ("7", Shown(IDC_VITALITY));
    EXPECT_EQ(99, ad.player.level);
    EXPECT_EQ("0", Shown(IDC_SKILLPOINTS));
    EXPECT_EQ(600u, ad.player.statPoints);
}

TEST_F(Fields, StaminaOfABarbarianStopsAtSixThousand) {
    Type(IDC_STAMINA, "9000");
    Type(IDC_LIFE, "9000");
    UiComboSelect(ad, 3);
    ViewGetData(ad);
    EXPECT_EQ(9000u, ad.player.stamina);
    UiComboSelect(ad, 4);
    ViewGetData(ad);
    EXPECT_EQ(6000u, ad.player.stamina);
    EXPECT_EQ("6000", Shown(IDC_STAMINA));
    EXPECT_EQ(9000u, ad.player.life);
}

TEST_F(Fields, ExperienceFollowsAChangedLevelOnly) {
    ad.player.experience = ad.loaded.experience = 777;
    ViewGetData(ad);
    EXPECT_EQ(777u, ad.player.experience);
    Type(IDC_LEVEL, "10");
    ViewGetData(ad);
    EXPECT_EQ(57716u, ad.player.experience);
    Type(IDC_LEVEL, "1");
    ViewGetData(ad);
    EXPECT_EQ(57716u, ad.player.experience);
}

TEST_F(Fields, GoldLimitsUseTheLevelJustRead) {
    Type(IDC_LEVEL, "50");
    Type(IDC_GOLD, "500000");
    Type(IDC_GOLDSTASH, "9999999");
    ViewGetData(ad);
    EXPECT_EQ(500000u, ad.player.gold);
    EXPECT_EQ(1300000u, ad.player.goldStash);
    Type(IDC_LEVEL, "40");
    ViewGetData(ad);
    EXPECT_EQ(400000u, ad.player.gold);
    EXPECT_EQ(1050000u, ad.player.goldStash);
    ad.data[4] = 87;
    ViewGetData(ad);
    EXPECT_EQ(250000u, ad.player.goldStash);
}

TEST_F(Fields, MaximumGoldForcesBothFields) {
    Type(IDC_LEVEL, "31");
    UiMenuCheck(ad, IDM_MAXGOLD, true);
    EXPECT_TRUE(ViewDataChanged(ad));
    Type(IDC_GOLD, "5");
    ViewGetData(ad);
    EXPECT_EQ(310000u, ad.player.gold);
    EXPECT_EQ(800000u, ad.player.goldStash);
    ViewOnMaxGold(ad, false);  // shows the loaded values again
    EXPECT_EQ("0", Shown(IDC_GOLD));
    ViewOnMaxGold(ad, true);
    EXPECT_EQ("310000", Shown(IDC_GOLD));
    EXPECT_EQ("800000", Shown(IDC_GOLDSTASH));
}

TEST_F(Fields, PendingMarksCountAsChanges) {
    EXPECT_FALSE(ViewDataChanged(ad));
    for (int id : {IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_COMPLETE, IDM_RESTART, IDM_MAXGOLD}) {
        UiMenuCheck(ad, id, true);
        EXPECT_TRUE(ViewDataChanged(ad)) << id;
        ViewResetMenu(ad);
        EXPECT_FALSE(ViewDataChanged(ad)) << id;
    }
}

TEST_F(Fields, AnUnlistedClassKeepsItsCode) {
    ad.data[34] = 9;
    ViewSetData(ad);
    EXPECT_EQ(-1, UiComboSel(ad));
    ViewGetData(ad);
    EXPECT_EQ(9, ad.player.charClass);
}

TEST_F(Fields, WithoutAFileNothingIsReadOrShown) {
    ad.reset();
    Type(IDC_LEVEL, "----");
    ViewGetData(ad);
    ViewSetData(ad);
    EXPECT_EQ("----", Shown(IDC_LEVEL));
    EXPECT_FALSE(ad.player != PlayerData());
}
