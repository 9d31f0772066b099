// File-system path helpers that ask the platform.
#pragma once

bool FileExists(const char* path);
// The current folder with a trailing backslash, in a static buffer of 256 characters.
char* CurDir(char* dst);
// The program's own path, taken from the process command line, in a static buffer.
char* GetAppPath(char* dst);
