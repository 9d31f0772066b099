#include "support/cString.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
// Same reserve as a first implicit allocation; also where growth restarts from capacity 0.
const unsigned int kFirstAlloc = 100;
}  // namespace

cString::cString(const char* s, const unsigned int& capacity)
    : buf(nullptr), spare(nullptr), size(capacity), pos(0) {
    // size_t arithmetic so a capacity of UINT_MAX cannot wrap to a zero-byte request.
    buf = static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1));
    if (buf) {
        buf[0] = 0;
        *this += s;
    } else {
        size = 0;
    }
    zero();
}

cString::~cString() {
    std::free(buf);
    std::free(spare);
}

void cString::operator=(const char* s) {
    pos = 0;
    if (buf) {
        buf[0] = 0;
    }
    *this += s;
}

void cString::operator+=(const char* s) {
    if (!s) {
        return;
    }
    for (; *s; ++s) {
        add(*s);
    }
}

bool cString::operator==(const char* s) const {
    if (!s || std::strlen(s) != pos) {
        return false;
    }
    for (unsigned int i = 0; i < pos; ++i) {
        if (buf[i] != s[i]) {
            return false;
        }
    }
    return true;
}

bool cString::operator!=(const char* s) const { return !(*this == s); }

char& cString::operator[](const unsigned int& i) { return buf[i]; }

void cString::add(const char& c) {
    if (!newmem()) {
        return;
    }
    buf[pos] = c;
    ++pos;
    buf[pos] = 0;
}

void cString::push_front(const char& c) {
    if (!newmem()) {
        return;
    }
    std::memmove(buf + 1, buf, pos);
    buf[0] = c;
    ++pos;
    buf[pos] = 0;
}

void cString::push_front(const char* s) {
    if (!s) {
        return;
    }
    for (std::size_t i = std::strlen(s); i > 0; --i) {
        push_front(s[i - 1]);
    }
}

void cString::clear() {
    size = 0;
    pos = 0;
    if (!buf) {
        return;
    }
    spare = static_cast<char*>(std::realloc(buf, 1));
    if (spare) {
        buf = spare;
        spare = nullptr;
    }
    // Also on a failed shrink: the old buffer stays and must read as empty.
    buf[0] = 0;
}

void cString::trim() {
    size = pos;
    if (!buf) {
        return;
    }
    spare = static_cast<char*>(std::realloc(buf, static_cast<std::size_t>(size) + 1));
    if (spare) {
        buf = spare;
        spare = nullptr;
    }
}

void cString::zero() {
    if (buf && size > pos) {
        std::memset(buf + pos, 0, size - pos);
    }
}

bool cString::newmem() {
    if (!buf) {
        size = kFirstAlloc;
        buf = static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1));
        if (!buf) {
            size = 0;
            return false;
        }
        pos = 0;
        buf[0] = 0;
        zero();
    }
    if (pos < size) {
        return true;
    }
    // Doubling cannot leave 0 (after clear() or trim() of an empty text), so restart there.
    unsigned int grown = size ? size : kFirstAlloc;
    while (pos >= grown) {
        if (grown > UINT_MAX / 2) {
            return false;
        }
        grown *= 2;
    }
    spare = static_cast<char*>(std::realloc(buf, static_cast<std::size_t>(grown) + 1));
    if (!spare) {
        return false;  // size was never touched, so the string is exactly as it was
    }
    buf = spare;
    spare = nullptr;
    size = grown;
    zero();
    return true;
}

void cString::up() { pos = buf ? static_cast<unsigned int>(std::strlen(buf)) : 0; }

void cString::UpdatePos() { up(); }
