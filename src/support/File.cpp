#include "support/File.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void setError(std::string* out, const std::string& what) {
    if (out) *out = what;
}

std::string reason(const char* what, const std::string& name, int err) {
    return std::string(what) + " " + name + ": " + std::strerror(err);
}

}  // namespace

bool FileWriteAtomic(const char* name, const void* bytes, std::size_t len, std::string* errorText) {
    const std::string tmp = std::string(name) + ".velmortmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        setError(errorText, reason("cannot create", tmp, errno));
        return false;
    }
    errno = 0;
    bool ok = std::fwrite(bytes, 1, len, f) == len;
    ok = ok && std::fflush(f) == 0 && FileSyncStream(f);
    int err = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        FileCopyMode(name, tmp.c_str());
        if (FileReplace(tmp.c_str(), name)) return true;
        err = errno;
        setError(errorText, reason("cannot replace", name, err));
    } else {
        setError(errorText, reason("cannot write", tmp, err ? err : EIO));
    }
    std::remove(tmp.c_str());
    return false;
}

bool FileCopyAtomic(const char* from, const char* to, std::size_t maxBytes,
                    std::string* errorText) {
    std::FILE* f = std::fopen(from, "rb");
    if (!f) {
        setError(errorText, reason("cannot read", from, errno));
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    std::size_t n;
    while (bytes.size() <= maxBytes && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const bool readError = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (readError) {
        setError(errorText, reason("cannot read", from, err));
        return false;
    }
    if (bytes.size() > maxBytes) {
        setError(errorText, std::string("file too large to copy: ") + from);
        return false;
    }
    return FileWriteAtomic(to, bytes.data(), bytes.size(), errorText);
}
