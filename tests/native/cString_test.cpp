#include "support/cString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(cString, GrowthDoublesOnlyWhenFull) {
    cString s(nullptr, 50);
    EXPECT_STREQ(s.cstr(), "");
    s += std::string(50, 'x').c_str();
    EXPECT_EQ(s.capacity(), 50u);
    s.add('y');
    EXPECT_EQ(s.capacity(), 100u);
    s += std::string(9, 'x').c_str();
    EXPECT_EQ(s.capacity(), 100u);
    EXPECT_EQ(std::string(s.cstr()), std::string(50, 'x') + "y" + std::string(9, 'x'));

    cString big(nullptr, 256);
    big += std::string(300, 'q').c_str();
    EXPECT_EQ(big.capacity(), 512u);
    EXPECT_EQ(std::string(big.cstr()), std::string(300, 'q'));
    EXPECT_EQ(big.GetSize(), 300u);

    cString t("0123456789", 256);
    t.trim();
    EXPECT_EQ(t.capacity(), 10u);
    t.add('A');
    EXPECT_EQ(t.capacity(), 20u);
    EXPECT_STREQ(t.cstr(), "0123456789A");
}

TEST(cString, GrowthRestartsFromZeroCapacity) {
    cString zeroCap("ab", 0);
    cString cleared("some text", 256);
    cleared.clear();
    EXPECT_STREQ(cleared.cstr(), "");
    cString trimmed(nullptr, 256);
    trimmed.trim();
    EXPECT_EQ(cleared.capacity() + trimmed.capacity(), 0u);
    cleared += "new";
    trimmed.add('z');
    EXPECT_STREQ(zeroCap.cstr(), "ab");
    EXPECT_STREQ(cleared.cstr(), "new");
    EXPECT_STREQ(trimmed.cstr(), "z");
    for (const cString* s : {&zeroCap, &cleared, &trimmed}) {
        EXPECT_EQ(s->capacity(), 100u);
    }
}

TEST(cString, PushFrontKeepsOrderAndSurvivesGrowth) {
    cString dir("Saves", 50);
    dir.push_front(".\\");
    EXPECT_STREQ(dir.cstr(), ".\\Saves");
    EXPECT_EQ(dir.GetSize(), 7u);
    cString full("abcde", 5);
    full.push_front('x');
    EXPECT_STREQ(full.cstr(), "xabcde");
    EXPECT_EQ(full.capacity(), 10u);
}

TEST(cString, Equality) {
    cString s("abc", 50);
    EXPECT_TRUE(s == "abc" && !(s != "abc"));
    for (const char* other : {"abcd", "ABC", "ab", ""}) {
        EXPECT_FALSE(s == other) << other;
        EXPECT_TRUE(s != other) << other;
    }
    EXPECT_FALSE(s == nullptr);
}

TEST(cString, AssignReplacesAndEmptyAssignKeepsBuffer) {
    cString s("hello world", 256);
    s = "hi";
    EXPECT_STREQ(s.cstr(), "hi");
    const char* before = s.cstr();
    s = "";
    EXPECT_EQ(s.cstr(), before);
    EXPECT_STREQ(s.cstr(), "");
    EXPECT_EQ(s.GetSize(), 0u);
    EXPECT_EQ(s.capacity(), 256u);
}

TEST(cString, WriteInPlaceNeedsUpdatePos) {
    cString s("old", 50);
    const unsigned& length = s.len();
    std::strcpy(s.str(), "C:\\Games");
    EXPECT_EQ(s.GetSize(), 3u);
    s.UpdatePos();
    EXPECT_EQ(length, 8u);
    s.add('\\');
    EXPECT_STREQ(s.cstr(), "C:\\Games\\");
    s[2] = 0;
    s.up();
    EXPECT_EQ(s.GetSize(), 2u);
    s.zero();
    EXPECT_EQ(std::memcmp(s.cstr(), "C:\0\0\0\0\0\0\0", 10), 0);
}
