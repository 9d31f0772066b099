// The number rule of the edit fields: any text becomes |its leading decimal number|,
// limited to [min, max]. The expected value comes from strtoll over the first 49
// characters, with numbers beyond 32 bits saturated. The same text typed into a console
// field goes through FitVal, which must return that value and show it as plain decimal.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "FuzzUtil.h"
#include "app/AppData.h"
#include "res/resource.h"
#include "view/Fields.h"
#include "view/Limits.h"
#include "view/Ui.h"

namespace {

const std::size_t kFieldChars = 49;

long long Expected(const std::string& text, int min, int max) {
    const std::string field = text.substr(0, kFieldChars);
    errno = 0;
    long long n = std::strtoll(field.c_str(), nullptr, 10);
    if (n < 0) n = n == LLONG_MIN ? LLONG_MAX : -n;
    if (n > INT_MAX) n = INT_MAX;
    return n < min ? min : n > max ? max : n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    FuzzedDataProvider in(data, size);
    int lo, hi;
    // Mostly the field limits in use; otherwise any pair.
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            lo = 1;
            hi = in.PickValueInArray({99, 6000, 30000});
            break;
        case 1:
            lo = 0;
            hi = in.ConsumeIntegralInRange<int>(0, 2500000);
            break;
        default:
            lo = in.ConsumeIntegral<int>();
            hi = in.ConsumeIntegral<int>();
            break;
    }
    if (lo > hi) std::swap(lo, hi);
    std::string text = in.ConsumeRemainingBytesAsString();
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));

    const long long want = Expected(text, lo, hi);
    const std::vector<char> exact = ExactCopy(text);
    const int got = FitNumber(exact.data(), lo, hi);
    FUZZ_REQUIRE(got >= lo && got <= hi);
    FUZZ_REQUIRE(got == want);

    static cAppData ad;
    UiSetText(ad, IDC_GOLD, text.c_str());
    FUZZ_REQUIRE(FitVal(ad, IDC_GOLD, lo, hi) == want);
    FUZZ_REQUIRE(ConsoleGetText(IDC_GOLD) == std::to_string(want));
    return 0;
}
