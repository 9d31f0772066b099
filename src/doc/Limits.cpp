#include "doc/Limits.h"

#include <climits>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"

const unsigned int explev[101] = {
    0,          1,          501,        1501,       3751,       7876,       14176,      22681,
    32887,      44397,      57716,      72145,      90181,      112726,     140907,     176133,
    220166,     275208,     344009,     430011,     537514,     671892,     839865,     1049831,
    1312288,    1640360,    2050450,    2563062,    3203827,    3902261,    4663554,    5493364,
    6397856,    7383753,    8458380,    9629724,    10906489,   12298163,   13815087,   15468535,
    17270792,   19235253,   21376516,   23710492,   26254526,   29027523,   32050089,   35344687,
    38935799,   42850110,   47116710,   51767303,   56836450,   62361820,   68384474,   74949166,
    82104681,   89904192,   98405659,   107672257,  117772850,  128782496,  140783011,  153863571,
    168121382,  183662397,  200602102,  219066381,  239192445,  261129854,  285041631,  311105467,
    339515049,  370481493,  404234917,  441026149,  481128592,  524840255,  572485968,  624419794,
    681027666,  742730245,  809986057,  883294892,  963201522,  1050299748, 1145236815, 1248718218,
    1361512947, 1484459202, 1618470620, 1764543066, 1923762031, 2097310704, 2286478757, 2492671934,
    2717422498, 2962400613, 3229426757, 3520485255, 3837739018,
};

namespace {

const int kMaxFieldChars = 49;

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi over at most kMaxFieldChars characters, saturating instead of overflowing.
long long parseLeadingNumber(const char* text) {
    int i = 0;
    while (i < kMaxFieldChars && text[i] && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < kMaxFieldChars && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long n = 0;
    for (; i < kMaxFieldChars && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (n <= INT_MAX) n = n * 10 + (text[i] - '0');
    }
    if (n > INT_MAX) n = INT_MAX;
    return negative ? -n : n;
}

}  // namespace

int FitNumber(const char* text, const int& min, const int& max) {
    long long n = text ? parseLeadingNumber(text) : 0;
    if (n < 0) n = -n;
    if (n < min) return min;
    if (n > max) return max;
    return static_cast<int>(n);
}

unsigned int MaxGold_P(const unsigned int& level) { return 10000 * level; }

const FieldLimits& FieldLimitsOf(const cDocument& ad) {
    static const FieldLimits classic = {30000, 600, 600, 30000, 6000};
    // The widths of the bit-packed attributes: 10 bits, 8 bits, 13 integer bits. The game
    // itself writes Barbarians with stamina above 6000 in these versions.
    static const FieldLimits packed = {1023, 600, 255, 8191, 8191};
    return DocLayout(ad).codec == Codec::Bits ? packed : classic;
}

namespace {

const unsigned int kStashMax = 2500000;  // 1.13 and later, at any level

}  // namespace

unsigned int MaxGoldStash(const unsigned int& level, const std::uint32_t& version) {
    // 1.10-1.12 write version 96 too and cap its stash by level, as 1.08 and 1.09 do; 1.13
    // and later allow more, but a file does not tell which patch wrote it.
    if (version > VERSION_110) return kStashMax;
    if ((version == VERSION_108 || version == VERSION_109 || version == VERSION_110) && level > 30)
        return 50000 * (level / 2 + 1);
    return 50000 * (level / 10 + 1);
}

unsigned int MaxGoldStashKept(const unsigned int& level, const std::uint32_t& version) {
    return version == VERSION_110 ? kStashMax : MaxGoldStash(level, version);
}

unsigned int StashLimit(const unsigned int& level, const std::uint32_t& version,
                        const unsigned int& stored) {
    const unsigned int cap = MaxGoldStash(level, version);
    return stored > cap && stored <= MaxGoldStashKept(level, version) ? stored : cap;
}

unsigned int MaxGold_S(const cDocument& ad) {
    const int level = ad.player.level;
    return StashLimit(level < 0 ? 0 : level, DocFormatVersion(ad), ad.loaded.goldStash);
}
