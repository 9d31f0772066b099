// Shared pieces of the fuzz targets: the property check and the console seam.
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
