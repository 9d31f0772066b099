// The file-name helpers on arbitrary texts. The first input byte is the character that
// strdel removes; the rest is cut at NULs into texts, each of which goes through every
// helper (and serves as the extension that TestExt looks for in the text before it). Each
// text lives in a heap block of exactly its size, so a read or write past it is reported.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "support/Paths.h"

namespace {

const std::size_t kPathBuffer = 259;  // characters the static result buffers hold

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string WithoutExt(const std::string& s) {
    const std::size_t dot = s.rfind('.');
    return dot == std::string::npos || dot == 0 ? s : s.substr(0, dot);
}

// A dot counts only at index 1 or later and with at most 9 characters behind it; the
// search ends at the first such dot from the end. Only A-Z of the file's part is folded.
bool HasExt(const std::string& file, const std::string& ext) {
    if (ext.size() > file.size()) return false;
    for (std::size_t i = file.size(); i-- > 1 && file.size() - 1 - i <= 9;) {
        if (file[i] != '.') continue;
        std::string part = file.substr(i + 1);
        for (char& c : part) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return part == ext;
    }
    return false;
}

void CheckExt(const std::string& file, const std::string& ext) {
    const std::vector<char> f = ExactCopy(file), e = ExactCopy(ext);
    FUZZ_REQUIRE(TestExt(f.data(), e.data()) == HasExt(file, ext));
}

void CheckCuts(const std::string& s) {
    std::vector<char> buf = ExactCopy(s);
    delExt(buf.data());
    const std::string cut = buf.data();
    FUZZ_REQUIRE(cut == WithoutExt(s));

    const std::string viaCopy = DelExt(ExactCopy(s).data());
    FUZZ_REQUIRE(viaCopy.size() <= kPathBuffer);
    FUZZ_REQUIRE(StartsWith(s, viaCopy));
    if (s.size() <= kPathBuffer) {
        FUZZ_REQUIRE(viaCopy == cut);
    } else if (viaCopy.size() < kPathBuffer) {
        FUZZ_REQUIRE(s[viaCopy.size()] == '.');
    }

    const std::string folder = GetPathFromFile(ExactCopy(s).data());
    FUZZ_REQUIRE(folder.size() <= kPathBuffer);
    FUZZ_REQUIRE(StartsWith(s, folder));
    if (s.size() <= kPathBuffer) {
        const std::size_t slash = s.rfind('\\');
        FUZZ_REQUIRE(folder == (slash == std::string::npos ? s : s.substr(0, slash + 1)));
    } else {
        FUZZ_REQUIRE(folder.size() == kPathBuffer || folder.back() == '\\');
    }
}

void CheckFileFromPath(const std::string& s) {
    const std::vector<char> p = ExactCopy(s);
    const char* got = GetFileFromPath(p.data());
    FUZZ_REQUIRE(got >= p.data() && got <= p.data() + s.size());
    const std::size_t at = static_cast<std::size_t>(got - p.data());
    // The name after the last backslash that is not part of a trailing run of them; the
    // trailing run stays with the name.
    std::size_t want = 0;
    if (!s.empty()) {
        std::size_t i = s.size() - 1;
        while (i > 0 && s[i] == '\\') --i;
        while (i > 0 && s[i] != '\\') --i;
        want = s[i] == '\\' ? i + 1 : 0;
    }
    FUZZ_REQUIRE(at == want);
    FUZZ_REQUIRE(at == 0 || s[at - 1] == '\\');
}

void CheckEdits(const std::string& s, char del) {
    std::vector<char> buf = ExactCopy(s);
    strdel(buf.data(), del);
    std::string kept;
    for (char c : s) {
        if (c != del) kept += c;
    }
    FUZZ_REQUIRE(kept == buf.data());

    std::vector<char> slashed = ExactCopy(s, 1);
    addSlash(slashed.data());
    const std::string want = !s.empty() && s.back() == '\\' ? s : s + '\\';
    FUZZ_REQUIRE(want == slashed.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzResetConsole();
    if (size == 0) return 0;
    const char del = static_cast<char>(data[0]);
    FUZZ_REQUIRE(testChar(&del) == Letter(del));
    const std::vector<std::string> texts = SplitAtNul(data + 1, size - 1, 16);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& s = texts[i];
        CheckCuts(s);
        CheckFileFromPath(s);
        CheckEdits(s, del);
        CheckExt(s, "d2s");
        CheckExt(s, "bakvelmor");
        // The text's own extension, folded, so that matches are frequent.
        const std::size_t dot = s.rfind('.');
        if (dot != std::string::npos) {
            std::string own = s.substr(dot + 1);
            for (char& c : own) {
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            }
            CheckExt(s, own);
        }
        if (i > 0) CheckExt(texts[i - 1], s);
    }
    // Nothing here talks to the user.
    FUZZ_REQUIRE(ConsoleMessages().empty());
    return 0;
}
