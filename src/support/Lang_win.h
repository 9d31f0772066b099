// The window's language. Every dialog, menu and string-table entry exists in Chinese (the
// editor's original captions) and in English; the resources of the chosen language are
// looked up explicitly, so the choice does not depend on how the system picks resources.
#pragma once

#include <windows.h>

#include <string>

enum class Lang { Chinese, English };

void LangSet(Lang lang);
// Chinese for a Chinese user interface, English otherwise.
Lang LangOfUser();

// The resources in the chosen language (any language when it lacks one).
LPCDLGTEMPLATEW LangDialog(int id);
HMENU LangMenu(int id);
// A string-table entry as UTF-8, the text of the program's "A" functions.
std::string Tr(int id);
// Tr(id) with %s replaced by arg.
std::string Tr(int id, const std::string& arg);
INT_PTR LangDialogBox(int id, HWND owner, DLGPROC proc, LPARAM param);
