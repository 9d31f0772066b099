// The sub-commands of velmor-cli. Each returns the process exit code.
#pragma once

#include "cli/Args.h"

int RunInfo(const Options& opts);
int RunSet(const Options& opts);
int RunNew(const Options& opts);
// Whether the game loads each file unchanged (Check.cpp).
int RunCheck(const Options& opts);
const char* CheckHelpText();

// The whole program on its arguments (UTF-8 text); each platform's entry calls it.
int velmorMain(int argc, char** argv);
