// The pending whole-character actions, applied when the document is encoded.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Ui.h"
#include "view/UiConsole.h"

namespace {

// Word w of the quest block of a difficulty (0, 1, 2).
unsigned QuestWord(int difficulty, unsigned w) { return 140 + 96 * difficulty + 2 * w; }

Bytes Completed(Bytes b) {
    b[25] = 13;
    for (int d = 0; d < 3; ++d) {
        for (unsigned w = 1; w <= 39; ++w) {
            if ((w >= 1 && w <= 6) || (w >= 9 && w <= 14) || (w >= 17 && w <= 22) ||
                (w >= 25 && w <= 27) || (w >= 35 && w <= 39))
                Put16(b, QuestWord(d, w), 0x8001);
        }
        for (unsigned w : {1, 2, 3, 4, 25, 35, 36, 37, 38}) Put16(b, QuestWord(d, w), 0x8006);
        for (unsigned w : {7, 15, 23, 24}) Put16(b, QuestWord(d, w), 1);
        b[QuestWord(d, 28)] = 1;
        const unsigned wp = 436 + 24 * d;
        Put32(b, wp + 2, 0xFFFFFFFF);
        b[wp + 6] = 0x7F;
    }
    return b;
}

class Progress : public ::testing::Test {
protected:
    void SetUp() override { ConsoleResetWindow(); }
    void Mark(int id) { UiMenuCheck(ad, id, true); }
    Bytes Encode(const Bytes& file) {
        EXPECT_TRUE(LoadDoc(ad, file));
        DocSetData(ad);
        return DocBytes(ad);
    }
    cAppData ad;
};

}  // namespace

TEST_F(Progress, RevivesOnlyADeadHardcoreCharacter) {
    const std::pair<unsigned char, unsigned char> cases[] = {
        {0x0C, 0x00}, {0x04, 0x04}, {0x08, 0x08}, {0x2C, 0x20}, {0xFF, 0xF3}};
    for (const auto& c : cases) {
        Bytes file = ExpectedTemplate();
        file[24] = c.first;
        Bytes expected = file;
        expected[24] = c.second;
        EXPECT_EQ(expected, Encode(file)) << int(c.first);
    }
}

TEST_F(Progress, SkillMarksFillOrClearTheThirtySkills) {
    Mark(IDM_SKILLS_FULL);
    Bytes full = ExpectedTemplate();
    for (unsigned i = 611; i <= 640; ++i) full[i] = 20;
    EXPECT_EQ(full, Encode(ExpectedTemplate()));
    // Full wins when both are marked; none alone clears them again.
    Mark(IDM_SKILLS_NONE);
    EXPECT_EQ(full, Encode(full));
    UiMenuCheck(ad, IDM_SKILLS_FULL, false);
    EXPECT_EQ(ExpectedTemplate(), Encode(full));
}

TEST_F(Progress, SkillsMoveWithAnInsertedAttribute) {
    Mark(IDM_SKILLS_FULL);
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    ad.player.gold = 5;
    DocSetData(ad);
    for (unsigned i = 615; i <= 644; ++i) EXPECT_EQ(20, ad.data[i]) << i;
    EXPECT_EQ('J', ad.data[645]);
}

TEST_F(Progress, CompletingTheGameSetsQuestsWaypointsAndActs) {
    Mark(IDM_COMPLETE);
    Bytes file = ExpectedTemplate();
    for (int d = 0; d < 3; ++d) Put16(file, QuestWord(d, 40), 0x1234);
    const Bytes done = Encode(file);
    EXPECT_EQ(Completed(file), done);
    const Bytes firstWaypoints(done.begin() + 438, done.begin() + 443);
    EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), firstWaypoints);
    // Completing twice gives the same bytes; it also wins over a restart mark.
    Mark(IDM_RESTART);
    EXPECT_EQ(done, Encode(done));
}

TEST_F(Progress, RestartingClearsProgressAndIntroductions) {
    Bytes file = Completed(ExpectedTemplate());
    for (unsigned i = 512; i < 560; ++i) file[i] = 0xAB;
    for (int d = 0; d < 3; ++d) {
        Put16(file, QuestWord(d, 40), 0x1234);
        for (unsigned w : {0, 8, 16, 32}) Put16(file, QuestWord(d, w), 0x0101);
    }
    file[88] = 9;
    Mark(IDM_RESTART);
    Bytes expected = file;
    expected[25] = expected[88] = 0;
    for (unsigned i = 512; i < 560; ++i) expected[i] = 0;
    for (int d = 0; d < 3; ++d) {
        for (unsigned w = 1; w <= 40; ++w) {
            if ((w < 28 || w >= 35) && w != 8 && w != 16) Put16(expected, QuestWord(d, w), 0);
        }
        // Introduction flags and the act 4 extra lose their low byte only.
        for (unsigned w : {0, 8, 16, 28, 32}) expected[QuestWord(d, w)] = 0;
        const unsigned wp = 436 + 24 * d;
        Put32(expected, wp + 2, 1);
        expected[wp + 6] = 0;
    }
    const Bytes restarted = Encode(file);
    EXPECT_EQ(expected, restarted);
    EXPECT_EQ((Bytes{1, 0, 0, 0, 0}), Bytes(restarted.begin() + 438, restarted.begin() + 443));
}

TEST_F(Progress, WithoutMarksProgressBytesStay) {
    Bytes file = Completed(ExpectedTemplate());
    file[512] = 5;
    EXPECT_EQ(file, Encode(file));
}
