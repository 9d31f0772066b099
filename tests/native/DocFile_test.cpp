// Loading with its size and signature limits, the files that are never written, the
// checksum, and saving that never loses the old file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"

namespace {

Bytes Sample(const char* name) { return ReadBytes(TestData(name)); }

Bytes Template(unsigned version, std::size_t size) {
    Bytes b = ExpectedTemplate();
    b[4] = version & 0xFF;
    b[5] = version >> 8;
    b.resize(size, 0x5A);
    return b;
}

class DocFile : public ::testing::Test {
protected:
    void SetUp() override {
        ConsoleEchoMessages(false);
        ConsoleClearMessages();
    }
    bool Open(const Bytes& b) {
        WriteBytes(dir / "c.d2s", b);
        return DocOpenFile(ad, (dir / "c.d2s").c_str());
    }
    TempDir dir;
    cAppData ad;
};

}  // namespace

TEST_F(DocFile, SizeLimitsFollowTheVersion) {
    const struct {
        unsigned version;
        std::size_t size;
        bool loads;
    } rows[] = {{89, 660, true}, {89, 659, false}, {89, 100000, true}, {89, 100001, false},
                {98, 335, true}, {98, 334, false}, {92, 335, true},    {71, 659, false},
                {89, 3, false},  {89, 0, false}};
    for (const auto& r : rows) {
        EXPECT_EQ(r.loads, Open(Template(r.version, r.size))) << r.version << " " << r.size;
        EXPECT_EQ(r.loads ? Template(r.version, r.size) : Bytes(), DocBytes(ad));
        EXPECT_EQ(r.loads ? r.size + 20 : 0, ad.capacity);
    }
    Bytes bad = ExpectedTemplate();
    bad[3] = 0xAB;
    ASSERT_TRUE(Open(ExpectedTemplate()));
    EXPECT_FALSE(Open(bad));
    EXPECT_TRUE(!ad.fileopen() && ad.filename == "");
    EXPECT_TRUE(ConsoleMessages().empty());
}

TEST_F(DocFile, FilesItCannotWriteAreRefusedUntouched) {
    const std::string versions = "only versions 87, 89, 92, 96, 97, 98 and 99 can be saved";
    const std::string early = "the file ends before its attributes (a character not yet played)";
    const std::string moved = "its sections are not where its version keeps them";
    const Bytes descending = {0x01, 0x0A, 0x00, 0x50, 0xC0, 0x7F};  // ids 1, 0 hand-encoded
    const struct {
        const char* what;
        std::function<Bytes()> file;
        std::string reason;
    } rows[] = {
        {"71", [] { return Template(71, 706); }, versions},
        {"105", [] { return Template(105, 706); }, versions},
        {"89 + 256", [] { return Template(89 + 256, 706); }, versions},
        {"header only", [] { return Sample("98_InitialSave.d2s"); }, early},
        {"gf moved",
         [] {
             Bytes b = Sample("d2v110f.d2s");
             b[765] = 'x';
             return b;
         },
         moved},
        {"unknown id",
         [] {
             Bytes b = Sample("d2v110f.d2s");
             b[767] = 20;
             return b;
         },
         moved},
        {"ids out of order",
         [&] {
             Bytes b = Sample("d2v110f.d2s");
             b.erase(b.begin() + 767, b.begin() + 803);
             b.insert(b.begin() + 767, descending.begin(), descending.end());
             return b;
         },
         moved},
        {"slots past the end",
         [] {
             Bytes b = Sample("d2v109b.d2s");
             b.resize(800);
             return b;
         },
         moved},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const Bytes file = r.file();
        ConsoleClearMessages();
        ASSERT_TRUE(Open(file));
        DocGetData(ad);
        ad.player.strength = 99;
        DocSetData(ad);
        EXPECT_EQ(file, DocBytes(ad));
        EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(file, ReadBytes(dir / "c.d2s"));
        ASSERT_EQ(1u, ConsoleMessages().size());
        EXPECT_EQ("format version " + std::to_string(file[4] | file[5] << 8) +
                      " cannot be saved: " + r.reason,
                  ConsoleMessages()[0]);
    }
}

TEST_F(DocFile, ChecksumIsVerifiedAndRewritten) {
    const std::pair<const char*, std::uint32_t> rows[] = {{"d2v109b.d2s", 0x53A06752},
                                                          {"d2v110f.d2s", 0x3710CAE0}};
    for (const auto& r : rows) {
        const Bytes sample = Sample(r.first);
        EXPECT_EQ(r.second, DocChecksum(sample.data(), sample.size()));
        Bytes wrong = sample;
        Put32(wrong, 12, 0x12345678);
        Put32(wrong, 8, 1);
        ASSERT_TRUE(Open(wrong));
        EXPECT_FALSE(DocChecksumOk(ad));
        EXPECT_NE(std::string::npos, DocVersionText(ad).find("checksum wrong"));
        ASSERT_TRUE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(sample, ReadBytes(dir / "c.d2s"));
    }
}

TEST_F(DocFile, AFailedWriteLeavesTheOldFileAsItWas) {
    const Bytes old = Sample("d2v107.d2s");
    WriteBytes(dir / "keep.d2s", old);
    ASSERT_TRUE(Open(ExpectedTemplate()));
    // A file-size limit below the document's size makes the write fail part-way.
    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {300, 300};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(DocSaveFile(ad, (dir / "keep.d2s").c_str()) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "the save reported success";
    EXPECT_EQ(old, ReadBytes(dir / "keep.d2s"));
    EXPECT_EQ((std::vector<std::string>{"c.d2s", "keep.d2s"}), dir.List());
}
