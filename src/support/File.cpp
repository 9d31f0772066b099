#include "support/File.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "support/FileCalls.h"
#include "support/Paths.h"

namespace {

void setError(std::string* out, const std::string& what) {
    if (out) *out = what;
}

std::string reason(const char* what, const std::string& name, int err) {
    return std::string(what) + " " + name + ": " + std::strerror(err ? err : EIO);
}

// Writes the bytes to the temporary file, flushes and syncs them and closes it; the step
// that failed, with its errno, or null.
const char* writeAll(std::FILE* f, const void* bytes, std::size_t len) {
    errno = 0;
    const char* failed = nullptr;
    if (fileCalls.fwrite(bytes, 1, len, f) != len) {
        failed = "write";
    } else if (fileCalls.fflush(f) != 0) {
        failed = "flush";
    } else if (!FileSyncStream(f)) {
        failed = "sync";
    }
    const int err = errno;
    if (fileCalls.fclose(f) != 0 && !failed) return "close";
    errno = err;
    return failed;
}

}  // namespace

std::FILE* FileCreateTemp(const std::string& folder, std::string& tmpName) {
    static std::mt19937_64 next(FileTempSeed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".vlm%08llx",
                      static_cast<unsigned long long>(next() & 0xffffffffu));
        tmpName = folder + name;
        if (std::FILE* f = FileCreateNew(tmpName)) return f;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

std::size_t FileNameStart(const std::string& path) {
#ifdef _WIN32
    const std::size_t sep = path.find_last_of("/\\:");
#else
    const std::size_t sep = path.find_last_of('/');
#endif
    return sep == std::string::npos ? 0 : sep + 1;
}

std::string FileWithoutExt(const std::string& path) {
    const std::size_t start = FileNameStart(path);
    return path.substr(0, start) + DelExt(path.substr(start).c_str());
}

bool FileSame(const std::string& a, const std::string& b) {
    FileFacts fa, fb;
    return FileExamine(a, fa) && FileExamine(b, fb) && fa.exists && fb.exists && fa.index != 0 &&
           fa.volume == fb.volume && fa.index == fb.index;
}

bool FileWriteAtomic(const char* name, const void* bytes, std::size_t len, std::string* errorText) {
    // Replacing a link would turn it into a file: the file it names receives the bytes.
    const std::string target = FileResolve(name);
    std::string tmp;
    std::FILE* f = FileCreateTemp(target.substr(0, FileNameStart(target)), tmp);
    if (!f) {
        setError(errorText, reason("cannot create a file beside", name, errno));
        return false;
    }
    if (const char* step = writeAll(f, bytes, len)) {
        const std::string what = std::string("cannot ") + step + " the temporary file for";
        setError(errorText, reason(what.c_str(), name, errno));
    } else {
        FileCopyAttributes(target.c_str(), tmp.c_str());
        if (FileReplace(tmp.c_str(), target.c_str())) return true;
        setError(errorText, reason("cannot replace", name, errno));
    }
    fileCalls.remove(tmp.c_str());
    return false;
}

bool FileCopyAtomic(const char* from, const char* to, std::size_t maxBytes,
                    std::string* errorText) {
    std::FILE* f = fileCalls.fopen(from, "rb");
    if (!f) {
        setError(errorText, reason("cannot open", from, errno));
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    std::size_t n;
    while (bytes.size() <= maxBytes && (n = fileCalls.fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    // A read that stopped short of the end, and not at the limit, failed.
    const bool readError = bytes.size() <= maxBytes && !std::feof(f);
    const int err = errno;
    fileCalls.fclose(f);
    if (readError) {
        setError(errorText, reason("cannot read", from, err));
        return false;
    }
    if (bytes.size() > maxBytes) {
        setError(errorText, std::string(from) + " is too large to copy");
        return false;
    }
    return FileWriteAtomic(to, bytes.data(), bytes.size(), errorText);
}
