// Every sample version opened, edited, saved and re-read. The expected files are built here
// from each sample's attribute list (taken from the files with a separate script) by an
// encoder and a checksum of the test's own, so no expectation comes from the code under test.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>

#include "TestUtil.h"
#include "core/AppData.h"
#include "doc/AttrList.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Marks.h"

namespace {

using Attrs = std::map<unsigned, std::uint32_t>;  // attribute id to value, ids ascending
enum Kind { Classic, Slots, Bits };
const unsigned kWidth[16] = {10, 10, 10, 10, 10, 8, 21, 21, 21, 21, 21, 21, 7, 32, 25, 25};

std::uint32_t Get(const Attrs& a, unsigned id) { return a.count(id) ? a.at(id) : 0; }

// A changed value replaces the entry or is added; a value changed to 0 leaves.
void Touch(Attrs& a, unsigned id, std::uint32_t v) {
    if (v != Get(a, id)) a.erase(id);
    if (v && !a.count(id)) a[id] = v;
}

Bytes Section(const Attrs& a, Kind k) {
    Bytes out;
    if (k != Bits) {
        unsigned mask = 0;
        for (const auto& x : a) mask |= 1u << x.first;
        out = {Bytes::value_type(mask), Bytes::value_type(mask >> 8)};
        if (k == Classic) out.push_back(0);
        for (const auto& x : a)
            for (int i = 0; i < 4; ++i) out.push_back((x.second >> (8 * i)) & 0xFF);
        return out;
    }
    unsigned pos = 0;
    auto put = [&](unsigned width, std::uint32_t v) {
        out.resize((pos + width + 7) / 8);
        out = WithBits(out, pos, width, v), pos += width;
    };
    for (const auto& x : a) put(9, x.first), put(kWidth[x.first], x.second);
    put(9, 0x1FF);
    return out;
}

// Where a version keeps the header fields, and how far its sections lie behind the classic
// ones: from the save formats' documented offsets.
struct Places {
    unsigned shift, status, progression, cls, level, diff, diffLen, name;  // diff: difficulty
};
Places PlacesOf(unsigned version) {
    if (version < 92) return {0, 24, 25, 34, 36, 88, 1, 8};
    if (version == 105) return {273, 20, 21, 24, 27, 152, 3, 299};
    return {205, 36, 37, 40, 43, 168, 3, version >= 98 ? 267u : 20u};
}

struct Model {
    Bytes file;  // the bytes outside the attribute section, at their offsets in the input
    Attrs attrs;
    Kind kind;
    unsigned ifAt;
    Places p = PlacesOf(file[4]);
    Bytes Build() const {
        Bytes out(file.begin(), file.begin() + 562 + p.shift);
        const Bytes s = Section(attrs, kind);
        out.insert(out.end(), s.begin(), s.end());
        out.insert(out.end(), file.begin() + ifAt, file.end());
        return kind == Classic ? out : Sealed(out);
    }
};

const Attrs kBarb = {{0, 30},    {1, 10},    {2, 20},      {3, 25},      {6, 0x3700}, {7, 0x3700},
                     {8, 0xA00}, {9, 0xA00}, {10, 0x5C00}, {11, 0x5C00}, {12, 1}};
// Fractions and current values below the maxima.
const Attrs kFractions = {{0, 30},    {1, 10},      {2, 20},      {3, 25},
                          {5, 3},     {6, 0x3680},  {7, 0x37C1},  {8, 0x901},
                          {9, 0xA7F}, {10, 0x5B02}, {11, 0x5CFF}, {12, 1}};
// Classic slots removed by a zero (skill points, stash gold) and inserted before others and
// before the tail; without life (a dead character's), every optional value outgrows the
// spare room of the document.
const Attrs kPoints = {{0, 30},      {1, 10},     {2, 20},    {3, 25},    {5, 3},
                       {6, 0x3700},  {7, 0x3700}, {8, 0xA00}, {9, 0xA00}, {10, 0x5C00},
                       {11, 0x5C00}, {12, 1},     {15, 90}};
const Attrs kNoLife = {{0, 30},    {1, 10},    {2, 20},      {3, 25},      {7, 0x3700},
                       {8, 0xA00}, {9, 0xA00}, {10, 0x5C00}, {11, 0x5C00}, {12, 1}};

// With kFractions, kPoints or kNoLife the input is the sample with those attributes put in; the
// classic layout rewrites a typed pool's current value whole, so kFractions is there only
// decoded.
struct Input {
    const char* file;
    Kind kind;
    unsigned ifAt;
    const Attrs& attrs;
};
const Attrs kSimple = {{0, 30},     {1, 10},     {2, 20},    {3, 25},    {4, 0},       {5, 0},
                       {6, 0x3700}, {7, 0x3700}, {8, 0xA00}, {9, 0xA00}, {10, 0x5C00}, {11, 0x5C00},
                       {12, 1},     {13, 0},     {14, 0},    {15, 0}};
const Attrs kBarb55 = {{0, 0x3FF},     {1, 0x19F},    {2, 0x3FF},      {3, 0x3FF},   {5, 0xFF},
                       {6, 0x1A4A00},  {7, 0x1A4A00}, {8, 0x1D400},    {9, 0x1D400}, {10, 0x1FFFFF},
                       {11, 0x1FFFFF}, {12, 0x37},    {13, 0x47D09AB}, {14, 0x1A281}};
const Attrs kAgelatus = {{0, 0x51},    {1, 0x5A},       {2, 0x32},    {3, 0xC2},     {6, 0x21F00},
                         {7, 0x20100}, {8, 0x11300},    {9, 0x11300}, {10, 0x14300}, {11, 0x14300},
                         {12, 0x42},   {13, 0xC48C3CE}, {14, 0xFFA7}, {15, 0x2625A0}};
const Input kSamples[] = {
    {"d2v108.d2s", Classic, 609, kBarb},         {"d2v108.d2s", Classic, 609, kFractions},
    {"d2v109b.d2s", Slots, 813, kBarb},          {"d2v109b.d2s", Slots, 813, kFractions},
    {"d2v110f.d2s", Bits, 803, kBarb},           {"96_simple.d2s", Bits, 821, kSimple},
    {"97_Barb_hp3.d2s", Bits, 814, kBarb55},     {"98_Agelatus.d2s", Bits, 816, kAgelatus},
    {"99_Wilhelm.d2s", Bits, 803, kBarb},        {"105_barbclassic.d2s", Bits, 871, kBarb},
    {"105_barbrotw.d2s", Bits, 871, kFractions}, {"d2v108.d2s", Classic, 609, kPoints},
    {"d2v108.d2s", Classic, 609, kNoLife},
};

// A pseudo mark: Save As "Zed.d2s" with class 6. Every mark also gets the progress a
// restart clears and a dead hardcore character to revive.
const unsigned kSaveAs = 1;
struct Edit {
    const char* what;
    Attrs set;  // typed values by attribute id; life, mana and stamina by their maximum's
    unsigned mark;
};
const Edit kEdits[] = {
    {"nothing", {}, 0},
    {"stats", {{0, 101}, {1, 102}, {2, 103}, {3, 104}}, 0},
    {"points and skills", {{4, 7}, {5, 0}}, IDM_SKILLS_FULL},
    {"pools", {{7, 300}, {9, 200}, {11, 400}}, 0},
    {"level and gold", {{12, 12}, {13, 5000}, {14, 999}, {15, 0}}, 0},
    {"every optional value", {{4, 7}, {5, 9}, {7, 300}, {13, 5000}, {14, 999}, {15, 777}}, 0},
    {"complete", {}, IDM_COMPLETE},
    {"restart", {}, IDM_RESTART},
    {"save as and class", {}, kSaveAs},
};

// The record's field of each attribute id (life, mana and stamina by their maximum's).
void SetField(PlayerData& p, unsigned id, unsigned v) {
    unsigned* ints[] = {&p.strength,    &p.energy,     &p.dexterity, &p.vitality, &p.statPoints,
                        &p.skillPoints, &p.experience, &p.gold,      &p.goldStash};
    unsigned short* pools[] = {&p.life, &p.mana, &p.stamina};
    if (id < 6 || id > 12) *ints[id < 6 ? id : id - 7] = v;
    if (id == 12) p.level = static_cast<signed char>(v);
    if (id == 7 || id == 9 || id == 11) *pools[(id - 7) / 2] = static_cast<unsigned short>(v);
}

std::vector<unsigned> Shown(const PlayerData& p) {
    return {p.strength, p.energy, p.dexterity, p.vitality,   p.statPoints, p.skillPoints,
            p.life,     p.mana,   p.stamina,   p.experience, p.gold,       p.goldStash};
}

unsigned Quest(const Model& m, int d, unsigned w) { return m.p.shift + 140 + 96 * d + 2 * w; }

// Progress a restart must clear and a dead hardcore character to revive.
void Dirty(unsigned char* b, const Model& m) {
    for (unsigned i = 512; i < 560; ++i) b[m.p.shift + i] = 0xAB;
    for (int d = 0; d < 3; ++d)
        for (unsigned w = 0; w <= 40; ++w) b[Quest(m, d, w)] = b[Quest(m, d, w) + 1] = 0x11;
    b[m.p.diff + m.p.diffLen / 2] = 9;
    b[m.p.progression] = 7;
    b[m.p.status] |= 0x0C;
}

void Waypoints(Model& m, std::uint32_t low, unsigned char high) {
    for (int d = 0; d < 3; ++d) {
        Put32(m.file, m.p.shift + 438 + 24 * d, low), m.file[m.p.shift + 442 + 24 * d] = high;
        Put16(m.file, m.p.shift + 436 + 24 * d, 0x102);  // the head the game keeps them under
    }
}

void Complete(Model& m) {
    m.file[m.p.progression] = 13;
    Waypoints(m, 0xFFFFFFFF, 0x7F);
    for (int d = 0; d < 3; ++d) {
        for (unsigned w = 1; w <= 39; ++w)
            if ((w < 28 && w % 8 && w % 8 != 7) || w >= 35) Put16(m.file, Quest(m, d, w), 0x8001);
        for (unsigned w : {1, 2, 3, 4, 25, 35, 36, 37, 38}) Put16(m.file, Quest(m, d, w), 0x8006);
        for (unsigned w : {7, 15, 23, 24}) Put16(m.file, Quest(m, d, w), 1);
        m.file[Quest(m, d, 28)] = 1;
    }
}

void Restart(Model& m) {
    m.file[m.p.progression] = 0;
    for (unsigned i = 0; i < m.p.diffLen; ++i) m.file[m.p.diff + i] = i || !m.p.shift ? 0 : 0x80;
    for (unsigned i = 512; i < 560; ++i) m.file[m.p.shift + i] = 0;
    Waypoints(m, 1, 0);
    for (int d = 0; d < 3; ++d) {
        for (unsigned w = 1; w <= 40; ++w)
            if ((w < 28 || w >= 35) && w != 8 && w != 16) Put16(m.file, Quest(m, d, w), 0);
        for (unsigned w : {0, 8, 16, 28, 32}) m.file[Quest(m, d, w)] = 0;
    }
}

void Expect(const Edit& e, Model& m) {
    if (e.mark) Dirty(m.file.data(), m), m.file[m.p.status] &= ~0x0C;
    for (const auto& [typed, v] : e.set) {
        const bool pool = typed >= 7 && typed <= 11;  // current and maximum keep their fractions
        for (unsigned id = typed - pool; id <= typed; ++id)
            Touch(m.attrs, id, pool ? (v << 8) | (Get(m.attrs, id) & 0xFF) : v);
        if (typed == 12) m.file[m.p.level] = v;
    }
    if (e.mark && m.kind != Classic) Touch(m.attrs, 6, Get(m.attrs, 7));  // revived: life full
    if (e.mark == IDM_SKILLS_FULL) std::fill(&m.file[m.ifAt + 2], &m.file[m.ifAt + 32], 20);
    if (e.mark == IDM_COMPLETE) Complete(m);
    if (e.mark == IDM_RESTART) Restart(m);
    if (e.mark == kSaveAs) {
        m.file = Named(m.file, "Zed", m.p.name);
        m.file[m.p.cls] = 6;
    }
}

}  // namespace

