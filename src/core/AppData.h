// The application's state around the open document: the window's handles, the working
// folders and the log. The window handles are held as pointers to the platform's opaque
// handle types; the portable build never looks inside them.
#pragma once

#include <cstdio>

#include "core/Document.h"
#include "support/cString.h"

struct HWND__;
struct HMENU__;

struct dlgparam {
    char* caption;
    char* message;
    dlgparam(char* c, char* m) : caption(c), message(m) {}
};

class cAppData : public cDocument {
public:
    HWND__* hwnd;
    HMENU__* popup;  // the file list's context menu, made and destroyed by the window
    char stamp[16];
    cString savedir;
    cString cmdfile;
    FILE* logfp;

    cAppData();
    ~cAppData();

    void log(const char* text);
    void log();
    void time();
    void clearLogFile();
};
