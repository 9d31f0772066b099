#include "support/FileDialog_win.h"

#include <cstring>

#include "res/resource.h"
#include "support/Lang_win.h"

cFileDialog::cFileDialog(HWND const& owner) { InitOFN(owner); }

void cFileDialog::InitOFN(HWND const& owner) {
    std::memset(fileName, 0, sizeof fileName);
    std::memset(fileTitle, 0, sizeof fileTitle);
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    filter = Tr(IDS_FILTER) + std::string("\0*.d2s\0", 8);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = fileName;
    ofn.nMaxFile = sizeof fileName;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = sizeof fileTitle;
    // No OFN_NOCHANGEDIR: the chosen folder becomes the current one, where the file is
    // written under its bare title.
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    ofn.lpstrDefExt = "d2s";
}

int cFileDialog::Save() { return GetSaveFileNameA(&ofn); }
