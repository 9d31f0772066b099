// Loading with its size and signature limits, and saving that never loses the old file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "TestUtil.h"
#include "app/AppData.h"
#include "doc/Doc.h"
#include "support/mbConsole.h"

namespace {

Bytes SaveOfSize(std::size_t n) {
    Bytes b = ExpectedTemplate();
    b.resize(n, 0x5A);
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

TEST_F(DocFile, AcceptsSixHundredSixtyToOneHundredThousandBytes) {
    for (std::size_t n : {660, 706, 100000}) {
        ASSERT_TRUE(Open(SaveOfSize(n))) << n;
        EXPECT_EQ(n, ad.length);
        EXPECT_EQ(n + 20, ad.capacity);
        EXPECT_EQ(SaveOfSize(n), DocBytes(ad));
        EXPECT_EQ(dir / "c.d2s", ad.filename.cstr());
    }
    for (std::size_t n : {0, 3, 659, 100001, 250000}) {
        EXPECT_FALSE(Open(SaveOfSize(n))) << n;
        EXPECT_FALSE(ad.fileopen());
    }
}

TEST_F(DocFile, AFailedLoadDropsThePreviousDocument) {
    ASSERT_TRUE(Open(ExpectedTemplate()));
    Bytes bad = ExpectedTemplate();
    bad[3] = 0xAB;
    EXPECT_FALSE(Open(bad));
    EXPECT_FALSE(ad.fileopen());
    EXPECT_EQ(0u, ad.length);
    EXPECT_TRUE(ad.filename == "");
    EXPECT_FALSE(DocOpenFile(ad, (dir / "missing.d2s").c_str()));
    EXPECT_FALSE(DocOpenFile(ad, dir.path.c_str()));
    EXPECT_TRUE(ConsoleMessages().empty());
}

TEST_F(DocFile, SavesTheDocumentByteForByte) {
    const Bytes sample = ReadBytes(TestData("d2v108.d2s"));
    ASSERT_TRUE(Open(sample));
    ASSERT_TRUE(DocSaveFile(ad, (dir / "copy.d2s").c_str()));
    EXPECT_EQ(sample, ReadBytes(dir / "copy.d2s"));
    EXPECT_EQ((std::vector<std::string>{"c.d2s", "copy.d2s"}), dir.List());
    EXPECT_EQ(dir / "c.d2s", ad.filename.cstr());
}

TEST_F(DocFile, SavingNeedsADocumentAndAnExistingFolder) {
    EXPECT_FALSE(DocSaveFile(ad, (dir / "x.d2s").c_str()));
    EXPECT_EQ(std::vector<std::string>{"no datapointer in DocSaveFile"}, ConsoleMessages());
    ConsoleClearMessages();
    ASSERT_TRUE(Open(ExpectedTemplate()));
    EXPECT_FALSE(DocSaveFile(ad, (dir / "no/such/x.d2s").c_str()));
    EXPECT_TRUE(ConsoleMessages().empty());
    EXPECT_NE(std::string(DocSaveError()).find("No such file"), std::string::npos);
}

TEST_F(DocFile, RefusesToWriteNewerFormats) {
    for (const char* name : {"d2v109b.d2s", "d2v110f.d2s"}) {
        const Bytes sample = ReadBytes(TestData(name));
        ASSERT_TRUE(Open(sample)) << name;
        const Bytes before = ReadBytes(dir / "c.d2s");
        ConsoleClearMessages();
        EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
        EXPECT_EQ(before, ReadBytes(dir / "c.d2s"));
        ASSERT_EQ(1u, ConsoleMessages().size());
        const std::string version = std::to_string(sample[4]);
        EXPECT_EQ("format version " + version +
                      " cannot be saved: only versions 87 and 89 have this layout",
                  ConsoleMessages()[0]);
    }
    Bytes v71 = ExpectedTemplate();
    v71[4] = 71;
    ASSERT_TRUE(Open(v71));
    EXPECT_FALSE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
    Bytes v87 = ExpectedTemplate();
    v87[4] = 87;
    ASSERT_TRUE(Open(v87));
    EXPECT_TRUE(DocSaveFile(ad, (dir / "c.d2s").c_str()));
}

TEST_F(DocFile, AFailedWriteLeavesTheOldFileAsItWas) {
    const Bytes old = ReadBytes(TestData("d2v107.d2s"));
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

TEST_F(DocFile, ReplacingASaveByAFolderFailsTheSave) {
    ASSERT_TRUE(Open(ExpectedTemplate()));
    ASSERT_EQ(0, mkdir((dir / "folder.d2s").c_str(), 0755));
    EXPECT_FALSE(DocSaveFile(ad, (dir / "folder.d2s").c_str()));
    EXPECT_EQ((std::vector<std::string>{"c.d2s", "folder.d2s"}), dir.List());
}
