// Shared pieces of the fuzz targets: the property check, the console seam and splitting an
// input into NUL-terminated texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/mbConsole.h"
#include "view/UiConsole.h"

// A violated property ends the run like a crash, so libFuzzer keeps the input and prints
// the stack; the message says which property it was.
[[noreturn]] inline void FuzzFail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: property violated: %s\n", file, line, what);
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_REQUIRE(cond)                                \
    do {                                                  \
        if (!(cond)) FuzzFail(__FILE__, __LINE__, #cond); \
    } while (0)

// Every input starts from an empty console window: no fields, no marks, no messages.
inline void FuzzResetConsole() {
    static const bool quiet = (ConsoleEchoMessages(false), true);
    (void)quiet;
    ConsoleResetWindow();
    ConsoleClearMessages();
}

// The input cut at each NUL byte into at most maxPieces texts; NULs past the last cut are
// dropped. A final NUL ends the last text rather than starting an empty one.
inline std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size,
                                           std::size_t maxPieces) {
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] != 0) {
            pieces.back() += static_cast<char>(data[i]);
        } else if (pieces.size() < maxPieces) {
            pieces.emplace_back();
        }
    }
    if (size > 0 && data[size - 1] == 0 && pieces.size() > 1 && pieces.back().empty())
        pieces.pop_back();
    return pieces;
}

// A heap copy holding exactly the text and its terminator (plus `spare` bytes), so that
// the address sanitizer sees any access past it.
inline std::vector<char> ExactCopy(const std::string& text, std::size_t spare = 0) {
    std::vector<char> buf(text.begin(), text.end());
    buf.resize(text.size() + 1 + spare, '\0');
    buf.shrink_to_fit();
    return buf;
}
