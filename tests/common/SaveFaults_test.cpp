// Each system call of a save made to fail in turn, on both systems, through the table of the
// calls the file layer makes. The save is a Save As over an existing Other.d2s: its backup
// is copied first, then the save written, then the source's side file hero.ma4 copied.
// Every call is logged; a row names the call that fails (its n-th use) and its errno, the
// stage that stops, and the calls that follow; the folder is compared whole afterwards.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <map>

#include "Bytes.h"
#include "core/AppData.h"
#include "doc/Doc.h"
#include "doc/DocSave.h"
#include "support/File.h"
#include "support/FileCalls.h"

namespace {

namespace fs = std::filesystem;

struct {
    std::string call;
    int nth, err, seen;
} fault;
std::string calls, taken;  // the log; a temporary name that another program took first
std::size_t failed;        // where the failed call ends in the log
FileCalls real;

// Logs the call; true when it is the one to fail, with errno set. A name to be found taken
// is created here, as another program would, before the real call.
bool Fails(const char* call, const char* name = "") {
    calls += std::string(calls.empty() ? "" : " ") + call;
    if (call != fault.call || ++fault.seen != fault.nth) return false;
    failed = calls.size() + 1;
    if (fault.err == EEXIST) return WriteBytes(taken = name, {'t'}), false;
    errno = fault.err;
    return true;
}

int Open(const char* name, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int mode = va_arg(args, int);
    va_end(args);
    return Fails("open", name) ? -1 : real.open(name, flags, mode);
}

#ifdef _WIN32
BOOL WINAPI Move(LPCSTR from, LPCSTR to, DWORD flags) {
    // Without write-through the data could reach the disk after the new name.
    if (Fails(flags == (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? "rename" : "move"))
        return SetLastError(ERROR_ACCESS_DENIED), FALSE;
    return real.MoveFileExA(from, to, flags);
}
#else
int Move(const char* from, const char* to) { return Fails("rename") ? -1 : real.rename(from, to); }
#endif

// clang-format off
const FileCalls kFakes = {
    [](auto... a) { return Fails("fopen") ? nullptr : real.fopen(a...); },
    [](auto... a) { return Fails("fread") ? 0 : real.fread(a...); },
    [](auto... a) { return Fails("fwrite") ? 0 : real.fwrite(a...); },
    [](auto... a) { return Fails("fflush") ? EOF : real.fflush(a...); },
    [](auto... a) { const int closed = real.fclose(a...); return Fails("fclose") ? EOF : closed; },
    [](auto... a) { return Fails("remove"), real.remove(a...); },
    Open,
    [](auto... a) { return Fails("fdopen") ? nullptr : real.fdopen(a...); },
    [](auto... a) { return Fails("sync") ? -1 : real.sync(a...); },
    Move};
// clang-format on

}  // namespace

TEST(Save, EachSystemCallFailsInTurn) {
    const std::string copy = "fopen fread fread fclose ",
                      write = "open fdopen fwrite fflush sync fclose rename";
    const struct {
        std::string call;
        int nth, err;
        DocError code;                 // Ok with a message: the side file not copied
        std::string says, file, then;  // the message's start, the file it names, later calls
    } rows[] = {
        // clang-format off
        {"", 0, 0, DocError::Ok, "", "", copy + write + " " + write + " " + copy + write},
        {"open", 1, EEXIST, DocError::Ok, "", "", write + " " + write + " " + copy + write},
        {"open", 1, EACCES, DocError::BackupFailed, "cannot create a file beside", "Other.bakvelmor", ""},
        {"fdopen", 2, ENOMEM, DocError::CannotWrite, "cannot create a file beside", "Other.d2s", "remove"},
        {"fwrite", 2, ENOSPC, DocError::CannotWrite, "cannot write the temporary file for", "Other.d2s", "fclose remove"},
        {"fflush", 1, ENOSPC, DocError::BackupFailed, "cannot flush the temporary file for", "Other.bakvelmor", "fclose remove"},
        {"sync", 2, EIO, DocError::CannotWrite, "cannot sync the temporary file for", "Other.d2s", "fclose remove"},
        {"fclose", 3, ENOSPC, DocError::CannotWrite, "cannot close the temporary file for", "Other.d2s", "remove"},
        {"rename", 2, EACCES, DocError::CannotWrite, "cannot replace", "Other.d2s", "remove"},
        {"fopen", 1, EACCES, DocError::BackupFailed, "cannot open", "Other.d2s", ""},
        {"fread", 1, EIO, DocError::BackupFailed, "cannot read", "Other.d2s", "fclose"},
        {"fopen", 2, EACCES, DocError::Ok, "cannot open", "hero.ma4", ""},
        {"fread", 3, EIO, DocError::Ok, "cannot read", "hero.ma4", "fclose"},
        {"rename", 3, EACCES, DocError::Ok, "cannot replace", "Other.ma4", "remove"},
    };  // clang-format on
    const Bytes hero = Sample("d2v107.d2s"), old = {'o', 'l', 'd'}, ma4 = {'m', 'a', 'p'};
    const fs::path dir =
        fs::temp_directory_path() /
        ("velmor-" + std::to_string(std::chrono::system_clock::now().time_since_epoch().count()));
    auto at = [&](const std::string& name) { return (dir / name).string(); };
    auto list = [&] {
        std::map<std::string, Bytes> files;
        for (const auto& e : fs::directory_iterator(dir))
            files[e.path().filename().string()] = ReadBytes(e.path().string());
        return files;
    };
    real = fileCalls;
    SaveChoices how;
    how.encode = false;
    how.saveAs = how.replace = true;
    how.source = at("hero.d2s");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call + std::to_string(row.nth));
        fs::create_directory(dir);
        WriteBytes(at("hero.d2s"), hero);
        WriteBytes(at("hero.ma4"), ma4);
        WriteBytes(at("Other.d2s"), old);
        std::map<std::string, Bytes> want = list();
        const bool side = row.code == DocError::Ok && !row.says.empty();
        if (row.code == DocError::Ok)
            want["Other.bakvelmor"] = old, want["Other.d2s"] = Named(hero, "Other");
        if (row.code == DocError::Ok && !side) want["Other.ma4"] = ma4;
        cAppData ad;
        ASSERT_TRUE(DocOpenFile(ad, at("hero.d2s").c_str()));
        fault = {row.call, row.nth, row.err, 0}, calls.clear(), taken.clear();
        failed = 0;
        fileCalls = kFakes;
        const SaveResult r = DocSave(ad, at("Other.d2s"), how);
        fileCalls = real;
        if (!taken.empty()) want[fs::path(taken).filename().string()] = {'t'};
        EXPECT_EQ(row.code, r.code);
        EXPECT_EQ(side, r.warnings.size() == 1);
        EXPECT_EQ(
            row.says.empty() ? "" : row.says + " " + at(row.file) + ": " + std::strerror(row.err),
            side && !r.warnings.empty() ? r.warnings[0] : r.detail);
        EXPECT_EQ(row.then, calls.substr(std::min(failed, calls.size())));
        EXPECT_EQ(want, list());
        fs::remove_all(dir);
    }
    // A copy's limit at a whole number of reads; a folder missing, or a file in its place.
    fs::create_directory(dir);
    for (const Bytes& big : {Bytes(65537, 'b'), Bytes(65536, 'b')}) {
        WriteBytes(at("big"), big);
        EXPECT_EQ(big.size() == 65536,
                  FileCopyAtomic(at("big").c_str(), at("copy").c_str(), 65536));
        EXPECT_EQ(big.size() == 65536 ? big : Bytes(), ReadBytes(at("copy")));
    }
    cAppData ad;
    WriteBytes(at("hero.d2s"), hero);
    ASSERT_TRUE(DocOpenFile(ad, at("hero.d2s").c_str()));
    for (const char* folder : {"no", "hero.d2s"})
        EXPECT_EQ(DocError::NoFolder, DocSave(ad, (dir / folder / "Copy.d2s").string(), how).code);
    fs::remove_all(dir);
}
