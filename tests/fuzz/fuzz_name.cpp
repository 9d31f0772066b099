// Character names from file names: every NUL-separated piece of the input is given to
// DocSetFileName, in turn, on one new character, so that later names are written over
// earlier ones.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "res/resource.h"

namespace {

using Bytes = std::vector<unsigned char>;

const unsigned kNameAt = 8;
const unsigned kNameField = 15;  // bytes 8-22; byte 23 is never written
const std::size_t kPathBuffer = 259;

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The file name without its extension: cut at the last dot, a dot at index 0 not counting.
std::string WithoutExt(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The message of the first rule the base name breaks, or "" when it is a valid name.
std::string Rejection(const std::string& base) {
    if (base.size() > kNameField) return "max len 15";
    if (base.size() < 2) return "min len 2";
    for (char c : base) {
        if (!Letter(c)) return "only letters";
    }
    return "";
}

void CheckOne(cAppData& ad, const std::string& name) {
    const Bytes before(ad.data, ad.data + ad.length);
    const unsigned length = ad.length;
    const std::vector<char> text = ExactCopy(name);
    ConsoleClearMessages();
    const bool ok = DocSetFileName(ad, text.data());
    const Bytes after(ad.data, ad.data + ad.length);
    FUZZ_REQUIRE(ad.length == length);

    // Longer names pass through a 259-character buffer; how they are cut is not fixed, so
    // for them only the shape of the result is checked.
    const bool exact = name.size() <= kPathBuffer;
    const std::string base = WithoutExt(name);
    if (exact) FUZZ_REQUIRE(ok == Rejection(base).empty());

    if (!ok) {
        FUZZ_REQUIRE(after == before);
        FUZZ_REQUIRE(ConsoleMessages().size() == 1);
        const std::string& shown = ConsoleMessages()[0];
        if (exact) {
            FUZZ_REQUIRE(shown == Rejection(base));
        } else {
            FUZZ_REQUIRE(shown == "max len 15" || shown == "min len 2" || shown == "only letters");
        }
        return;
    }
    FUZZ_REQUIRE(ConsoleMessages().empty());
    const char* field = reinterpret_cast<const char*>(&after[kNameAt]);
    const std::string written(field, strnlen(field, kNameField));
    FUZZ_REQUIRE(written.size() >= 2 && written.size() <= kNameField);
    for (char c : written) FUZZ_REQUIRE(Letter(c));
    for (unsigned i = kNameAt + written.size(); i < kNameAt + kNameField; ++i)
        FUZZ_REQUIRE(after[i] == 0);
    if (exact) {
        FUZZ_REQUIRE(written == base);
    } else {
        FUZZ_REQUIRE(name.compare(0, written.size(), written) == 0);
        FUZZ_REQUIRE(name[written.size()] == '.');
    }
    for (unsigned i = 0; i < length; ++i) {
        if (i < kNameAt || i >= kNameAt + kNameField) FUZZ_REQUIRE(after[i] == before[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    cAppData ad;
    FUZZ_REQUIRE(DocOpenNewFile(ad, IDM_NEW_AMAZONE));
    for (const std::string& name : SplitAtNul(data, size, 8)) CheckOne(ad, name);
    return 0;
}
