#include <io.h>
#include <windows.h>

#include <cstdio>

#include "support/File.h"

bool FileSyncStream(std::FILE* f) { return _commit(_fileno(f)) == 0; }

bool FileReplace(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void FileCopyMode(const char*, const char*) {}
