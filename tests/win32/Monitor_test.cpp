// The folder monitor against real folders. Changes are awaited with a deadline; that a
// change is not counted is checked only where the monitor cannot count it any more (paused
// or stopped), so that no check passes merely because it looked too early. The monitor here
// ends paused and the harness's witness ends watching: a destructor that failed to end the
// worker would hang the test.
#include <gtest/gtest.h>

#include "Harness.h"
#include "monitor/Monitor_win.h"

// Rows: the folder watched from now on (empty: stop), what is done in it, whether that is
// counted. Between rows the monitor is paused, checked and reset. The first row sees a
// second change after the first: the watch is re-armed.
TEST(Monitor, CountsEachKindOfChangeInTheFolderWatchedSinceTheLastStart) {
    TempFolder dir;
    CreateDirectoryA((dir / "b").c_str(), nullptr);
    cMonitor monitor;
    const auto seen = [&] { return monitor.DirChange(); };
    const auto write = [&](const char* name) { return [&, name] { WriteBytes(dir / name, {1}); }; };
    // clang-format off
    const struct { std::string folder; std::function<void()> act; bool counted; } rows[] = {
        {dir.path, [&] { write("one.d2s")(), WaitFor(seen), monitor.Reset(), write("new.d2s")(); }, true},
        {dir.path, write("new.d2s"), true},
        {dir.path, [&] { MoveFileA((dir / "new.d2s").c_str(), (dir / "n.d2s").c_str()); }, true},
        {dir.path, [&] { DeleteFileA((dir / "n.d2s").c_str()); }, true},
        {dir.path, [&] { CreateDirectoryA((dir / "sub").c_str(), nullptr); }, true},
        {"", write("stopped.d2s"), false}, {dir / "b", write("elsewhere.d2s"), false},
        {dir / "missing", write("unwatched.d2s"), false}, {dir.path, write("again.d2s"), true}};
    // clang-format on
    for (const auto& r : rows) {
        r.folder.empty() ? monitor.Stop() : monitor.Start(r.folder.c_str());
        r.act();
        EXPECT_TRUE(!r.counted || WaitFor(seen)) << r.folder;
        monitor.Pause();
        EXPECT_EQ(r.counted, monitor.DirChange()) << r.folder;
        monitor.Reset();
    }
}
