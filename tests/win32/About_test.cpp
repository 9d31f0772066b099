// The About box, from the Info menu and from the system menu.
#include <gtest/gtest.h>

#include <set>

#include "Harness.h"
#include "res/resource.h"

namespace {

// Rests the mouse on the cycling text and records each new text until the cycle has shown
// three, then closes the box; notes whether the picture is there.
Answer Visit(Names& seen) {
    return Answer([&seen](HWND dlg) {
        if (!SendDlgItemMessageA(dlg, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0))
            seen.push_back("no picture");
        RECT r;
        GetWindowRect(GetDlgItem(dlg, IDC_ABOUT_TEXT), &r);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(dlg, &p);
        PostMessageA(dlg, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        EXPECT_TRUE(WaitFor([&] {
            char text[256] = "";
            GetDlgItemTextA(dlg, IDC_ABOUT_TEXT, text, sizeof text);
            if (seen.empty() || seen.back() != text) seen.push_back(text);
            return seen.size() == 4;
        }));
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
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
    SendMessageA(ed.dlg, WM_SYSCOMMAND, IDM_ABOUT, 0);
    ASSERT_EQ(4u, first.size());  // the resource's text, then three of the cycle
    EXPECT_EQ(3u, std::set<std::string>(first.begin() + 1, first.end()).size());
    EXPECT_EQ(first, second);
    EXPECT_EQ(Names(2, "关于本修改器...|"), ed.shown);
}
