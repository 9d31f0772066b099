// The folder monitor against real folders. Changes are awaited with a deadline; that a
// change is not counted is checked where the monitor cannot count it any more (paused,
// stopped or destroyed), so that no check passes merely because it looked too early.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "Harness.h"
#include "monitor/Monitor_win.h"

namespace {

struct MonitorTest : testing::Test {
    TempFolder dir;
    std::string a = dir / "a", b = dir / "b";
    cMonitor monitor;
    void SetUp() override {
        CreateDirectoryA(a.c_str(), nullptr);
        CreateDirectoryA(b.c_str(), nullptr);
        WriteFileBytes(a + "\\old.d2s", {1});
    }
    bool changeSeen() {
        return WaitFor([this] { return monitor.DirChange(); });
    }
};

}  // namespace

TEST_F(MonitorTest, EachKindOfChangeIsCountedUntilReset) {
    const struct {
        const char* what;
        std::function<void()> act;
    } changes[] = {
        {"created", [&] { WriteFileBytes(a + "\\new.d2s", {1}); }},
        {"rewritten",
         [&] {
             WriteFileBytes(a + "\\old.d2s", {1, 2, 3});
         }},
        {"renamed", [&] { MoveFileA((a + "\\new.d2s").c_str(), (a + "\\n.d2s").c_str()); }},
        {"deleted", [&] { DeleteFileA((a + "\\n.d2s").c_str()); }},
        {"folder created", [&] { CreateDirectoryA((a + "\\sub").c_str(), nullptr); }},
    };
    for (const auto& change : changes) {
        monitor.Start(a.c_str());
        change.act();
        EXPECT_TRUE(changeSeen()) << change.what;
        monitor.Pause();
        monitor.Reset();
        EXPECT_FALSE(monitor.DirChange()) << change.what;
    }
}

// Each step ends where the monitor is not watching: what it did not count by then, it
// never counts.
TEST_F(MonitorTest, OnlyTheFolderWatchedSinceTheLastStartCounts) {
    monitor.Start(a.c_str());
    monitor.Pause();
    WriteFileBytes(a + "\\paused.d2s", {1});
    EXPECT_FALSE(monitor.DirChange());
    monitor.Start(b.c_str());  // the same worker, another folder
    WriteFileBytes(b + "\\watched.d2s", {1});
    EXPECT_TRUE(changeSeen());
    monitor.Reset();
    monitor.Stop();
    WriteFileBytes(b + "\\stopped.d2s", {1});
    EXPECT_FALSE(monitor.DirChange());
    monitor.Start((dir / "missing").c_str());  // cannot be watched: the worker ends
    monitor.Start(a.c_str());                  // and the next start builds another
    WriteFileBytes(a + "\\again.d2s", {1});
    EXPECT_TRUE(changeSeen());
}

DWORD WINAPI destroy(void* monitor) {
    delete static_cast<cMonitor*>(monitor);
    return 0;
}

TEST_F(MonitorTest, DestructionEndsTheWorkerWhetherWatchingOrPaused) {
    for (const bool paused : {false, true}) {
        auto* doomed = new cMonitor;
        doomed->Start(a.c_str());
        if (paused) doomed->Pause();
        HANDLE helper = CreateThread(nullptr, 0, destroy, doomed, 0, nullptr);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(helper, 5000)) << "paused " << paused;
        CloseHandle(helper);
    }
}
