#include "support/Lang_win.h"

#include "doc/DocError.h"
#include "support/Instance_win.h"
#include "support/Utf8_win.h"

namespace {

Lang current = Lang::Chinese;
// The resource types; the headers' RT_ names follow the ANSI build.
const LPCWSTR kMenu = MAKEINTRESOURCEW(4), kDialog = MAKEINTRESOURCEW(5),
              kString = MAKEINTRESOURCEW(6);

WORD langId() {
    return current == Lang::Chinese ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                    : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

const void* resource(LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceExW(g_hInst, type, name, langId());
    if (!found) found = FindResourceW(g_hInst, name, type);
    HGLOBAL loaded = found ? LoadResource(g_hInst, found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

void LangSet(Lang lang) { current = lang; }

Lang LangOfUser() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Lang::Chinese
                                                                     : Lang::English;
}

LPCDLGTEMPLATEW LangDialog(int id) {
    return static_cast<LPCDLGTEMPLATEW>(resource(kDialog, MAKEINTRESOURCEW(id)));
}

HMENU LangMenu(int id) {
    const void* menu = resource(kMenu, MAKEINTRESOURCEW(id));
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

// A string table holds blocks of sixteen entries, each a length and UTF-16 characters.
std::string Tr(int id) {
    const WCHAR* p = static_cast<const WCHAR*>(
        resource(kString, MAKEINTRESOURCEW(static_cast<unsigned>(id) / 16 + 1)));
    if (!p) return std::string();
    for (int i = 0; i < id % 16; ++i) p += 1 + *p;
    return Utf8FromWide(std::wstring(p + 1, *p).c_str());
}

std::string Tr(int id, const std::string& arg) { return format(Tr(id).c_str(), arg); }

INT_PTR LangDialogBox(int id, HWND owner, DLGPROC proc, LPARAM param) {
    return DialogBoxIndirectParamW(g_hInst, LangDialog(id), owner, proc, param);
}
