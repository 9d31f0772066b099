// The character's name follows its save file's name.
#include <cstring>

#include "core/Document.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "support/Paths.h"
#include "support/mb.h"

NameRule DocCheckName(const char* name) {
    const char* base = DelExt(name ? name : "");
    const std::size_t len = std::strlen(base);
    if (len > NAME_CLEAR_LEN) return NameRule::TooLong;
    if (len < 2) return NameRule::TooShort;
    for (std::size_t i = 0; i < len; ++i) {
        if (!testChar(base + i)) return NameRule::NotLetters;
    }
    return NameRule::Ok;
}

bool DocSetFileName(cDocument& ad, const char* name) {
    if (!ad.data) {
        mb("no datapointer in DocSetFileName");
        return false;
    }
    switch (DocCheckName(name)) {
        case NameRule::TooLong:
            mb("max len 15");
            return false;
        case NameRule::TooShort:
            mb("min len 2");
            return false;
        case NameRule::NotLetters:
            mb("only letters");
            return false;
        case NameRule::Ok:
            break;
    }
    const char* base = DelExt(name ? name : "");
    const FileLayout& l = DocLayout(ad);
    std::memset(ad.data + l.name, 0, l.nameLen);
    std::memcpy(ad.data + l.name, base, std::strlen(base));
    return true;
}
