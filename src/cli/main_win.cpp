// velmor-cli's entry on Windows.
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "support/Utf8_win.h"

// Windows hands the arguments over as UTF-16; the C runtime expands the wildcards (*.d2s)
// in them as Windows console tools do, which the shell leaves to every program. A pattern
// that matches nothing stays as typed and is reported as a file that cannot be read.
// The manifest makes UTF-8 the code page of the file functions and of the output.
int _dowildcard = -1;

int wmain(int argc, wchar_t** wargv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(Utf8FromWide(wargv[i]));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    return velmorMain(argc, argv.data());
}
