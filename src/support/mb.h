// The program's message box. The editor shows its own dialog; the console version
// writes the text to standard error.
#pragma once

struct HWND__;

void mb(const char* text, HWND__* const& owner);
// A message of the portable layers, which know no window: shown over the window set here,
// the main window once it exists.
void mbSetOwner(HWND__* owner);
void mb(const char* text);
