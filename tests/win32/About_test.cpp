// The About box, from the Info menu and from the system menu.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

// The texts the box showed while the mouse rested on the cycling text, and its picture.
struct Visit {
    std::vector<std::string> texts;
    bool picture = false;
};

Visit* visit = nullptr;
HWND about = nullptr;
ULONGLONG deadline = 0;

// Records each new text; closes the box once it has shown two, or when time is up.
void CALLBACK watch(HWND, UINT, UINT_PTR timer, DWORD) {
    char text[256] = "";
    GetDlgItemTextA(about, IDC_ABOUT_TEXT, text, sizeof text);
    if (visit->texts.empty() || visit->texts.back() != text) visit->texts.push_back(text);
    if (visit->texts.size() < 3 && GetTickCount64() < deadline) return;
    KillTimer(nullptr, timer);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}

Answer Rest(Visit& v) {
    return Answer([&v](HWND dlg) {
        visit = &v;
        about = dlg;
        deadline = GetTickCount64() + 5000;
        v.picture = SendDlgItemMessageA(dlg, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0);
        RECT r;
        GetWindowRect(GetDlgItem(dlg, IDC_ABOUT_TEXT), &r);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(dlg, &p);
        PostMessageA(dlg, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        SetTimer(nullptr, 0, 20, watch);
    });
}

}  // namespace

// The text cycles while the mouse rests on it, and each opening starts the cycle afresh.
TEST(About, TextCyclesFromTheStartAtEachOpening) {
    TempFolder dir;
    Editor ed;
    Visit first, second;
    ed.Expect(Rest(first));
    ed.Command(IDM_ABOUT);
    ed.Expect(Rest(second));
    SendMessageA(ed.hwnd(), WM_SYSCOMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(3u, first.texts.size());  // the resource's text, then two of the cycle
    EXPECT_NE(first.texts[1], first.texts[2]);
    EXPECT_EQ(first.texts, second.texts);
    EXPECT_TRUE(first.picture && second.picture);
    ASSERT_EQ(2u, ed.shown.size());
    EXPECT_EQ("关于本修改器...", ed.shown[1].caption);
}
