#include "support/Paths.h"

#include <cstring>

namespace {

const std::size_t kBufLen = 260;
// Longest extension TestExt accepts; a 9-character backup extension must still count.
const std::size_t kMaxExt = 9;

char rv[kBufLen];
char path[kBufLen];

// Truncating copy so an overlong path cannot overrun a static result buffer.
void copyCut(char* dst, const char* src) {
    std::size_t n = src ? std::strlen(src) : 0;
    if (n > kBufLen - 1) {
        n = kBufLen - 1;
    }
    if (n) {
        std::memcpy(dst, src, n);
    }
    dst[n] = 0;
}

}  // namespace

void delExt(char* s) {
    if (!s) {
        return;
    }
    // Index 0 is skipped so a bare ".name" is kept whole.
    for (std::size_t i = std::strlen(s); i > 0; --i) {
        if (s[i] == '.') {
            s[i] = 0;
            return;
        }
    }
}

char* DelExt(const char* s) {
    copyCut(rv, s);
    delExt(rv);
    return rv;
}

void addSlash(char* s) {
    if (!s) {
        return;
    }
    const std::size_t n = std::strlen(s);
    if (n == 0 || s[n - 1] != '\\') {
        s[n] = '\\';
        s[n + 1] = 0;
    }
}

bool TestExt(const char* file, const char* ext) {
    if (!file || !ext) {
        return false;
    }
    const std::size_t n = std::strlen(file);
    if (std::strlen(ext) > n || n < 2) {
        return false;
    }
    const std::size_t stop = n > kMaxExt + 1 ? n - kMaxExt - 1 : 1;
    for (std::size_t i = n - 1; i >= stop; --i) {
        if (file[i] != '.') {
            continue;
        }
        char low[kMaxExt + 1];
        std::size_t k = 0;
        for (const char* p = file + i + 1; *p; ++p, ++k) {
            low[k] = (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
        }
        low[k] = 0;
        return std::strcmp(low, ext) == 0;
    }
    return false;
}

bool testChar(const char* c) { return c && ((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z')); }

void strdel(char* s, const char& c) {
    if (!s) {
        return;
    }
    char* out = s;
    for (const char* in = s; *in; ++in) {
        if (*in != c) {
            *out++ = *in;
        }
    }
    *out = 0;
}

char* GetPathFromFile(const char* f) {
    copyCut(path, f);
    char* slash = std::strrchr(path, '\\');
    if (slash) {
        slash[1] = 0;
    }
    return path;
}
