// Any bytes as a save file: load, decode, encode and save, checked by properties that do
// not repeat the codecs:
// - a newer-layout file of a living character re-encoded untouched keeps every byte;
// - a record the window accepts, encoded and decoded again, is the same record;
// - a save writes the buffer, with a valid checksum; a file that cannot be written stays;
// - the file written is sound, and the game finds no problem in it that the input lacked.
//
// An input is a header of kHeaderSize choice bytes followed by the file's bytes.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "Bytes.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/DocCheck.h"
#include "doc/Layout.h"
#include "res/resource.h"
#include "support/mbConsole.h"
#include "view/Fields.h"
#include "view/Marks.h"

namespace {

// A violated property aborts the run like a crash, so libFuzzer keeps the input.
#define FUZZ_REQUIRE(cond) \
    ((cond) ? void() : (std::fprintf(stderr, "property violated: %s\n", #cond), std::abort()))

const std::size_t kHeaderSize = 32;
const int kMarks[] = {IDM_RESTART, IDM_COMPLETE, IDM_SKILLS_FULL, IDM_SKILLS_NONE};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every input starts with no messages, and none is printed.
    [[maybe_unused]] static const bool quiet = (ConsoleEchoMessages(false), true);
    ConsoleClearMessages();
    const std::size_t headerSize = std::min(size, kHeaderSize);
    FuzzedDataProvider choices(data, headerSize);
    const Bytes file(data + headerSize, data + size);
    static const std::string path = "/tmp/velmor-fuzz-doc-" + std::to_string(getpid()) + ".d2s";
    WriteBytes(path, file);
    const bool identity = choices.ConsumeIntegral<std::uint8_t>() % 4 == 0;
    cAppData ad;
    if (!DocOpenFile(ad, path.c_str())) return 0;
    FUZZ_REQUIRE(Bytes(ad.data, ad.data + ad.length) == file);
    DocGetData(ad);
    std::set<std::string> problems;
    for (const GameProblem& p : DocCheck(ad)) problems.insert(p.rule);
    const bool writable = DocVersionWritable(ad);
    const bool newer = DocLayout(ad).codec != Codec::Classic;
    // Every save revives a dead hardcore character, so only a living one keeps its bytes.
    const unsigned char deadHardcore = STATUS_HARDCORE | STATUS_DIED;
    const bool revived = (file[DocLayout(ad).status] & deadHardcore) == deadHardcore;
    if (!identity) {
        const unsigned marks = choices.ConsumeIntegral<std::uint8_t>();
        for (unsigned i = 0; i < 4; ++i)
            if ((marks >> i) & 1) EditSwitchMark(ad.edit, kMarks[i]);
        // The window's own rules bring any typed number within the version's limits.
        const int classSel = choices.ConsumeIntegralInRange<int>(0, DocClassCount(ad) - 1);
        FieldTexts typed;
        for (std::string& text : typed)
            text = std::to_string(choices.ConsumeIntegral<std::uint32_t>());
        FieldsRead(ad, classSel, typed);
    }
    const PlayerData rec = ad.player;
    DocSetData(ad);
    if ((identity && newer && !revived) || !writable)
        FUZZ_REQUIRE(Bytes(ad.data, ad.data + ad.length) == file);
    DocGetData(ad);
    if (writable) FUZZ_REQUIRE(!(ad.player != rec));

    FUZZ_REQUIRE(DocSaveFile(ad, path.c_str()) == writable);
    const Bytes onDisk = ReadBytes(path);
    FUZZ_REQUIRE(onDisk == (writable ? Bytes(ad.data, ad.data + ad.length) : file));
    if (writable && newer)
        FUZZ_REQUIRE(DocChecksumOk(ad) &&
                     onDisk.size() == unsigned(onDisk[8] | onDisk[9] << 8 | onDisk[10] << 16));
    cAppData saved;
    if (writable && DocOpenFile(saved, path.c_str())) {
        DocGetData(saved);
        FUZZ_REQUIRE(DocVersionWritable(saved));
        for (const GameProblem& p : DocCheck(saved)) FUZZ_REQUIRE(problems.count(p.rule));
    }
    std::remove(path.c_str());
    return 0;
}
