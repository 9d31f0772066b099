#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "support/mbConsole.h"

int main(int argc, char** argv) {
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
    switch (opts.command) {
        case Command::Info:
            return RunInfo(opts);
        case Command::Set:
            return RunSet(opts);
        case Command::New:
            return RunNew(opts);
        case Command::Help:
            break;
    }
    std::fputs(HelpText(opts.helpTopic), stdout);
    return EXIT_OK;
}
