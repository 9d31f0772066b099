// The program's message box. The editor shows its own dialog; the console version
// writes the text to standard error.
#pragma once

struct HWND__;

void mb(const char* text, HWND__* const& owner);
