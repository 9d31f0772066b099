// velmor-cli: the command line parsed and its command run, on every platform.
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

// Parses the arguments (UTF-8 text) and runs the command; the platform entries call it.
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
