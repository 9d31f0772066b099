// The edit fields' rules, over the texts typed.
#include "view/Fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/Layout.h"
#include "doc/Limits.h"
#include "res/resource.h"

// |leading decimal number| of the first 49 characters, saturated at INT_MAX, then limited;
// the expected values are worked out by hand. The fields' test below has the common cases.
TEST(NumberRule, ReadsTheLeadingNumberAndLimitsIt) {
    const std::string blanks(47, ' ');
    const struct {
        std::string text;
        int min, max, want;
    } rows[] = {// clang-format off
        {"abc", 0, 600, 0}, {" \t\v\f\r\n+42", 1, 99, 42}, {"0", 1, 99, 1}, {"- 5", 0, 600, 0},
        {"+-5", 0, 600, 0}, {"2147483648", 0, INT_MAX, INT_MAX}, {blanks + "-77", 0, 600, 7},
        {"-99999999999999999999", 0, INT_MAX, INT_MAX}, {blanks + " 7", 0, 600, 7},
        {blanks + "  7", 0, 600, 0}, {std::string(48, '0') + "12", 0, 600, 1}};
    // clang-format on
    for (const auto& r : rows) EXPECT_EQ(r.want, FitNumber(r.text.c_str(), r.min, r.max)) << r.text;
}

namespace {

struct Fields : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(LoadDoc(ad, Sample("d2v108.d2s")));  // level-1 Barbarian
        texts = FieldsShown(ad.player);
    }
    cAppData ad;
    FieldTexts texts;
};

}  // namespace

// The selected class is the one read (a class the selector cannot list keeps its code),
// and a Barbarian's stamina stops at 6000.
TEST_F(Fields, ClassComesFromTheSelectorAndLimitsStamina) {
    const int rows[][3] = {{0, 0, 9000}, {3, 3, 9000}, {4, 4, 6000}, {6, 6, 9000}, {-1, 9, 9000}};
    for (const auto& r : rows) {
        ad.data[34] = 9;
        texts[FieldIndex(IDC_STAMINA)] = texts[FieldIndex(IDC_LIFE)] = "9000";
        texts = FieldsRead(ad, r[0], texts);
        EXPECT_EQ((std::vector<int>{r[1], r[2], 9000}),
                  (std::vector<int>{ad.player.charClass, ad.player.stamina, ad.player.life}))
            << r[0];
    }
}

// Every field read in one go, in a classic and in a bit-packed file (whose widths are its
// limits); experience follows a level that differs from the loaded one.
TEST_F(Fields, ReadingNormalisesEveryFieldAndFollowsTheNewLevel) {
    // clang-format off
    const struct { const char* file; std::vector<std::string> typed, shown; } rows[] = {
        {"d2v108.d2s", {"150", "-250", "", "12abc", "007", "x", "x", "x", "x", "700", "1", "1"},
                       {"99", "250", "1", "12", "7", "1", "1", "1", "0", "600", "1", "1"}},
        {"d2v110f.d2s", {"150", "99999", "99999", "99999", "99999", "99999", "99999", "99999", "999",
                         "700", "9999999", "9999999"},
                        {"99", "1023", "1023", "1023", "1023", "8191", "8191", "8191", "255", "600",
                         "990000", "2500000"}}};
    // clang-format on
    for (const auto& r : rows) {
        ASSERT_TRUE(LoadDoc(ad, Sample(r.file)));  // level-1 Barbarians
        std::copy(r.typed.begin(), r.typed.end(), texts.begin());
        texts = FieldsRead(ad, -1, texts);
        for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(r.shown[i], texts[i]) << r.file << " " << i;
        EXPECT_EQ(explev[99], ad.player.experience);
        texts[FieldIndex(IDC_LEVEL)] = "1";
        FieldsRead(ad, -1, texts);
        EXPECT_EQ(explev[99], ad.player.experience);  // back at the loaded level: kept
    }
}

// Rows: level typed, format version byte, maximum gold on; gold and stash read. The limits
// use the level just read; maximum gold holds both fields whatever was typed.
TEST_F(Fields, GoldLimitsFollowTheLevelTheVersionAndMaximumGold) {
    const unsigned rows[][5] = {
        {1, 89, 0, 10000, 50000},     {9, 89, 0, 90000, 50000},     {10, 89, 0, 100000, 100000},
        {30, 89, 0, 300000, 200000},  {31, 89, 0, 310000, 800000},  {31, 87, 0, 310000, 200000},
        {99, 89, 0, 990000, 2500000}, {99, 92, 0, 990000, 2500000}, {31, 92, 0, 310000, 800000},
        {99, 87, 0, 990000, 500000},  {2, 89, 1, 20000, 50000},     {40, 89, 1, 400000, 1050000},
        {30, 96, 0, 300000, 200000},  {31, 96, 0, 310000, 800000},  {1, 97, 0, 10000, 2500000}};
    for (const auto& r : rows) {
        texts[FieldIndex(IDC_LEVEL)] = std::to_string(r[0]);
        texts[FieldIndex(IDC_GOLD)] = r[2] ? "5" : "99999999";
        texts[FieldIndex(IDC_GOLDSTASH)] = r[2] ? "0" : "99999999";
        ad.edit.maxGold = r[2] != 0;
        ad.data[4] = static_cast<unsigned char>(r[1]);
        texts = FieldsRead(ad, CLASS_BARBARIAN, texts);
        EXPECT_EQ(r[3], ad.player.gold) << r[0] << " v" << r[1];
        EXPECT_EQ(r[4], ad.player.goldStash) << r[0] << " v" << r[1];
    }
    FieldsShowGold(ad, false, texts);  // shows the loaded values again
    EXPECT_EQ("0", texts[FieldIndex(IDC_GOLD)]);
}
