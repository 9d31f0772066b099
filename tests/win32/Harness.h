// Drives the real main dialog in-process: the dialog is created from its resource with the
// real dialog procedure, commands and notifications are sent as the system would send them,
// and modal dialogs (questions, messages, Save As) are answered by a CBT hook.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Bytes.h"
#include "support/Lang_win.h"

using Names = std::vector<std::string>;

// How to answer the next modal dialog.
struct Answer {
    enum Kind { Yes, No, Ok, SaveAs, Cancel, Custom } kind;
    std::string fileName;              // for SaveAs: typed into the file dialog
    std::function<void(HWND)> action;  // for Custom: drives the dialog and ends it
    Answer(Kind k, std::string name = "") : kind(k), fileName(std::move(name)) {}
    explicit Answer(std::function<void(HWND)> drive) : kind(Custom), action(std::move(drive)) {}
};

// A fresh folder under the temporary folder, made the current folder while it lives.
struct TempFolder {
    std::string path;  // with a trailing backslash
    TempFolder();
    ~TempFolder();
    std::string operator/(const std::string& name) const { return path + name; }
    Names List() const;
};

// A new level-1 character file from the template, with a name and a class code.
Bytes NewSave(const std::string& name, int classCode);
const unsigned kStrength = 565, kEnergy = 569;       // slots in a file without optional attributes
const std::string kTitle = "Velmor V2.0 Expansion";  // of the main window without a file

// Compares the text with the reviewed file tests/data/expected/NAME; with the environment
// variable VELMOR_UPDATE_EXPECTED set, writes it there instead (scripts/update-expected.sh).
void ExpectAsFile(const std::string& text, const std::string& name);

// Delivers the thread's messages until done() holds or the time is up; answers done().
// With a done() that holds at once, delivers what is waiting.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000);

struct Editor {
    // Creates dialog 103 in the language with the command line's file as its parameter.
    explicit Editor(const char* commandLine = "", Lang lang = Lang::Chinese);
    ~Editor();

    HWND dlg = nullptr;  // the main dialog; null once closed
    std::string Text(int id) const;
    std::string Title() const;
    void Type(int id, const std::string& text);  // and leave the field
    Names ListEntries() const;
    std::string SelectedEntry() const;
    // Selects an entry as a click would: the list reports the change, and then the double
    // click if asked.
    void Select(const std::string& name, bool doubleClick = false);
    void Command(int id);  // IDOK for Enter, IDCANCEL for Escape
    // The menu bar prepared as before it opens; the ids of the items whose state has the
    // flag (MF_CHECKED), or has it not (MF_GRAYED, false: the enabled ones).
    std::vector<int> MenuItems(const std::vector<int>& ids, UINT flag, bool set = true);
    // Sends WM_CLOSE and destroys the window.
    void Close();
    // Away to the background and back; change() runs while away and is awaited until a
    // watcher of the folder has seen it. The folder check that the return posts is
    // delivered unless told otherwise.
    void AwayAndBack(const std::function<void()>& change = nullptr, bool deliver = true);

    // Answers for the modal dialogs to come, in order; every dialog shown is recorded as
    // "caption|text", the file dialog as "file dialog".
    void Expect(Answer a);
    Names shown;
};
