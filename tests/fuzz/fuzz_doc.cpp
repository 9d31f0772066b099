// Any bytes as a save file: load, decode, encode and save, checked by properties that do
// not repeat the codecs:
// - an attribute list encoded and decoded again is the same list (both encodings);
// - a newer-layout file re-encoded untouched keeps every byte;
// - a record within the window's limits, encoded and decoded again, is the same record;
// - a save writes the buffer, with a valid checksum; a file that cannot be written stays.
//
// An input is a header of kHeaderSize choice bytes followed by the file's bytes.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "app/AppData.h"
#include "doc/AttrList.h"
#include "doc/Doc.h"
#include "res/resource.h"
#include "view/Limits.h"
#include "view/Ui.h"

namespace {

using Bytes = std::vector<unsigned char>;
const std::size_t kHeaderSize = 32;
const int kMarks[] = {IDM_RESTART, IDM_COMPLETE, IDM_SKILLS_FULL, IDM_SKILLS_NONE};

std::string TempPath() {
    static const std::string path = "/tmp/velmor-fuzz-doc-" + std::to_string(getpid()) + ".d2s";
    return path;
}

// Removes the temporary file when an input is done; only an input that fails leaves it.
struct TempFile {
    const std::string& path;
    ~TempFile() { std::remove(path.c_str()); }
};

void WriteAll(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_REQUIRE(f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    FUZZ_REQUIRE(std::fclose(f) == 0);
}

Bytes ReadAll(const std::string& path) {
    Bytes bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return bytes;
}

void CheckListRoundTrip(FuzzedDataProvider& in) {
    AttrList list{}, back{};
    const unsigned present = in.ConsumeIntegral<std::uint16_t>();
    for (unsigned id = 0; id < ATTR_COUNT; ++id) {
        if (!((present >> id) & 1)) continue;
        const std::uint32_t v = in.ConsumeIntegral<std::uint32_t>();
        list.id[list.count] = id;
        list.value[list.count++] = kAttrWidth[id] == 32 ? v : v & ((1u << kAttrWidth[id]) - 1);
    }
    unsigned char bytes[ATTR_MAX_BYTES];
    unsigned n = EncodeBits(list, bytes);
    FUZZ_REQUIRE(DecodeBits(bytes, n, back) == n && back == list);
    n = EncodeSlots(list, bytes);
    FUZZ_REQUIRE(DecodeSlots(bytes, n, back) == n && back == list);
}

PlayerData RandomRecord(FuzzedDataProvider& in, const cAppData& ad) {
    const FieldLimits& max = FieldLimitsOf(ad);
    PlayerData p;
    p.charClass = static_cast<signed char>(in.ConsumeIntegralInRange<int>(0, 6));
    p.level = static_cast<signed char>(in.ConsumeIntegralInRange<int>(1, 99));
    p.strength = in.ConsumeIntegralInRange<unsigned>(1, max.stat);
    p.energy = in.ConsumeIntegralInRange<unsigned>(1, max.stat);
    p.dexterity = in.ConsumeIntegralInRange<unsigned>(1, max.stat);
    p.vitality = in.ConsumeIntegralInRange<unsigned>(1, max.stat);
    p.stamina = in.ConsumeIntegralInRange<unsigned short>(1, max.pool);
    p.life = in.ConsumeIntegralInRange<unsigned short>(1, max.pool);
    p.mana = in.ConsumeIntegralInRange<unsigned short>(1, max.pool);
    p.skillPoints = in.ConsumeIntegralInRange<unsigned>(0, max.skillPoints);
    p.statPoints = in.ConsumeIntegralInRange<unsigned>(0, max.statPoints);
    p.gold = in.ConsumeIntegralInRange<unsigned>(0, 10000 * p.level);
    p.goldStash =
        in.ConsumeIntegralInRange<unsigned>(0, MaxGoldStash(p.level, DocFormatVersion(ad)));
    p.experience = in.ConsumeIntegral<std::uint32_t>();
    return p;
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
    const bool identity = choices.ConsumeIntegral<std::uint8_t>() % 4 == 0;
    if (!identity) CheckListRoundTrip(choices);

    cAppData ad;
    if (!DocOpenFile(ad, path.c_str())) return 0;
    FUZZ_REQUIRE(Bytes(ad.data, ad.data + ad.length) == file);
    DocGetData(ad);
    const bool writable = DocVersionWritable(ad);
    const bool newer = DocLayout(ad).codec != Codec::Classic;
    PlayerData rec = ad.loaded;
    if (!identity) {
        const unsigned marks = choices.ConsumeIntegral<std::uint8_t>();
        for (unsigned i = 0; i < 4; ++i)
            if ((marks >> i) & 1) UiMenuCheck(ad, kMarks[i], true);
        rec = RandomRecord(choices, ad);
    }
    ad.player = rec;
    DocSetData(ad);
    const Bytes doc(ad.data, ad.data + ad.length);
    if (identity && newer) FUZZ_REQUIRE(doc == file);
    if (!writable) FUZZ_REQUIRE(doc == file);
    DocGetData(ad);
    if (writable) FUZZ_REQUIRE(!(ad.player != rec));

    const bool saved = DocSaveFile(ad, path.c_str());
    FUZZ_REQUIRE(saved == writable);
    const Bytes onDisk = ReadAll(path);
    FUZZ_REQUIRE(onDisk == (writable ? Bytes(ad.data, ad.data + ad.length) : file));
    if (writable && newer) {
        FUZZ_REQUIRE(DocChecksumOk(ad));
        FUZZ_REQUIRE(onDisk.size() == unsigned(onDisk[8] | onDisk[9] << 8 | onDisk[10] << 16));
    }
    return 0;
}
