// The About box, from the Info menu and from the system menu.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

namespace {

Names* texts = nullptr;  // the texts of the visit under way
HWND about = nullptr;

// Records each new text; closes the box once the cycle has shown two.
void CALLBACK watch(HWND, UINT, UINT_PTR timer, DWORD) {
    char text[256] = "";
    GetDlgItemTextA(about, IDC_ABOUT_TEXT, text, sizeof text);
    if (texts->empty() || texts->back() != text) texts->push_back(text);
    if (texts->size() < 3) return;
    KillTimer(nullptr, timer);
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}

// Rests the mouse on the cycling text and watches it; notes whether the picture is there.
Answer Visit(Names& seen) {
    return Answer([&seen](HWND dlg) {
        texts = &seen;
        about = dlg;
        if (!SendDlgItemMessageA(dlg, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0))
            seen.push_back("no picture");
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
    Names first, second;
    ed.Expect(Visit(first));
    ed.Command(IDM_ABOUT);
    ed.Expect(Visit(second));
    SendMessageA(ed.hwnd(), WM_SYSCOMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(3u, first.size());  // the resource's text, then two of the cycle
    EXPECT_NE(first[1], first[2]);
    EXPECT_EQ(first, second);
    EXPECT_EQ(Names(2, "关于本修改器...|"), ed.shown);
}
