#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "support/File.h"
#include "support/FileCalls.h"

FileCalls fileCalls = {std::fopen,  std::fread, std::fwrite, std::fflush, std::fclose,
                       std::remove, open,       fdopen,      fsync,       std::rename};

std::FILE* FileCreateNew(const std::string& path) {
    const int fd = fileCalls.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = fileCalls.fdopen(fd, "wb");
    if (!f) {
        const int err = errno;
        close(fd);
        fileCalls.remove(path.c_str());
        errno = err;
    }
    return f;
}

std::uint64_t FileTempSeed() { return std::random_device()(); }

bool FileSyncStream(std::FILE* f) { return fileCalls.sync(fileno(f)) == 0; }

bool FileReplace(const char* from, const char* to) { return fileCalls.rename(from, to) == 0; }

void FileCopyAttributes(const char* like, const char* to) {
    struct stat st;
    if (stat(like, &st) != 0) return;
    // Only the owner may change the owner: a refusal leaves the writer's own, as it must.
    const bool owned =
        chown(to, st.st_uid, st.st_gid) == 0 || chown(to, static_cast<uid_t>(-1), st.st_gid) == 0;
    (void)owned;
    chmod(to, st.st_mode & 07777);
}

bool FileExamine(const std::string& path, FileFacts& facts) {
    facts = FileFacts();
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR;
    facts.exists = true;
    facts.folder = S_ISDIR(st.st_mode);
    // A file without any write permission stays unwritten even for a user who could force it.
    facts.writable = (st.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
    facts.links = static_cast<unsigned long>(st.st_nlink);
    facts.volume = static_cast<unsigned long long>(st.st_dev);
    facts.index = static_cast<unsigned long long>(st.st_ino);
    return true;
}

std::string FileResolve(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return path;
    const std::string resolved = real;
    std::free(real);
    return resolved;
}
