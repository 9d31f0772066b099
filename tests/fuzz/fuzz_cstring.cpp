// cString driven by a sequence of operations read from the input, mirrored on a
// std::string. After every operation the text, its terminator and the length must match
// the model, and the capacity must hold the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzUtil.h"
#include "support/cString.h"

namespace {

enum Op {
    kAssign,
    kAppend,
    kAdd,
    kPushChar,
    kPushText,
    kClear,
    kTrim,
    kZero,
    kWriteInPlace,
    kUp,
    kCompare,
    kIndex,
    kOpCount
};

// A text as a C string holds it: up to its first NUL.
std::string Text(FuzzedDataProvider& in) {
    const std::string s = in.ConsumeRandomLengthString(300);
    return s.substr(0, s.find('\0'));
}

void CheckSame(const cString& s, const std::string& model) {
    FUZZ_REQUIRE(s.cstr() != nullptr);
    FUZZ_REQUIRE(s.GetSize() == model.size());
    FUZZ_REQUIRE(s.len() == model.size());
    FUZZ_REQUIRE(s.capacity() >= s.GetSize());
    // Characters added one by one may include NUL, so compare bytes and the terminator.
    FUZZ_REQUIRE(std::memcmp(s.cstr(), model.c_str(), model.size() + 1) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    FuzzedDataProvider in(data, size);
    const unsigned capacity = in.ConsumeIntegralInRange<unsigned>(0, 300);
    const bool withText = in.ConsumeBool();
    std::string model = withText ? Text(in) : std::string();
    cString s(withText ? model.c_str() : nullptr, capacity);
    CheckSame(s, model);

    for (int steps = 0; steps < 200 && in.remaining_bytes() > 0; ++steps) {
        switch (in.ConsumeIntegralInRange<int>(0, kOpCount - 1)) {
            case kAssign: {
                const std::string t = Text(in);
                s = t.c_str();
                model = t;
                break;
            }
            case kAppend: {
                const std::string t = Text(in);
                s += t.c_str();
                model += t;
                break;
            }
            case kAdd: {
                const char c = in.ConsumeIntegral<char>();
                s.add(c);
                model += c;
                break;
            }
            case kPushChar: {
                const char c = in.ConsumeIntegral<char>();
                s.push_front(c);
                model.insert(model.begin(), c);
                break;
            }
            case kPushText: {
                const std::string t = Text(in);
                s.push_front(t.c_str());
                model = t + model;
                break;
            }
            case kClear:
                s.clear();
                model.clear();
                FUZZ_REQUIRE(s.capacity() == 0);
                break;
            case kTrim:
                s.trim();
                FUZZ_REQUIRE(s.capacity() == model.size());
                break;
            case kZero:
                s.zero();
                break;
            case kWriteInPlace: {
                // As the file list does: write at most the capacity, then resynchronise.
                std::string t = Text(in);
                if (t.size() > s.capacity()) t.resize(s.capacity());
                std::memcpy(s.str(), t.c_str(), t.size() + 1);
                s.UpdatePos();
                model = t;
                break;
            }
            case kUp:
                s.up();
                model.resize(std::strlen(model.c_str()));
                break;
            case kCompare: {
                const std::string t = Text(in);
                const bool same = model == t;
                FUZZ_REQUIRE((s == t.c_str()) == same);
                FUZZ_REQUIRE((s != t.c_str()) == !same);
                break;
            }
            case kIndex:
                if (!model.empty()) {
                    const unsigned i = in.ConsumeIntegralInRange<unsigned>(0, model.size() - 1);
                    FUZZ_REQUIRE(s[i] == model[i]);
                }
                break;
        }
        CheckSame(s, model);
    }
    FUZZ_REQUIRE(ConsoleMessages().empty());
    return 0;
}