TEST(Codec, EverySampleEditedSavedAndReread) {
    for (const Input& s : kSamples) {
        const Model original{Sample(s.file), s.attrs, s.kind, s.ifAt};
        const bool rebuild =
            &s.attrs == &kFractions || &s.attrs == &kPoints || &s.attrs == &kNoLife;
        Bytes input = original.file;
        if (rebuild) input = original.Build(), input.back() = 0xEE;  // a tail a removal clears
        cAppData ad;
        TempDir dir;
        ASSERT_TRUE(LoadDoc(ad, input)) << s.file;
        PlayerData want;  // life, mana and stamina from the maxima
        for (const auto& [id, v] : s.attrs) SetField(want, id, id > 6 && id < 12 ? v >> 8 : v);
        EXPECT_EQ(Shown(want), Shown(ad.player)) << s.file;
        if (&s.attrs == &kFractions && s.kind == Classic) continue;
        for (const Edit& e : kEdits) {
            ASSERT_TRUE(LoadDoc(ad, input));
            Model m = original;
            if (rebuild) m.file = input, m.ifAt = 562 + m.p.shift + Section(m.attrs, m.kind).size();
            if (s.kind == Classic && e.mark) m.attrs.emplace(6, m.attrs.at(7) & ~0xFFu);  // revived
            for (const auto& a : e.set) SetField(ad.player, a.first, a.second);
            if (e.mark > kSaveAs) EditSwitchMark(ad.edit, e.mark);
            if (e.mark) Dirty(ad.data, m);
            if (e.mark == kSaveAs) ad.player.charClass = 6, DocSetFileName(ad, "Zed.d2s");
            Expect(e, m);
            DocSetData(ad);
            ASSERT_TRUE(DocSaveFile(ad, (dir / "out.d2s").c_str()));
            EXPECT_EQ(m.Build(), ReadBytes(dir / "out.d2s")) << s.file << ": " << e.what;
            const std::vector<unsigned> edited = Shown(ad.player);
            ASSERT_TRUE(LoadDoc(ad, ReadBytes(dir / "out.d2s")));
            EXPECT_EQ(edited, Shown(ad.player)) << s.file << ": " << e.what;
        }
    }
}

// Random edits of an attribute list against a map: each list encodes to the test's own
// section bytes, decodes back from exactly those bytes and from no fewer.
TEST(Codec, AttributeListsFollowAModelThroughRandomEdits) {
    std::mt19937 random(19);
    for (int round = 0; round < 300; ++round) {
        AttrList list{};
        Attrs model;
        for (int step = 0; step < 48; ++step) {
            const unsigned id = random() % 16;
            const std::uint32_t v = random() % 8 ? random() >> (32 - kWidth[id]) : 0;
            AttrSet(list, id, v);
            Touch(model, id, v);
            for (Kind k : {Slots, Bits}) {
                unsigned char bytes[ATTR_MAX_BYTES];
                const auto decode = k == Bits ? DecodeBits : DecodeSlots;
                const unsigned n = k == Bits ? EncodeBits(list, bytes) : EncodeSlots(list, bytes);
                AttrList back;
                ASSERT_EQ(Section(model, k), Bytes(bytes, bytes + n)) << round << " " << step;
                EXPECT_TRUE(decode(bytes, n, back) == n && back == list) << round << " " << step;
                EXPECT_EQ(0u, decode(bytes, n - 1, back)) << round << " " << step;
            }
        }
    }
}
