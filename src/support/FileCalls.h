// The system calls through which writing and copying files reach the disk: each entry is
// the system's own function. The program never changes them; tests replace entries to make
// one call fail in turn and to watch the order of the calls.
#pragma once

#include <cstddef>
#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#endif

struct FileCalls {
    std::FILE* (*fopen)(const char* name, const char* mode);
    std::size_t (*fread)(void* to, std::size_t size, std::size_t count, std::FILE* f);
    std::size_t (*fwrite)(const void* from, std::size_t size, std::size_t count, std::FILE* f);
    int (*fflush)(std::FILE* f);
    int (*fclose)(std::FILE* f);
    int (*remove)(const char* name);
    int (*open)(const char* name, int flags, ...);   // open, _open
    std::FILE* (*fdopen)(int fd, const char* mode);  // fdopen, _fdopen
    int (*sync)(int fd);                             // fsync, _commit
#ifdef _WIN32
    BOOL(WINAPI* MoveFileExA)(LPCSTR from, LPCSTR to, DWORD flags);
#else
    int (*rename)(const char* from, const char* to);
#endif
};

extern FileCalls fileCalls;
