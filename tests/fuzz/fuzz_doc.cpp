// Any bytes as a save file: load, decode, encode a record and save.
//
// An input is a header of kHeaderSize choice bytes followed by the file's bytes. The first
// choice says whether the loaded record goes back unchanged with no pending marks (then the
// encoding may touch only the bytes it always rewrites) or a record drawn inside the
// window's limits is encoded together with random pending marks.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Limits.h"
#include "view/Ui.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::size_t kHeaderSize = 32;

const unsigned int kItems = 661;   // nominal offset of the item lists, carried unchanged
const unsigned int kSkills = 631;  // nominal offset of the 30 skill levels
const unsigned int kSkillCount = 30;

// The pending marks, in the order of the bits of the marks choice.
const int kMarks[] = {IDM_RESTART, IDM_COMPLETE, IDM_SKILLS_FULL, IDM_SKILLS_NONE, IDM_MAXGOLD};
bool Marked(unsigned marks, int id) {
    for (unsigned i = 0; i < sizeof kMarks / sizeof kMarks[0]; ++i) {
        if (kMarks[i] == id) return (marks >> i) & 1;
    }
    return false;
}

unsigned Le16(const unsigned char* p) { return p[0] | unsigned(p[1]) << 8; }
std::uint32_t Le32(const unsigned char* p) {
    return p[0] | unsigned(p[1]) << 8 | unsigned(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// Real offset of a nominal one, from the presence bits of the bytes b: 4 less for each
// optional attribute that is absent and whose key lies below the nominal offset.
unsigned Real(const unsigned char* b, unsigned nominal) {
    struct Key {
        unsigned key, byte, mask;
    };
    static const Key keys[] = {{581, 562, 0x10}, {585, 562, 0x20}, {590, 562, 0x40},
                               {617, 563, 0x20}, {621, 563, 0x40}, {625, 563, 0x80}};
    unsigned real = nominal;
    for (const Key& k : keys) {
        if (nominal > k.key && !(b[k.byte] & k.mask)) real -= 4;
    }
    return real;
}

void CheckCalcOffset(cAppData& ad) {
    static const unsigned nominals[] = {565, 581, 585, 590, 594, 598, 602, 606,
                                        610, 613, 617, 621, 625, 631, 661};
    for (unsigned n : nominals) FUZZ_REQUIRE(CalcOffset(ad, n) == Real(ad.data, n));
}

// Bytes from the item lists to the end: negative when a short file ends before them.
long Tail(const Bytes& b) { return long(b.size()) - long(Real(b.data(), kItems)); }

std::string TempPath() {
    static const std::string path = [] {
        // Every successful save syncs its file; on tmpfs that costs nothing.
        struct stat st;
        const bool shm =
            stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0;
        return std::string(shm ? "/dev/shm" : "/tmp") + "/velmor-fuzz-doc-" +
               std::to_string(getpid()) + ".d2s";
    }();
    return path;
}

// Removes the temporary file when an input is done; only an input that fails leaves it.
struct TempFile {
    const std::string& path;
    ~TempFile() { std::remove(path.c_str()); }
};

void WriteAll(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_REQUIRE(f != nullptr);
    FUZZ_REQUIRE(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    FUZZ_REQUIRE(std::fclose(f) == 0);
}

Bytes ReadAll(const std::string& path) {
    Bytes bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    FUZZ_REQUIRE(f != nullptr);
    unsigned char chunk[8192];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

bool Loadable(const Bytes& f) {
    static const unsigned char signature[4] = {0x55, 0xAA, 0x55, 0xAA};
    return f.size() >= 660 && f.size() <= 100000 && std::memcmp(f.data(), signature, 4) == 0;
}

PlayerData RandomRecord(FuzzedDataProvider& in, unsigned char versionByte) {
    PlayerData p;
    p.charClass = static_cast<signed char>(in.ConsumeIntegralInRange<int>(0, 6));
    p.level = static_cast<signed char>(in.ConsumeIntegralInRange<int>(1, 99));
    p.strength = in.ConsumeIntegralInRange<unsigned>(1, 30000);
    p.energy = in.ConsumeIntegralInRange<unsigned>(1, 30000);
    p.dexterity = in.ConsumeIntegralInRange<unsigned>(1, 30000);
    p.vitality = in.ConsumeIntegralInRange<unsigned>(1, 30000);
    p.stamina = in.ConsumeIntegralInRange<unsigned short>(1, 30000);
    p.life = in.ConsumeIntegralInRange<unsigned short>(1, 30000);
    p.mana = in.ConsumeIntegralInRange<unsigned short>(1, 30000);
    p.skillPoints = in.ConsumeIntegralInRange<unsigned>(0, 600);
    p.statPoints = in.ConsumeIntegralInRange<unsigned>(0, 600);
    const unsigned level = static_cast<unsigned>(p.level);
    p.gold = in.ConsumeIntegralInRange<unsigned>(0, 10000 * level);
    p.goldStash = in.ConsumeIntegralInRange<unsigned>(0, MaxGoldStash(level, versionByte));
    p.experience = in.ConsumeIntegral<std::uint32_t>();
    return p;
}

void CheckRecord(const PlayerData& got, const PlayerData& want) {
    FUZZ_REQUIRE(got.charClass == want.charClass);
    FUZZ_REQUIRE(got.level == want.level);
    FUZZ_REQUIRE(got.strength == want.strength);
    FUZZ_REQUIRE(got.energy == want.energy);
    FUZZ_REQUIRE(got.dexterity == want.dexterity);
    FUZZ_REQUIRE(got.vitality == want.vitality);
    FUZZ_REQUIRE(got.stamina == want.stamina);
    FUZZ_REQUIRE(got.life == want.life);
    FUZZ_REQUIRE(got.mana == want.mana);
    FUZZ_REQUIRE(got.skillPoints == want.skillPoints);
    FUZZ_REQUIRE(got.statPoints == want.statPoints);
    FUZZ_REQUIRE(got.gold == want.gold);
    FUZZ_REQUIRE(got.goldStash == want.goldStash);
    FUZZ_REQUIRE(got.experience == want.experience);
}

// The file f encoded again from its own record with no marks. Worked out from the layout:
// a dead hardcore character is revived; the level attribute takes byte 36; stat and skill
// points are read as 16 bits and written as 32, which clears their slot bytes 2-3; the
// current life, mana and stamina take the integer part of their maximum; a present life is
// written as four bytes from its slot byte 1, clearing its slot byte 3 and the fraction byte
// of maximum life. False when a slot would come or go (a present optional attribute that
// reads as 0, or life absent while maximum life is not 0): the file changes shape then.
bool Reencoded(const Bytes& f, Bytes& e) {
    const unsigned char* b = f.data();
    auto present = [&](unsigned byte, unsigned mask) { return (b[byte] & mask) != 0; };
    const bool stat = present(562, 0x10), skill = present(562, 0x20), life = present(562, 0x40);
    const bool maxLife = Le16(b + Real(b, 594)) != 0;
    if ((stat && Le16(b + 581) == 0) || (skill && Le16(b + Real(b, 585)) == 0) || life != maxLife)
        return false;
    if ((present(563, 0x20) && Le32(b + Real(b, 617)) == 0) ||
        (present(563, 0x40) && Le32(b + Real(b, 621)) == 0) ||
        (present(563, 0x80) && Le32(b + Real(b, 625)) == 0))
        return false;
    e = f;
    if ((e[24] & 0x0C) == 0x0C) e[24] &= ~0x0C;
    e[Real(b, 613)] = b[36];
    if (stat) e[583] = e[584] = 0;
    if (skill) e[Real(b, 585) + 2] = e[Real(b, 585) + 3] = 0;
    if (life) {
        const unsigned at = Real(b, 590), max = Real(b, 594);
        e[at] = b[max];
        e[at + 1] = b[max + 1];
        e[at + 2] = 0;
        e[at + 3] = 0;
    }
    for (unsigned pair : {598u, 606u}) {
        e[Real(b, pair)] = b[Real(b, pair + 4)];
        e[Real(b, pair) + 1] = b[Real(b, pair + 4) + 1];
    }
    return true;
}

bool ProgressArea(unsigned i) {
    return i == 25 || i == 88 || (i >= 140 && i < 428) || (i >= 436 && i < 508) || i >= 512;
}

// Everything in front of the slots: only the status, class and level bytes, the areas of a
// pending game action and the optional presence bits may change, and those bits must say
// which optional values are not zero.
void CheckFront(const Bytes& f, const Bytes& a, const PlayerData& rec, unsigned marks) {
    const bool game = Marked(marks, IDM_COMPLETE) || Marked(marks, IDM_RESTART);
    for (unsigned i = 0; i < 565; ++i) {
        if (i == 24 || i == 34 || i == 36 || i == 562 || i == 563) continue;
        if (game && ProgressArea(i) && i < 560) continue;
        FUZZ_REQUIRE(a[i] == f[i]);
    }
    const unsigned char status = (f[24] & 0x0C) == 0x0C ? f[24] & ~0x0C : f[24];
    FUZZ_REQUIRE(a[24] == status);
    FUZZ_REQUIRE(a[34] == static_cast<unsigned char>(rec.charClass));
    FUZZ_REQUIRE(a[36] == static_cast<unsigned char>(rec.level));
    FUZZ_REQUIRE((a[562] & 0x8F) == (f[562] & 0x8F));
    FUZZ_REQUIRE((a[563] & 0x1F) == (f[563] & 0x1F));
    FUZZ_REQUIRE(((a[562] & 0x10) != 0) == (rec.statPoints != 0));
    FUZZ_REQUIRE(((a[562] & 0x20) != 0) == (rec.skillPoints != 0));
    FUZZ_REQUIRE(((a[562] & 0x40) != 0) == (rec.life != 0));
    FUZZ_REQUIRE(((a[563] & 0x20) != 0) == (rec.experience != 0));
    FUZZ_REQUIRE(((a[563] & 0x40) != 0) == (rec.gold != 0));
    FUZZ_REQUIRE(((a[563] & 0x80) != 0) == (rec.goldStash != 0));
    // The low words of the four base attributes are the record's, their high words kept.
    const unsigned base[] = {rec.strength, rec.energy, rec.dexterity, rec.vitality};
    for (unsigned k = 0; k < 4; ++k) {
        FUZZ_REQUIRE(Le16(&a[565 + 4 * k]) == (base[k] & 0xFFFF));
        FUZZ_REQUIRE(Le16(&a[567 + 4 * k]) == Le16(&f[567 + 4 * k]));
    }
    FUZZ_REQUIRE(a[Real(a.data(), 613)] == static_cast<unsigned char>(rec.level));
}

// What decoding does not read back: the current life, mana and stamina (their maxima are
// what is read) and the upper bytes of the stat and skill points.
void CheckSlots(const Bytes& a, const PlayerData& rec) {
    const unsigned char* b = a.data();
    FUZZ_REQUIRE(Le16(b + Real(b, 598)) == rec.mana);
    FUZZ_REQUIRE(Le16(b + Real(b, 606)) == rec.stamina);
    if (rec.life != 0) {
        const unsigned at = Real(b, 590);
        FUZZ_REQUIRE(Le16(b + at) == rec.life && b[at + 2] == 0 && b[at + 3] == 0);
    }
    if (rec.statPoints != 0) FUZZ_REQUIRE(Le32(b + 581) == rec.statPoints);
    if (rec.skillPoints != 0) FUZZ_REQUIRE(Le32(b + Real(b, 585)) == rec.skillPoints);
}

void CheckActions(const Bytes& f, const Bytes& a, unsigned marks) {
    if (Marked(marks, IDM_COMPLETE) || Marked(marks, IDM_RESTART)) {
        const bool complete = Marked(marks, IDM_COMPLETE);
        FUZZ_REQUIRE(a[25] == (complete ? 13 : 0));
        for (unsigned block : {436u, 460u, 484u}) {
            FUZZ_REQUIRE(Le32(&a[block + 2]) == (complete ? 0xFFFFFFFFu : 1u));
            FUZZ_REQUIRE(a[block + 6] == (complete ? 0x7F : 0));
        }
        // Completing keeps the last act 5 quest word and the introductions; restarting
        // clears both.
        for (unsigned base : {0u, 96u, 192u}) {
            for (unsigned at : {220u, 221u, 140u, 156u, 172u, 204u})
                FUZZ_REQUIRE(a[base + at] == (complete ? f[base + at] : 0));
        }
        if (!complete) {
            FUZZ_REQUIRE(a[88] == 0);
            for (unsigned i = 512; i < 560; ++i) FUZZ_REQUIRE(a[i] == 0);
        }
    }
    if (Marked(marks, IDM_SKILLS_FULL) || Marked(marks, IDM_SKILLS_NONE)) {
        const unsigned char level = Marked(marks, IDM_SKILLS_FULL) ? 20 : 0;
        const unsigned first = Real(a.data(), kSkills);
        const unsigned end = std::min<std::size_t>(first + kSkillCount, a.size());
        for (unsigned i = first; i < end; ++i) FUZZ_REQUIRE(a[i] == level);
    }
}

void CheckTail(const Bytes& f, const Bytes& a) {
    const long tail = Tail(f);
    FUZZ_REQUIRE(Tail(a) == tail);
    if (tail > 0) {
        FUZZ_REQUIRE(std::memcmp(&a[Real(a.data(), kItems)], &f[Real(f.data(), kItems)],
                                 static_cast<std::size_t>(tail)) == 0);
    }
}

void CheckSave(cAppData& ad, const std::string& path, const Bytes& file, const Bytes& doc) {
    const std::uint32_t version = Le32(&file[4]);
    ConsoleClearMessages();
    const bool saved = DocSaveFile(ad, path.c_str());
    const Bytes onDisk = ReadAll(path);
    if (version == 87 || version == 89) {
        FUZZ_REQUIRE(saved);
        FUZZ_REQUIRE(onDisk == doc);
        FUZZ_REQUIRE(ConsoleMessages().empty());
    } else {
        FUZZ_REQUIRE(!saved);
        FUZZ_REQUIRE(onDisk == file);
        FUZZ_REQUIRE(ConsoleMessages().size() == 1);
    }
    FUZZ_REQUIRE(access((path + ".velmortmp").c_str(), F_OK) != 0);
    FUZZ_REQUIRE(Bytes(ad.data, ad.data + ad.length) == doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    const std::size_t headerSize = std::min(size, kHeaderSize);
    FuzzedDataProvider choices(data, headerSize);
    const Bytes file(data + headerSize, data + size);
    const std::string& path = TempPath();
    const TempFile cleanup{path};
    WriteAll(path, file);

    cAppData ad;
    const bool opened = DocOpenFile(ad, path.c_str());
    FUZZ_REQUIRE(opened == Loadable(file));
    FUZZ_REQUIRE(ConsoleMessages().empty());
    if (!opened) {
        FUZZ_REQUIRE(ad.data == nullptr && ad.length == 0 && ad.filename == "");
        return 0;
    }
    FUZZ_REQUIRE(ad.filename == path.c_str());
    FUZZ_REQUIRE(Bytes(ad.data, ad.data + ad.length) == file);
    CheckCalcOffset(ad);
    DocGetData(ad);
    FUZZ_REQUIRE(!(ad.player != ad.loaded));
    FUZZ_REQUIRE(ad.player.level == static_cast<signed char>(file[36]));
    FUZZ_REQUIRE(ad.player.charClass == static_cast<signed char>(file[34]));

    const bool identity = choices.ConsumeIntegral<std::uint8_t>() % 4 == 0;
    unsigned marks = 0;
    PlayerData rec = ad.loaded;
    if (!identity) {
        marks = choices.ConsumeIntegral<std::uint8_t>() & 0x1F;
        rec = RandomRecord(choices, file[4]);
        for (unsigned i = 0; i < sizeof kMarks / sizeof kMarks[0]; ++i)
            if ((marks >> i) & 1) UiMenuCheck(ad, kMarks[i], true);
    }
    ad.player = rec;
    Bytes expected;
    const bool sameShape = identity && Reencoded(file, expected);

    DocSetData(ad);
    const Bytes doc(ad.data, ad.data + ad.length);
    CheckCalcOffset(ad);
    CheckTail(file, doc);
    CheckFront(file, doc, rec, marks);
    CheckSlots(doc, rec);
    CheckActions(file, doc, marks);
    if (sameShape) FUZZ_REQUIRE(doc == expected);

    DocGetData(ad);
    CheckRecord(ad.player, rec);
    CheckSave(ad, path, file, doc);
    return 0;
}
