// The module whose resources the dialogs, icons and sounds are loaded from.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInst;
