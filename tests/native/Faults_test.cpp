// Saving when the file system refuses: a full file system and a read-only one, each mounted
// for the test in a mount namespace of its own. After each failure the old save is byte for
// byte as it was, the user is told, and nothing else in the folder changed.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "TestUtil.h"

namespace {

// Runs body in a child process with its own mount namespace and a small tmpfs mounted on
// dir; the child's exit status is body's result. Skips where namespaces are not allowed.
int WithTmpfs(const std::string& dir, const char* options, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0) _exit(77);
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(77);
        if (mount("tmpfs", dir.c_str(), "tmpfs", 0, options) != 0) _exit(77);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// The checks of the child, as exit codes: 0 when all held.
int Check(bool ok, int code) { return ok ? 0 : code; }

}  // namespace

TEST(Faults, AFullFileSystemKeepsTheOldSave) {
    TempDir dir;
    const int result = WithTmpfs(dir.path, "size=16k", [&] {
        WriteBytes(dir / "Rogar.d2s", ExpectedTemplate());
        // Fill the file system so that not even one more save fits.
        WriteBytes(dir / "filler", Bytes(16 * 1024, 1));
        const auto before = dir.List();
        const CliResult r = RunCli({"set", "Rogar.d2s", "strength=99", "--no-backup"}, dir.path);
        if (int bad = Check(r.status == 1, 1)) return bad;
        if (int bad = Check(r.err.find("No space left") != std::string::npos, 2)) return bad;
        if (int bad = Check(ReadBytes(dir / "Rogar.d2s") == ExpectedTemplate(), 3)) return bad;
        return Check(dir.List() == before, 4);
    });
    if (result == 77) GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(0, result);
}

TEST(Faults, AReadOnlyFolderIsRefusedWithTheReason) {
    TempDir dir;
    const int result = WithTmpfs(dir.path, "size=64k", [&] {
        WriteBytes(dir / "Rogar.d2s", ExpectedTemplate());
        if (mount("tmpfs", dir.path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 77;
        const CliResult set = RunCli({"set", "Rogar.d2s", "level=5"}, dir.path);
        if (int bad = Check(set.status == 1, 1)) return bad;
        if (int bad = Check(set.err.find("Read-only file system") != std::string::npos, 2))
            return bad;
        const CliResult made = RunCli({"new", "Paladin", "Aldric.d2s"}, dir.path);
        if (int bad = Check(made.status == 1, 3)) return bad;
        if (int bad = Check(ReadBytes(dir / "Rogar.d2s") == ExpectedTemplate(), 4)) return bad;
        return Check(dir.List() == std::vector<std::string>{"Rogar.d2s"}, 5);
    });
    if (result == 77) GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(0, result);
}
