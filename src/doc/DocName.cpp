// The character's name follows its save file's name.
#include <cstring>

#include "app/AppData.h"
#include "doc/Doc.h"
#include "doc/Layout.h"
#include "support/Paths.h"
#include "support/mb.h"

bool DocSetFileName(cAppData& ad, const char* name) {
    if (!ad.data) {
        mb("no datapointer in DocSetFileName", ad.hwnd);
        return false;
    }
    const char* base = DelExt(name ? name : "");
    const std::size_t len = std::strlen(base);
    if (len > NAME_CLEAR_LEN) {
        mb("max len 15", ad.hwnd);
        return false;
    }
    if (len < 2) {
        mb("min len 2", ad.hwnd);
        return false;
    }
    for (std::size_t i = 0; i < len; ++i) {
        if (!testChar(base + i)) {
            mb("only letters", ad.hwnd);
            return false;
        }
    }
    std::memset(ad.data + OFS_NAME, 0, NAME_CLEAR_LEN);
    std::memcpy(ad.data + OFS_NAME, base, len);
    return true;
}
