// Every sample version opened, edited, saved and re-read. The expected files are built here
// from each sample's attribute list (taken from the files with a separate script) by an
// encoder and a checksum of the test's own, so no expectation comes from the code under test.
#include <gtest/gtest.h>

#include <cstdint>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Ui.h"
#include "view/UiConsole.h"

namespace {

struct Attr {
    unsigned id;
    std::uint32_t v;
};
using Attrs = std::vector<Attr>;
enum Kind { Classic, Slots, Bits };
const unsigned kWidth[16] = {10, 10, 10, 10, 10, 8, 21, 21, 21, 21, 21, 21, 7, 32, 25, 25};

std::uint32_t Get(const Attrs& a, unsigned id) {
    for (const Attr& x : a)
        if (x.id == id) return x.v;
    return 0;
}

// A changed value replaces the entry, goes in ascending order, or leaves when it is 0.
void Touch(Attrs& a, unsigned id, std::uint32_t v) {
    if (v == Get(a, id)) return;
    auto it = a.begin();
    while (it != a.end() && it->id < id) ++it;
    if (it != a.end() && it->id == id) it = a.erase(it);
    if (v) a.insert(it, {id, v});
}

Bytes Section(const Attrs& a, Kind k) {
    Bytes out;
    if (k != Bits) {
        unsigned mask = 0;
        for (const Attr& x : a) mask |= 1u << x.id;
        out = {Bytes::value_type(mask), Bytes::value_type(mask >> 8)};
        if (k == Classic) out.push_back(0);
        for (const Attr& x : a)
            for (int i = 0; i < 4; ++i) out.push_back((x.v >> (8 * i)) & 0xFF);
        return out;
    }
    unsigned pos = 0;
    auto put = [&](unsigned width, std::uint32_t v) {
        for (unsigned i = 0; i < width; ++i, ++pos) {
            if (pos % 8 == 0) out.push_back(0);
            out[pos / 8] |= ((v >> i) & 1) << (pos % 8);
        }
    };
    for (const Attr& x : a) {
        put(9, x.id);
        put(kWidth[x.id], x.v);
    }
    put(9, 0x1FF);
    return out;
}

std::uint32_t Sum(const Bytes& b) {
    std::uint32_t s = 0;
    for (std::size_t i = 0; i < b.size(); ++i) s = ((s << 1) | (s >> 31)) + (i / 4 == 3 ? 0 : b[i]);
    return s;
}

struct Model {
    Bytes file;  // the bytes outside the attribute section, at their offsets in the input
    Attrs attrs;
    Kind kind;
    unsigned ifAt;
    unsigned At(unsigned classic, unsigned newer) const {
        return kind == Classic ? classic : newer;
    }
    unsigned Shift() const { return At(0, 205); }
    unsigned Name() const { return At(8, file[4] >= 98 ? 267 : 20); }
    Bytes Build() const {
        Bytes out(file.begin(), file.begin() + At(562, 767));
        const Bytes s = Section(attrs, kind);
        out.insert(out.end(), s.begin(), s.end());
        out.insert(out.end(), file.begin() + ifAt, file.end());
        if (kind != Classic) {
            Put32(out, 8, out.size());
            Put32(out, 12, Sum(out));
        }
        return out;
    }
};

const Attrs kBarb = {{0, 30},    {1, 10},    {2, 20},      {3, 25},      {6, 0x3700}, {7, 0x3700},
                     {8, 0xA00}, {9, 0xA00}, {10, 0x5C00}, {11, 0x5C00}, {12, 1}};
// Fractions and current values below the maxima.
const Attrs kFractions = {{0, 30},      {1, 10},      {2, 20},    {3, 25},
                          {6, 0x3680},  {7, 0x37C1},  {8, 0x901}, {9, 0xA7F},
                          {10, 0x5B02}, {11, 0x5CFF}, {12, 1}};

struct Sample {
    const char* file;
    Kind kind;
    unsigned ifAt;
    Attrs attrs;
    bool rebuild;  // the input is the sample with 'attrs' put in
    bool edit;     // run the edits (the classic layout rewrites current values on every save)
};
const Sample kSamples[] = {
    {"d2v107.d2s", Classic, 609, kBarb, false, true},
    {"d2v108.d2s", Classic, 609, kBarb, false, true},
    {"d2v108.d2s", Classic, 609, kFractions, true, false},
    {"d2v109b.d2s", Slots, 813, kBarb, false, true},
    {"d2v109b.d2s", Slots, 813, kFractions, true, true},
    {"d2v110f.d2s", Bits, 803, kBarb, false, true},
    {"d2v110f.d2s", Bits, 803, kFractions, true, true},
    {"96_simple.d2s",
     Bits,
     821,
     {{0, 30},
      {1, 10},
      {2, 20},
      {3, 25},
      {4, 0},
      {5, 0},
      {6, 0x3700},
      {7, 0x3700},
      {8, 0xA00},
      {9, 0xA00},
      {10, 0x5C00},
      {11, 0x5C00},
      {12, 1},
      {13, 0},
      {14, 0},
      {15, 0}},
     false,
     true},
    {"97_Barb_hp3.d2s",
     Bits,
     814,
     {{0, 0x3FF},
      {1, 0x19F},
      {2, 0x3FF},
      {3, 0x3FF},
      {5, 0xFF},
      {6, 0x1A4A00},
      {7, 0x1A4A00},
      {8, 0x1D400},
      {9, 0x1D400},
      {10, 0x1FFFFF},
      {11, 0x1FFFFF},
      {12, 0x37},
      {13, 0x47D09AB},
      {14, 0x1A281}},
     false,
     true},
    {"98_Agelatus.d2s",
     Bits,
     816,
     {{0, 0x51},
      {1, 0x5A},
      {2, 0x32},
      {3, 0xC2},
      {6, 0x21F00},
      {7, 0x20100},
      {8, 0x11300},
      {9, 0x11300},
      {10, 0x14300},
      {11, 0x14300},
      {12, 0x42},
      {13, 0xC48C3CE},
      {14, 0xFFA7},
      {15, 0x2625A0}},
     false,
     true},
    {"99_Wilhelm.d2s", Bits, 803, kBarb, false, true},
};

void Pools(Model& m, unsigned id, unsigned v) {
    for (unsigned i : {id, id + 1}) Touch(m.attrs, i, (v << 8) | (Get(m.attrs, i) & 0xFF));
}

unsigned Quest(const Model& m, int d, unsigned w) { return m.Shift() + 140 + 96 * d + 2 * w; }

// Progress a restart must clear, also where a fresh character has none.
void Dirty(unsigned char* b, const Model& m) {
    for (unsigned i = 512; i < 560; ++i) b[m.Shift() + i] = 0xAB;
    for (int d = 0; d < 3; ++d)
        for (unsigned w = 0; w <= 40; ++w) b[Quest(m, d, w)] = b[Quest(m, d, w) + 1] = 0x11;
    b[m.At(88, 169)] = 9;
    b[m.At(25, 37)] = 7;
}

void Waypoints(Model& m, std::uint32_t low, unsigned char high) {
    for (int d = 0; d < 3; ++d) {
        Put32(m.file, m.Shift() + 438 + 24 * d, low);
        m.file[m.Shift() + 442 + 24 * d] = high;
    }
}

struct Edit {
    const char* what;
    void (*edit)(cAppData&, const Model&);
    void (*expect)(Model&);
};
const Edit kEdits[] = {
    {"nothing", [](cAppData&, const Model&) {}, [](Model&) {}},
    {"stats",
     [](cAppData& ad, const Model&) {
         PlayerData& p = ad.player;
         p.strength = 101, p.energy = 102, p.dexterity = 103, p.vitality = 104;
     },
     [](Model& m) {
         for (unsigned id = 0; id < 4; ++id) Touch(m.attrs, id, 101 + id);
     }},
    {"points",
     [](cAppData& ad, const Model&) { ad.player.statPoints = 7, ad.player.skillPoints = 0; },
     [](Model& m) { Touch(m.attrs, 4, 7), Touch(m.attrs, 5, 0); }},
    {"pools",
     [](cAppData& ad, const Model&) {
         ad.player.life = 300, ad.player.mana = 200, ad.player.stamina = 400;
     },
     [](Model& m) { Pools(m, 6, 300), Pools(m, 8, 200), Pools(m, 10, 400); }},
    {"level", [](cAppData& ad, const Model&) { ad.player.level = 12, ad.player.experience = 5000; },
     [](Model& m) { m.file[m.At(36, 43)] = 12, Touch(m.attrs, 12, 12), Touch(m.attrs, 13, 5000); }},
    {"gold and class",
     [](cAppData& ad, const Model&) {
         ad.player.gold = 999, ad.player.goldStash = 0, ad.player.charClass = 6;
     },
     [](Model& m) { Touch(m.attrs, 14, 999), Touch(m.attrs, 15, 0), m.file[m.At(34, 40)] = 6; }},
    {"revive", [](cAppData& ad, const Model& m) { ad.data[m.At(24, 36)] |= 0x0C; },
     [](Model& m) { m.file[m.At(24, 36)] &= ~0x0C; }},
    {"skills full and a new attribute",
     [](cAppData& ad, const Model&) {
         UiMenuCheck(ad, IDM_SKILLS_FULL, true), ad.player.statPoints = 3;
     },
     [](Model& m) {
         for (unsigned i = 2; i < 32; ++i) m.file[m.ifAt + i] = 20;
         Touch(m.attrs, 4, 3);
     }},
    {"complete", [](cAppData& ad, const Model&) { UiMenuCheck(ad, IDM_COMPLETE, true); },
     [](Model& m) {
         m.file[m.At(25, 37)] = 13;
         Waypoints(m, 0xFFFFFFFF, 0x7F);
         for (int d = 0; d < 3; ++d) {
             for (unsigned w : {1,  2,  3,  4,  5,  6,  9,  10, 11, 12, 13, 14, 17,
                                18, 19, 20, 21, 22, 25, 26, 27, 35, 36, 37, 38, 39})
                 Put16(m.file, Quest(m, d, w), 0x8001);
             for (unsigned w : {1, 2, 3, 4, 25, 35, 36, 37, 38})
                 Put16(m.file, Quest(m, d, w), 0x8006);
             for (unsigned w : {7, 15, 23, 24}) Put16(m.file, Quest(m, d, w), 1);
             m.file[Quest(m, d, 28)] = 1;
         }
     }},
    {"restart",
     [](cAppData& ad, const Model& m) { Dirty(ad.data, m), UiMenuCheck(ad, IDM_RESTART, true); },
     [](Model& m) {
         Dirty(m.file.data(), m);
         m.file[m.At(25, 37)] = 0;
         const Bytes difficulty = m.kind == Classic ? Bytes{0} : Bytes{0x80, 0, 0};
         std::copy(difficulty.begin(), difficulty.end(), m.file.begin() + m.At(88, 168));
         for (unsigned i = 512; i < 560; ++i) m.file[m.Shift() + i] = 0;
         Waypoints(m, 1, 0);
         for (int d = 0; d < 3; ++d) {
             for (unsigned w = 1; w <= 40; ++w)
                 if ((w < 28 || w >= 35) && w != 8 && w != 16) Put16(m.file, Quest(m, d, w), 0);
             for (unsigned w : {0, 8, 16, 28, 32}) m.file[Quest(m, d, w)] = 0;
         }
     }},
    {"save as", [](cAppData& ad, const Model&) { ASSERT_TRUE(DocSetFileName(ad, "Zed.d2s")); },
     [](Model& m) {
         const Bytes name = {'Z', 'e', 'd', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
         std::copy(name.begin(), name.end(), m.file.begin() + m.Name());
     }},
};

bool Load(cAppData& ad, const std::string& path, const Bytes& bytes) {
    WriteBytes(path, bytes);
    if (!DocOpenFile(ad, path.c_str())) return false;
    DocGetData(ad);
    return true;
}

std::vector<unsigned> Shown(const PlayerData& p) {
    return {p.strength, p.energy, p.dexterity, p.vitality,   p.statPoints, p.skillPoints,
            p.life,     p.mana,   p.stamina,   p.experience, p.gold,       p.goldStash};
}

std::vector<unsigned> Expected(const Attrs& a) {
    return {Get(a, 0),      Get(a, 1),      Get(a, 2),       Get(a, 3),  Get(a, 4),  Get(a, 5),
            Get(a, 7) >> 8, Get(a, 9) >> 8, Get(a, 11) >> 8, Get(a, 13), Get(a, 14), Get(a, 15)};
}

}  // namespace

TEST(Codec, EverySampleEditedSavedAndReread) {
    for (const Sample& s : kSamples) {
        const Model original{ReadBytes(TestData(s.file)), s.attrs, s.kind, s.ifAt};
        const Bytes input = s.rebuild ? original.Build() : original.file;
        cAppData ad;
        TempDir dir;
        ASSERT_TRUE(Load(ad, dir / "in.d2s", input)) << s.file;
        EXPECT_EQ(Expected(s.attrs), Shown(ad.player)) << s.file;
        if (!s.edit) continue;
        for (const Edit& e : kEdits) {
            SCOPED_TRACE(std::string(s.file) + ": " + e.what);
            ConsoleResetWindow();
            ASSERT_TRUE(Load(ad, dir / "in.d2s", input));
            Model m = original;
            if (s.rebuild)
                m = {input, s.attrs, s.kind,
                     m.At(562, 767) + unsigned(Section(s.attrs, s.kind).size())};
            e.edit(ad, m);
            e.expect(m);
            DocSetData(ad);
            ASSERT_TRUE(DocSaveFile(ad, (dir / "out.d2s").c_str()));
            EXPECT_EQ(m.Build(), ReadBytes(dir / "out.d2s"));
            const PlayerData edited = ad.player;
            ASSERT_TRUE(Load(ad, dir / "in.d2s", ReadBytes(dir / "out.d2s")));
            EXPECT_EQ(Shown(edited), Shown(ad.player));
            EXPECT_TRUE(DocChecksumOk(ad));
        }
    }
}
