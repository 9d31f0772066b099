// velmor-cli's entry where arguments arrive as UTF-8 (or the locale's bytes) already.
#include "cli/Commands.h"

int main(int argc, char** argv) { return velmorMain(argc, argv); }
