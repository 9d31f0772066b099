// Folder monitor against real folders: every change is made on disk and observed through the
// worker thread, so each expectation waits (bounded) for the asynchronous effect.
#include "monitor/Monitor_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

const DWORD kPatienceMs = 5000;  // upper bound for an effect that should come
const DWORD kQuietMs = 300;      // how long "nothing happens" is watched

bool waitUntil(const std::function<bool()>& done) {
    for (DWORD waited = 0; !done(); waited += 20) {
        if (waited >= kPatienceMs) return false;
        Sleep(20);
    }
    return true;
}

void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

void writeFile(const std::string& path, const char* text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fputs(text, f);
    std::fclose(f);
}

class MonitorTest : public testing::Test {
protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, tmp), 0u);
        const std::string base = std::string(tmp) + "velmor-mon-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++serial);
        a = base + "-a";
        b = base + "-b";
        missing = base + "-missing";
        for (const std::string& dir : {a, b, missing}) removeTree(dir);  // a stale earlier run
        ASSERT_TRUE(CreateDirectoryA(a.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(b.c_str(), nullptr));
    }
    void TearDown() override {
        monitor.Exit();
        removeTree(a);
        removeTree(b);
    }

    bool changeSeen() {
        return waitUntil([this] { return monitor.DirChange(); });
    }
    bool stillNoChange() {
        Sleep(kQuietMs);
        return !monitor.DirChange();
    }
    bool workerEnded() {
        return waitUntil([this] { return !monitor.WorkerRunning(); });
    }

    static int serial;
    HWND__* const owner = nullptr;
    std::string a, b, missing;
    cMonitor monitor;
};

int MonitorTest::serial = 0;

TEST_F(MonitorTest, EachKindOfChangeSetsTheFlagUntilReset) {
    writeFile(a + "\\old.d2s", "before");
    const struct {
        const char* what;
        std::function<void()> act;
    } changes[] = {
        {"file created", [&] { writeFile(a + "\\new.d2s", "x"); }},
        {"file rewritten", [&] { writeFile(a + "\\old.d2s", "after, and longer"); }},
        {"file renamed", [&] { MoveFileA((a + "\\new.d2s").c_str(), (a + "\\n.d2s").c_str()); }},
        {"file deleted", [&] { DeleteFileA((a + "\\n.d2s").c_str()); }},
        {"folder created", [&] { CreateDirectoryA((a + "\\sub").c_str(), nullptr); }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        monitor.Start(owner, a.c_str());
        change.act();
        EXPECT_TRUE(changeSeen());
        monitor.Pause();
        monitor.Reset();
        EXPECT_FALSE(monitor.DirChange());
    }
    EXPECT_EQ(monitor.WorkersStarted(), 1);
}

TEST_F(MonitorTest, NothingChangedLeavesTheFlagClear) {
    monitor.Start(owner, a.c_str());
    EXPECT_TRUE(stillNoChange());
    monitor.Pause();
    EXPECT_TRUE(monitor.WorkerRunning());
    EXPECT_FALSE(monitor.DirChange());
}

TEST_F(MonitorTest, WatchIsReArmedAfterEachChange) {
    monitor.Start(owner, a.c_str());
    writeFile(a + "\\one.d2s", "1");
    ASSERT_TRUE(changeSeen());
    Sleep(kQuietMs);  // let the notifications of that one write settle
    monitor.Reset();
    EXPECT_TRUE(stillNoChange()) << "a spent notification keeps firing";
    writeFile(a + "\\two.d2s", "2");
    EXPECT_TRUE(changeSeen());
    EXPECT_TRUE(monitor.WorkerRunning());
}

TEST_F(MonitorTest, ChangesWhilePausedAreNotCounted) {
    monitor.Start(owner, a.c_str());
    monitor.Pause();
    writeFile(a + "\\paused.d2s", "x");
    EXPECT_TRUE(stillNoChange());
    monitor.Start(owner, a.c_str());
    EXPECT_TRUE(stillNoChange()) << "the change made while paused came through late";
    writeFile(a + "\\watched.d2s", "x");
    EXPECT_TRUE(changeSeen());
}

TEST_F(MonitorTest, NewFolderIsWatchedByTheSameWorker) {
    monitor.Start(owner, a.c_str());
    monitor.Pause();
    monitor.Start(owner, b.c_str());
    EXPECT_EQ(monitor.WorkersStarted(), 1);
    EXPECT_TRUE(monitor.WorkerRunning());
    writeFile(a + "\\old-folder.d2s", "x");
    EXPECT_TRUE(stillNoChange());
    writeFile(b + "\\new-folder.d2s", "x");
    EXPECT_TRUE(changeSeen());
}

TEST_F(MonitorTest, FolderThatCannotBeWatchedEndsTheWorker) {
    monitor.Start(owner, missing.c_str());
    EXPECT_EQ(monitor.WorkersStarted(), 1);
    EXPECT_TRUE(workerEnded());
    EXPECT_FALSE(monitor.DirChange());
}

TEST_F(MonitorTest, RetargetToMissingFolderKeepsTheFlagAndNextStartBuildsAWorker) {
    monitor.Start(owner, a.c_str());
    writeFile(a + "\\f.d2s", "x");
    ASSERT_TRUE(changeSeen());
    monitor.Pause();
    monitor.Start(owner, missing.c_str());
    EXPECT_TRUE(workerEnded());
    EXPECT_TRUE(monitor.DirChange());

    monitor.Reset();
    monitor.Start(owner, b.c_str());
    EXPECT_EQ(monitor.WorkersStarted(), 2);
    writeFile(b + "\\g.d2s", "x");
    EXPECT_TRUE(changeSeen());
}

TEST_F(MonitorTest, StopEndsTheWorkerAndStartBuildsANewOne) {
    monitor.Stop();  // never started: nothing to do
    EXPECT_EQ(monitor.WorkersStarted(), 0);

    monitor.Start(owner, a.c_str());
    monitor.Stop();
    EXPECT_FALSE(monitor.WorkerRunning());
    writeFile(a + "\\unwatched.d2s", "x");
    EXPECT_TRUE(stillNoChange());

    monitor.Start(owner, a.c_str());
    EXPECT_EQ(monitor.WorkersStarted(), 2);
    writeFile(a + "\\watched.d2s", "x");
    EXPECT_TRUE(changeSeen());
}

DWORD WINAPI destroy(void* monitor) {
    delete static_cast<cMonitor*>(monitor);
    return 0;
}

TEST_F(MonitorTest, DestructionJoinsTheWorker) {
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused" : "watching");
        auto doomed = std::make_unique<cMonitor>();
        doomed->Start(owner, a.c_str());
        if (paused) doomed->Pause();
        HANDLE worker = OpenThread(SYNCHRONIZE, FALSE, doomed->WorkerThreadId());
        ASSERT_NE(worker, nullptr);

        HANDLE helper = CreateThread(nullptr, 0, destroy, doomed.release(), 0, nullptr);
        ASSERT_NE(helper, nullptr);
        EXPECT_EQ(WaitForSingleObject(helper, kPatienceMs), WAIT_OBJECT_0) << "destructor hangs";
        // Joined means the worker had ended by the time the destructor returned.
        EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
        CloseHandle(helper);
        CloseHandle(worker);
    }
}

}  // namespace
