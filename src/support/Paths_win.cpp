#include "support/Paths_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "support/Paths.h"

namespace {

const DWORD kDirLen = 256;
const std::size_t kAppPathLen = 260;

char filepath[kDirLen];
char appPath[kAppPathLen];

}  // namespace

bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

char* CurDir(char* dst) {
    // Room is kept for the backslash; a longer folder is cut rather than overrun.
    char full[MAX_PATH * 4];
    const DWORD n = GetCurrentDirectoryA(sizeof full, full);
    const std::size_t keep = n < sizeof full ? std::min<std::size_t>(n, kDirLen - 2) : 0;
    std::memcpy(filepath, full, keep);
    filepath[keep] = '\0';
    addSlash(filepath);
    if (dst) std::strcpy(dst, filepath);
    return filepath;
}

char* GetAppPath(char* dst) {
    const char* line = GetCommandLineA();
    std::strncpy(appPath, line ? line : "", kAppPathLen - 1);
    appPath[kAppPathLen - 1] = '\0';
    if (appPath[0]) {
        if (char* quote = std::strchr(appPath + 1, '"')) *quote = '\0';
    }
    strdel(appPath, '"');
    if (dst) std::strcpy(dst, appPath);
    return appPath;
}
