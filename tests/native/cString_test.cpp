#include "support/cString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(cString, EqualityComparesEveryCharacterAndTheLength) {
    const cString s("abc", 50);
    for (const char* o : {"abc", "abd", "xbc", "abcd", "ab", "ABC", "", (const char*)nullptr}) {
        const bool equal = o && std::string(o) == "abc";
        EXPECT_TRUE(equal == (s == o) && equal != (s != o)) << (o ? o : "null");
    }
}

// Characters added to a string, trimmed first or not: the text stays whole and the
// capacity doubles only when full (from 100 when it was 0).
TEST(cString, GrowthKeepsTheTextAndDoublesOnlyWhenFull) {
    const struct {
        const char* text;
        unsigned capacity, trim, added, wantCapacity;
    } rows[] = {{"", 50, 0, 50, 50},  {"", 50, 0, 51, 100},          {"", 256, 0, 300, 512},
                {"ab", 0, 0, 0, 100}, {"0123456789", 256, 1, 1, 20}, {"", 256, 1, 1, 100}};
    for (const auto& r : rows) {
        cString s(r.text, r.capacity);
        if (r.trim) s.trim();
        std::string want = r.text;
        for (unsigned i = 0; i < r.added; ++i) s.add(static_cast<char>('a' + i % 26));
        for (unsigned i = 0; i < r.added; ++i) want += static_cast<char>('a' + i % 26);
        EXPECT_EQ(want, s.cstr()) << r.text << " +" << r.added;
        EXPECT_EQ(r.wantCapacity, s.capacity()) << r.text << " +" << r.added;
    }
}
