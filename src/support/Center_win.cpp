#include "support/Center_win.h"

#include <algorithm>

void CenterOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT o = {}, d = {};
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(dialog, &d)) return;
    const LONG width = d.right - d.left, height = d.bottom - d.top;
    LONG x = o.left + (o.right - o.left - width) / 2;
    LONG y = o.top + (o.bottom - o.top - height) / 2;
    MONITORINFO m = {};
    m.cbSize = sizeof m;
    if (GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &m)) {
        x = std::max(m.rcWork.left, std::min(x, m.rcWork.right - width));
        y = std::max(m.rcWork.top, std::min(y, m.rcWork.bottom - height));
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
