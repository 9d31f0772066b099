#pragma once

// File-name helpers in backslash path syntax; the last dot starts the extension.
// DelExt and GetPathFromFile return a static buffer that the next call overwrites, and
// cut their input to 259 characters to fit it. Null arguments count as empty texts.

void delExt(char* s);
char* DelExt(const char* s);
// s needs room for one more character; an empty text becomes "\".
void addSlash(char* s);
// ext is compared as given, so pass it in lower case; the file's extension may be any case.
bool TestExt(const char* file, const char* ext);
bool testChar(const char* c);
void strdel(char* s, const char& c);
char* GetPathFromFile(const char* f);
