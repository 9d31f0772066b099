// Whole-file reading and crash-safe writing.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Writes the bytes to a temporary file beside name and moves it over name only after
// every byte is written and flushed to disk. On any failure name keeps its previous
// content and the temporary file is removed. errorText, when given, receives the reason.
bool FileWriteAtomic(const char* name, const void* bytes, std::size_t len,
                     std::string* errorText = nullptr);
// Copies a file through FileWriteAtomic; refuses sources larger than maxBytes.
bool FileCopyAtomic(const char* from, const char* to, std::size_t maxBytes,
                    std::string* errorText = nullptr);

// Platform halves (File_posix.cpp, File_win.cpp).
bool FileSyncStream(std::FILE* f);
bool FileReplace(const char* from, const char* to);
// Gives 'to' the permission bits of 'like' where the platform has them.
void FileCopyMode(const char* like, const char* to);
