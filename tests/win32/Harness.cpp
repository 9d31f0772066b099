#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <set>

#include "app/App_win.h"
#include "doc/Doc.h"
#include "monitor/Monitor_win.h"
#include "res/resource.h"

namespace fs = std::filesystem;

namespace {

Editor* current = nullptr;
HHOOK cbtHook = nullptr;
std::set<HWND> answered;
std::deque<Answer> answers;

const int kFileNameCombo = 0x47c;  // cmb13, the file name of the common file dialog

std::string windowText(HWND w) {
    wchar_t text[512] = L"";
    char out[1024] = "";
    GetWindowTextW(w, text, 512);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

void post(HWND dlg, int id) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The file dialog fills its name box from its file view while it starts up; the typed name
// is given again until it has stayed in place for a tick, then confirmed.
HWND fileDialog = nullptr;
std::string fileDialogName;

void CALLBACK confirmFileName(HWND, UINT, UINT_PTR timer, DWORD) {
    char now[MAX_PATH] = "";
    GetDlgItemTextA(fileDialog, kFileNameCombo, now, sizeof now);
    if (IsWindow(fileDialog) && fileDialogName != now) {
        SetDlgItemTextA(fileDialog, kFileNameCombo, fileDialogName.c_str());
        return;
    }
    KillTimer(nullptr, timer);
    if (IsWindow(fileDialog)) post(fileDialog, IDOK);
}

// Presses the answer's button; an unexpected dialog, or one without that button, fails
// the test and is refused.
void answer(HWND dlg) {
    const bool isFileDialog = GetDlgItem(dlg, kFileNameCombo) != nullptr;
    std::string seen = isFileDialog ? "file dialog" : windowText(dlg) + "|";
    for (int id : {IDC_CONFIRM_TEXT, IDC_MESSAGE_TEXT, 0xFFFF})  // 0xFFFF: a system message
        if (HWND t = GetDlgItem(dlg, id)) seen += windowText(t);
    current->shown.push_back(seen);
    // The program's own questions and messages open centred on the main window.
    RECT d = {}, o = {};
    if (GetDlgItem(dlg, IDC_CONFIRM_TEXT) || GetDlgItem(dlg, IDC_MESSAGE_TEXT)) {
        EXPECT_TRUE(GetWindowRect(dlg, &d) && GetWindowRect(GetWindow(dlg, GW_OWNER), &o));
        EXPECT_NEAR(o.left + o.right, d.left + d.right, 4) << seen;
        EXPECT_NEAR(o.top + o.bottom, d.top + d.bottom, 4) << seen;
    }
    if (answers.empty()) ADD_FAILURE() << "unexpected dialog " << seen;
    const Answer a = answers.empty() ? Answer(Answer::Cancel) : answers.front();
    if (!answers.empty()) answers.pop_front();
    const int button[] = {IDC_CONFIRM_YES, IDC_CONFIRM_NO, IDC_MESSAGE_OK};
    if (a.kind == Answer::Custom) {
        a.action(dlg);
    } else if (a.kind == Answer::SaveAs && isFileDialog) {
        fileDialog = dlg;
        fileDialogName = fs::absolute(a.fileName).string();
        SetTimer(nullptr, 0, 50, confirmFileName);
    } else if (a.kind <= Answer::Ok && GetDlgItem(dlg, button[a.kind])) {
        post(dlg, button[a.kind]);
    } else {
        if (a.kind != Answer::Cancel) ADD_FAILURE() << "cannot answer " << a.kind << " there";
        post(dlg, IDCANCEL);
    }
}

LRESULT CALLBACK cbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND w = reinterpret_cast<HWND>(wParam);
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    // The main dialog itself is never answered.
    const bool main = GetWindowLongPtrW(w, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(MainDlgProc);
    if (code == HCBT_ACTIVATE && current && !std::strcmp(cls, "#32770") && !main &&
        answered.insert(w).second)
        answer(w);
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

}  // namespace

void ExpectAsFile(const std::string& text, const std::string& name) {
    const std::string path = VELMOR_TEST_DATA "/expected/" + name;
    if (std::getenv("VELMOR_UPDATE_EXPECTED")) {
        fs::create_directories(fs::path(path).parent_path());
        return WriteBytes(path, Bytes(text.begin(), text.end()));
    }
    const Bytes want = ReadBytes(path);
    EXPECT_EQ(std::string(want.begin(), want.end()), text) << path;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    for (const ULONGLONG end = GetTickCount64() + ms;; Sleep(10)) {
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount64() > end) return false;
    }
}

TempFolder::TempFolder() {
    static int counter = 0;
    // Wine reuses small process ids, so the clock keeps names of earlier runs apart.
    const std::string name = "velmor-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
    path = (fs::temp_directory_path() / name).string() + "\\";
    fs::create_directories(path);
    fs::current_path(path);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(path, ec);
}

Names TempFolder::List() const {
    Names names;
    for (const auto& e : fs::directory_iterator(path))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes NewSave(const std::string& name, int classCode) {
    Bytes b = Named(Bytes(newCharTemplate, newCharTemplate + TEMPLATE_SIZE), name);
    b[34] = static_cast<unsigned char>(classCode);
    if (classCode >= 5) b[24] |= 0x20;  // the expansion's classes need an expansion file
    return b;
}

Editor::Editor(const char* commandLine, Lang lang) {
    g_hInst = GetModuleHandleA(nullptr);
    LangSet(lang);
    current = this;
    answered.clear();
    cbtHook = SetWindowsHookExA(WH_CBT, cbtProc, nullptr, GetCurrentThreadId());
    dlg = CreateDialogIndirectParamW(g_hInst, LangDialog(IDD_MAIN), nullptr, MainDlgProc,
                                     reinterpret_cast<LPARAM>(commandLine));
    // What the system posted while the dialog came up (coming to the foreground posts the
    // folder check) is handled before the test acts, not inside its first modal question.
    WaitFor([] { return true; });
}

Editor::~Editor() {
    EXPECT_TRUE(answers.empty()) << answers.size() << " answers unused";
    // Whatever the test left unsaved is refused, so that no file changes here.
    answers.assign(4, Answer(Answer::No));
    if (dlg) Close();
    answers.clear();
    UnhookWindowsHookEx(cbtHook);
    current = nullptr;
}

void Editor::Close() {
    SendMessageA(dlg, WM_CLOSE, 0, 0);
    DestroyWindow(dlg);
    dlg = nullptr;
}

void Editor::AwayAndBack(const std::function<void()>& change, bool deliver) {
    SendMessageA(dlg, WM_ACTIVATEAPP, FALSE, 0);
    if (change) {
        // A second watcher of the folder: once it has seen the change, so has the window's,
        // which counts it when it is paused.
        cMonitor witness;
        witness.Start(fs::current_path().string().c_str());
        change();
        EXPECT_TRUE(WaitFor([&] { return witness.DirChange(); })) << "no change signalled";
    }
    SendMessageA(dlg, WM_ACTIVATEAPP, TRUE, 0);  // posts the folder check
    if (deliver) WaitFor([] { return true; });
}

void Editor::Expect(Answer a) { answers.push_back(a); }

std::string Editor::Text(int id) const { return windowText(GetDlgItem(dlg, id)); }

std::string Editor::Title() const { return windowText(dlg); }

void Editor::Type(int id, const std::string& text) {
    HWND edit = GetDlgItem(dlg, id);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
}

Names Editor::ListEntries() const {
    Names entries(SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCOUNT, 0, 0));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        char text[256] = "";
        SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
}

std::string Editor::SelectedEntry() const {
    const LRESULT sel = SendDlgItemMessageA(dlg, IDC_FILELIST, LB_GETCURSEL, 0, 0);
    return sel == LB_ERR ? "" : ListEntries()[sel];
}

void Editor::Select(const std::string& name, bool doubleClick) {
    HWND list = GetDlgItem(dlg, IDC_FILELIST);
    const LRESULT at =
        SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_NE(LB_ERR, at) << name;
    SendMessageA(list, LB_SETCURSEL, at, 0);
    for (WORD code : {LBN_SELCHANGE, LBN_DBLCLK})
        if (code == LBN_SELCHANGE || doubleClick)
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, code),
                         reinterpret_cast<LPARAM>(list));
}

void Editor::Command(int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::vector<int> Editor::MenuItems(const std::vector<int>& ids, UINT flag, bool set) {
    SendMessageA(dlg, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(dlg)), 0);
    std::vector<int> found;
    for (int id : ids)
        if (((GetMenuState(GetMenu(dlg), id, MF_BYCOMMAND) & flag) != 0) == set)
            found.push_back(id);
    return found;
}
