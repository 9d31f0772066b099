#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "app/App_win.h"
#include "doc/Doc.h"
#include "res/resource.h"

namespace {

Editor* current = nullptr;
HHOOK cbtHook = nullptr;
HHOOK menuHook = nullptr;
std::set<HWND> answered;
std::vector<UINT>* menuStates = nullptr;

const int kFileNameCombo = 0x47c;  // cmb13, the file name of the common file dialog

std::string utf8(const wchar_t* w) {
    char out[1024];
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, out, sizeof out, nullptr, nullptr);
    return n > 0 ? std::string(out) : std::string();
}

std::string windowText(HWND w) {
    wchar_t text[512] = L"";
    GetWindowTextW(w, text, 512);
    return utf8(text);
}

bool isDialog(HWND w) {
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    return std::string(cls) == "#32770";
}

void click(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// The file dialog fills its name box from its file view while it starts up, after it has
// been activated; the typed name is given once it has stayed in place for a tick.
HWND fileDialog = nullptr;
std::string fileDialogName;
UINT_PTR fileDialogTimer = 0;

void CALLBACK confirmFileName(HWND, UINT, UINT_PTR, DWORD) {
    if (!IsWindow(fileDialog)) {
        KillTimer(nullptr, fileDialogTimer);
        return;
    }
    char now[MAX_PATH] = "";
    GetDlgItemTextA(fileDialog, kFileNameCombo, now, sizeof now);
    if (fileDialogName != now) {
        SetDlgItemTextA(fileDialog, kFileNameCombo, fileDialogName.c_str());
        return;
    }
    KillTimer(nullptr, fileDialogTimer);
    PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
}

// Presses a button of a question; a question without it fails the test and is refused.
void press(HWND dlg, int id) {
    if (GetDlgItem(dlg, id)) {
        click(dlg, id);
        return;
    }
    ADD_FAILURE() << "the dialog has no button " << id;
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dlg, WM_COMMAND, IDNO, 0);
}

void answer(HWND dlg) {
    Shown s{windowText(dlg), ""};
    for (int id : {IDC_CONFIRM_TEXT, IDC_MESSAGE_TEXT})
        if (HWND t = GetDlgItem(dlg, id)) s.text = windowText(t);
    const bool isFileDialog = GetDlgItem(dlg, kFileNameCombo) != nullptr;
    current->shown.push_back(s);
    if (PendingAnswers().empty()) {
        ADD_FAILURE() << "unexpected dialog \"" << s.caption << "\": " << s.text;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dlg, WM_COMMAND, IDNO, 0);
        return;
    }
    const Answer a = PendingAnswers().front();
    PendingAnswers().pop_front();
    switch (a.kind) {
        case Answer::Yes:
            press(dlg, IDC_CONFIRM_YES);
            break;
        case Answer::No:
            press(dlg, IDC_CONFIRM_NO);
            break;
        case Answer::Ok:
            press(dlg, IDC_MESSAGE_OK);
            break;
        case Answer::Cancel:
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            break;
        case Answer::Custom:
            a.action(dlg);
            break;
        case Answer::SaveAs:
            if (!isFileDialog) {
                ADD_FAILURE() << "expected the file dialog, got \"" << s.caption << "\"";
                PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
                break;
            }
            fileDialog = dlg;
            fileDialogName = a.fileName;
            fileDialogTimer = SetTimer(nullptr, 0, 50, confirmFileName);
            break;
    }
}

LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND w = reinterpret_cast<HWND>(wParam);
    // The main dialog itself is never answered.
    const bool mainDialog =
        GetWindowLongPtrW(w, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(MainDlgProc);
    if (code == HCBT_ACTIVATE && current && isDialog(w) && !mainDialog && answered.insert(w).second)
        answer(w);
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

// Records the context menu's item states when it opens, then closes it again.
LRESULT CALLBACK menuProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_INITMENUPOPUP && menuStates) {
        HMENU popup = reinterpret_cast<HMENU>(m->wParam);
        for (int id : {IDM_SAVE, IDM_SAVEAS, IDM_CLOSE, IDM_LOAD, IDM_DELETE})
            menuStates->push_back(GetMenuState(popup, id, MF_BYCOMMAND));
        PostMessageA(m->hwnd, WM_CANCELMODE, 0, 0);
    }
    return CallNextHookEx(menuHook, code, wParam, lParam);
}

void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA e;
    HANDLE f = FindFirstFileA((dir + "*").c_str(), &e);
    if (f != INVALID_HANDLE_VALUE) {
        do {
            const std::string n = e.cFileName;
            if (n == "." || n == "..") continue;
            if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(dir + n + "\\");
            } else {
                SetFileAttributesA((dir + n).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((dir + n).c_str());
            }
        } while (FindNextFileA(f, &e));
        FindClose(f);
    }
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

std::deque<Answer>& PendingAnswers() {
    static std::deque<Answer> answers;
    return answers;
}

TempFolder::TempFolder() {
    static int counter = 0;
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    // Wine reuses small process ids, so the clock keeps names of earlier runs apart.
    path = std::string(tmp) + "velmor-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "-" + std::to_string(++counter) + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
    SetCurrentDirectoryA(path.c_str());
}

