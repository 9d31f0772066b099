// Placing the program's small dialogs.
#pragma once

#include <windows.h>

// Centres a dialog on its owner window, kept inside the owner's monitor; a dialog without
// an owner stays where it is.
void CenterOnOwner(HWND dialog);
