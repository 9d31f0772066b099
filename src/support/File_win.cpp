#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "support/File.h"
#include "support/FileCalls.h"

FileCalls fileCalls = {std::fopen,  std::fread, std::fwrite, std::fflush, std::fclose,
                       std::remove, _open,      _fdopen,     _commit,     MoveFileExA};

std::FILE* FileCreateNew(const std::string& path) {
    // _O_EXCL is CREATE_NEW: an existing file is never opened.
    const int fd = fileCalls.open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                                  _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = fileCalls.fdopen(fd, "wb");
    if (!f) {
        const int err = errno;
        _close(fd);
        fileCalls.remove(path.c_str());
        errno = err;
    }
    return f;
}

std::uint64_t FileTempSeed() {
    return std::random_device()() ^ GetTickCount() ^ (std::uint64_t(GetCurrentProcessId()) << 16);
}

bool FileSyncStream(std::FILE* f) { return fileCalls.sync(_fileno(f)) == 0; }

bool FileReplace(const char* from, const char* to) {
    if (fileCalls.MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_SHARING_VIOLATION
                ? EACCES
                : EIO;
    return false;
}

void FileCopyAttributes(const char*, const char*) {}

bool FileExamine(const std::string& path, FileFacts& facts) {
    facts = FileFacts();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
    }
    facts.exists = true;
    facts.folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.writable = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
        facts.links = info.nNumberOfLinks;
        facts.volume = info.dwVolumeSerialNumber;
        facts.index =
            (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    CloseHandle(h);
    return true;
}

std::string FileResolve(const std::string& path) { return path; }
