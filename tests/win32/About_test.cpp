// The About box and the exit log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "Harness.h"
#include "res/resource.h"

namespace {

int sounds = 0;

BOOL WINAPI CountingPlaySound(LPCSTR, HMODULE, DWORD) {
    ++sounds;
    return TRUE;
}

// What one opening of the About box showed.
struct Visit {
    std::vector<std::string> texts;  // the cycling text, each change once
    bool picture = false;
};

Visit* visit = nullptr;
HWND about = nullptr;
DWORD started = 0;
DWORD stayMs = 0;
int rightClicks = 0;
bool closeBox = false;

void CALLBACK Watch(HWND, UINT, UINT_PTR timer, DWORD) {
    char text[256] = "";
    GetDlgItemTextA(about, IDC_ABOUT_TEXT, text, sizeof text);
    if (text[0] && (visit->texts.empty() || visit->texts.back() != text))
        visit->texts.push_back(text);
    if (GetTickCount() - started < stayMs) return;
    KillTimer(nullptr, timer);
    for (int i = 0; i < rightClicks; ++i) {
        PostMessageA(about, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
        PostMessageA(about, WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    PostMessageA(about, closeBox ? WM_CLOSE : WM_COMMAND, closeBox ? 0 : IDCANCEL, 0);
}

// Rests the mouse on the cycling text for a while, right-clicks, and closes the box.
Answer Stay(Visit& v, DWORD ms, int clicks, bool useCloseBox) {
    return Answer([&v, ms, clicks, useCloseBox](HWND dlg) {
        visit = &v;
        about = dlg;
        stayMs = ms;
        rightClicks = clicks;
        closeBox = useCloseBox;
        started = GetTickCount();
        v.picture = SendDlgItemMessageA(dlg, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        RECT r;
        GetWindowRect(GetDlgItem(dlg, IDC_ABOUT_TEXT), &r);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(dlg, &p);
        PostMessageA(dlg, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        SetTimer(nullptr, 0, 50, Watch);
    });
}

}  // namespace

TEST(About, TextCyclesWhileTheMouseRestsAndTheChimePlaysOncePerOpening) {
    void* real = PatchImport("winmm.dll", "PlaySoundA", reinterpret_cast<void*>(CountingPlaySound));
    ASSERT_NE(nullptr, real);
    TempFolder dir;
    Editor ed;
    Visit first, second, quiet;
    ed.Expect(Stay(first, 2100, 2, false));
    ed.Command(IDM_ABOUT);
    EXPECT_TRUE(first.picture);
    ASSERT_GE(first.texts.size(), 3u);
    EXPECT_NE(first.texts[0], first.texts[1]);
    EXPECT_NE(first.texts[1], first.texts[2]);
    EXPECT_NE(first.texts[0], first.texts[2]);
    EXPECT_EQ(1, sounds);
    // The cycle goes on where it stopped; the close box ends the box as Escape does.
    ed.Expect(Stay(second, 800, 1, true));
    ed.Command(IDM_ABOUT);
    EXPECT_EQ(2, sounds);
    ASSERT_FALSE(second.texts.empty());
    EXPECT_NE(first.texts.back(), second.texts.back());
    ed.Expect(Stay(quiet, 100, 0, false));
    SendMessageA(ed.hwnd(), WM_SYSCOMMAND, IDM_ABOUT, 0);
    EXPECT_EQ(2, sounds);
    EXPECT_EQ(3u, ed.shown.size());
    EXPECT_EQ("关于本修改器...", ed.shown[0].caption);
    PatchImport("winmm.dll", "PlaySoundA", real);
}

namespace {

const char* const kLog = "C:\\velmorexplog.txt";

HWND windowOf(DWORD pid) {
    struct Find {
        DWORD pid;
        HWND hwnd;
    } find = {pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != f->pid || !GetDlgItem(w, IDC_FILELIST)) return TRUE;
            f->hwnd = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hwnd;
}

// Runs the editor in a process of its own, sends it the commands, and lets it exit.
void RunEditor(const std::vector<int>& commands) {
    std::string exe = VELMOR_EXE;
    for (char& c : exe) c = c == '/' ? '\\' : c;
    std::string line = "\"Z:" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    TempFolder dir;
    ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                               dir.path.c_str(), &si, &pi))
        << line;
    HWND w = nullptr;
    for (int i = 0; i < 500 && !w; ++i, Sleep(20)) w = windowOf(pi.dwProcessId);
    ASSERT_NE(nullptr, w);
    for (int id : commands) PostMessageA(w, WM_COMMAND, id, 0);
    PostMessageA(w, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

std::string LogText() {
    const Bytes b = ReadFileBytes(kLog);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(Log, HoldsTheSingleExitLineOfARunThatStartedIt) {
    WriteFileBytes(kLog, {'o', 'l', 'd', '\n'});
    RunEditor({});
    EXPECT_EQ("old\n", LogText());
    RunEditor({IDM_STARTLOG, IDM_STARTLOG});
    EXPECT_TRUE(std::regex_match(
        LogText(), std::regex("App exit->  \\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\r?\n")))
        << LogText();
    DeleteFileA(kLog);
    RunEditor({});
    EXPECT_FALSE(PathExists(kLog));
}
