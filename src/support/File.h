// Whole-file copying and crash-safe writing, and the few facts about a file that a save
// needs. Names are the user's; symbolic links are followed to the file they name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes the bytes to a new, exclusively created temporary file beside the file that name
// resolves to, and moves it over that file only after every byte is written and flushed.
// The file keeps its permissions and, where the user may set them, its owner and group;
// a symbolic link stays a link. On any failure the file keeps its previous content and
// the temporary file is removed; errorText, when given, receives the step that failed and
// the system's reason.
bool FileWriteAtomic(const char* name, const void* bytes, std::size_t len,
                     std::string* errorText = nullptr);
// Copies a file through FileWriteAtomic; refuses sources larger than maxBytes.
bool FileCopyAtomic(const char* from, const char* to, std::size_t maxBytes,
                    std::string* errorText = nullptr);

struct FileFacts {
    bool exists = false;
    bool folder = false;
    bool writable = true;     // the user may write it, and it is not marked read-only
    unsigned long links = 1;  // hard links
    unsigned long long volume = 0, index = 0;  // together name the file on this machine
};
// Facts about the file that path names, links followed; false when it cannot be examined.
bool FileExamine(const std::string& path, FileFacts& facts);
// Whether two names reach the same file.
bool FileSame(const std::string& a, const std::string& b);
// The path with symbolic links followed; the path itself when it names no link.
std::string FileResolve(const std::string& path);

// Where the file's name starts in a path: after the last separator of this platform.
std::size_t FileNameStart(const std::string& path);
// The path without the extension of its file name (a dot in a folder's name is no extension).
std::string FileWithoutExt(const std::string& path);

// Creates a new file of a unique short name in folder ("" for the current one); never
// opens an existing file.
std::FILE* FileCreateTemp(const std::string& folder, std::string& tmpName);

// Platform halves (File_posix.cpp, File_win.cpp).
// Creates path for writing only if it does not exist yet (errno EEXIST if it does).
std::FILE* FileCreateNew(const std::string& path);
// A seed for the temporary names that differs between processes.
std::uint64_t FileTempSeed();
bool FileSyncStream(std::FILE* f);
bool FileReplace(const char* from, const char* to);
// Gives 'to' the permissions, owner and group of 'like' as far as the platform allows.
void FileCopyAttributes(const char* like, const char* to);
