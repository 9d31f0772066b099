#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "support/File.h"

bool FileSyncStream(std::FILE* f) { return fsync(fileno(f)) == 0; }

bool FileReplace(const char* from, const char* to) { return std::rename(from, to) == 0; }

void FileCopyMode(const char* like, const char* to) {
    struct stat st;
    if (stat(like, &st) == 0) chmod(to, st.st_mode & 07777);
}