TempFolder::~TempFolder() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    SetCurrentDirectoryA(tmp);
    removeTree(path);
}

std::vector<std::string> TempFolder::List() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA e;
    HANDLE f = FindFirstFileA((path + "*").c_str(), &e);
    if (f == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string n = e.cFileName;
        if (n != "." && n != "..") names.push_back(n);
    } while (FindNextFileA(f, &e));
    FindClose(f);
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadFileBytes(const std::string& path) {
    Bytes b;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
        std::fclose(f);
    }
    return b;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes TemplateBytes() { return Bytes(newCharTemplate, newCharTemplate + TEMPLATE_SIZE); }

void Put16(Bytes& b, unsigned offset, unsigned value) {
    b[offset] = value & 0xFF;
    b[offset + 1] = (value >> 8) & 0xFF;
}

Bytes NewSave(const std::string& name, int classCode) {
    static const unsigned short start[7][4] = {{20, 15, 25, 20}, {10, 35, 25, 10}, {10, 25, 25, 15},
                                               {25, 15, 20, 25}, {30, 10, 20, 25}, {15, 20, 20, 25},
                                               {20, 25, 20, 20}};
    Bytes b = TemplateBytes();
    const std::string base = name.substr(0, name.find('.'));
    std::copy(base.begin(), base.end(), b.begin() + 8);
    b[34] = static_cast<unsigned char>(classCode);
    for (int i = 0; i < 4; ++i) Put16(b, 565 + 4 * i, start[classCode][i]);
    if (classCode >= 5) b[24] |= 0x20;
    return b;
}

// Points the program's import of a function at a replacement; returns the previous target.
void* PatchImport(const char* dll, const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0) continue;
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD old;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            return previous;
        }
    }
    return nullptr;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

Editor::Editor(const char* commandLine) {
    g_hInst = GetModuleHandleA(nullptr);
    current = this;
    answered.clear();
    cbtHook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
    menuHook = SetWindowsHookExA(WH_CALLWNDPROC, menuProc, nullptr, GetCurrentThreadId());
    dlg = CreateDialogParamW(g_hInst, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDlgProc,
                             reinterpret_cast<LPARAM>(commandLine));
    // What the system posted while the dialog came up (coming to the foreground posts the
    // folder check) is handled before the test acts, not inside its first modal question.
    Pump();
}

Editor::~Editor() {
    EXPECT_TRUE(PendingAnswers().empty()) << PendingAnswers().size() << " answers unused";
    if (dlg) {
        // Whatever the test left unsaved is refused, so that no file changes here.
        PendingAnswers().assign(4, Answer(Answer::No));
        Close();
    }
    PendingAnswers().clear();
    UnhookWindowsHookEx(cbtHook);
    UnhookWindowsHookEx(menuHook);
    current = nullptr;
}

void Editor::Close() {
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    DestroyWindow(dlg);
    dlg = nullptr;
}

void Editor::Expect(Answer a) { PendingAnswers().push_back(a); }

std::string Editor::Text(int id) const { return windowText(GetDlgItem(dlg, id)); }

std::string Editor::Title() const { return windowText(dlg); }

void Editor::Type(int id, const std::string& text) {
    HWND edit = GetDlgItem(dlg, id);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
}

std::vector<std::string> Editor::ListEntries() const {
    std::vector<std::string> entries;
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[256] = "";
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

std::string Editor::SelectedEntry() const {
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    char text[256] = "";
    if (sel != LB_ERR) SendMessageA(list, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(text));
    return text;
}

void Editor::Select(const std::string& name) {
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const LRESULT at =
        SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_NE(LB_ERR, at) << name;
    SendMessageA(list, LB_SETCURSEL, at, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void Editor::DoubleClick(const std::string& name) {
    Select(name);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_FILELIST)));
}

void Editor::Command(int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Editor::Key(int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

UINT Editor::MenuState(int id) {
    SendMessageA(dlg, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(dlg)), 0);
    return GetMenuState(GetMenu(dlg), id, MF_BYCOMMAND);
}

bool Editor::Checked(int id) const {
    return (GetMenuState(GetMenu(dlg), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

bool Editor::Grayed(int id) const {
    return (GetMenuState(GetMenu(dlg), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::vector<std::string> Editor::ClassEntries() const {
    std::vector<std::string> entries;
    HWND combo = GetDlgItem(dlg, IDC_CLASS);
    const int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[64] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

std::string Editor::ClassSelected() const { return Text(IDC_CLASS); }

void Editor::SelectClass(int index) { SendDlgItemMessageA(dlg, IDC_CLASS, CB_SETCURSEL, index, 0); }

bool Editor::Enabled(int id) const { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }

std::vector<UINT> Editor::RightClick(POINT screen) {
    std::vector<UINT> states;
    menuStates = &states;
    SendMessageA(dlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDC_FILELIST)),
                 MAKELPARAM(screen.x, screen.y));
    menuStates = nullptr;
    return states;
}

POINT Editor::EntryPoint(const std::string& name) const {
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const LRESULT at =
        SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
    RECT r = {};
    SendMessageA(list, LB_GETITEMRECT, at, reinterpret_cast<LPARAM>(&r));
    POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    return p;
}
