// The Save As dialog for save files.
#pragma once

#include <windows.h>

#include <string>

class cFileDialog {
public:
    explicit cFileDialog(HWND const& owner);
    void InitOFN(HWND const& owner);
    // Nonzero when the user confirmed a file name.
    int Save();
    char* GetFileName() { return fileName; }
    char* GetFileTitleA() { return fileTitle; }

private:
    char fileName[MAX_PATH];
    char fileTitle[MAX_PATH];
    OPENFILENAMEA ofn;
    std::string filter;
};
