// Conversions between the program's UTF-8 texts and the system's UTF-16.
#pragma once

#include <string>

std::string Utf8FromWide(const wchar_t* text);
std::wstring WideFromUtf8(const std::string& text);
