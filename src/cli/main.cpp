#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "support/mbConsole.h"
#ifdef _WIN32
#include "support/Utf8_win.h"
#endif

namespace {

int run(const Options& opts) {
    switch (opts.command) {
        case Command::Info:
            return RunInfo(opts);
        case Command::Set:
            return RunSet(opts);
        case Command::New:
            return RunNew(opts);
        case Command::Check:
            return RunCheck(opts);
        case Command::Version:
            std::fputs(VersionText().c_str(), stdout);
            return EXIT_OK;
        case Command::Help:
            break;
    }
    std::fputs(HelpText(opts.helpTopic).c_str(), stdout);
    return EXIT_OK;
}

}  // namespace

// The program's entry on every platform: arguments are UTF-8 text.
int velmorMain(int argc, char** argv) {
    std::srand(static_cast<unsigned>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    // The commands report the editor's messages themselves, one line each.
    ConsoleEchoMessages(false);
    Options opts;
    std::string error;
    if (!ParseArgs(argc, argv, opts, error)) {
        std::fprintf(stderr, "velmor-cli: %s (see 'velmor-cli --help')\n", error.c_str());
        return EXIT_USAGE;
    }
    const int status = run(opts);
    // Output that never arrived (a full disk, a closed pipe) is a failure of the run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "velmor-cli: cannot write the output: %s\n", std::strerror(errno));
        return EXIT_REFUSED;
    }
    return status;
}

#ifdef _WIN32
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
#else
int main(int argc, char** argv) { return velmorMain(argc, argv); }
#endif
