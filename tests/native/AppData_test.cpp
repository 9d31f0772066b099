// Application state: dropping a document and the one-line exit log.
#include "app/AppData.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <regex>

#include "TestUtil.h"
#include "app/Constants.h"

TEST(AppData, ResetForgetsTheFileButKeepsTheFolders) {
    cAppData ad;
    ASSERT_TRUE(LoadDoc(ad, ExpectedTemplate()));
    ad.savedir = "C:\\Saves\\";
    ad.cmdfile = "Hero.d2s";
    ad.reset();
    EXPECT_FALSE(ad.fileopen());
    EXPECT_FALSE(ad.exp());
    EXPECT_EQ(0u, ad.length);
    EXPECT_TRUE(ad.filename == "");
    EXPECT_FALSE(ad.player != PlayerData());
    EXPECT_FALSE(ad.loaded != PlayerData());
    EXPECT_TRUE(ad.savedir == "C:\\Saves\\");
    EXPECT_TRUE(ad.cmdfile == "Hero.d2s");
}

TEST(AppData, ExpansionFlagIsBitFiveOfTheStatus) {
    cAppData ad;
    Bytes file = ExpectedTemplate();
    file[24] = 0x20;
    ASSERT_TRUE(LoadDoc(ad, file));
    EXPECT_TRUE(ad.exp());
    file[24] = 0xDF;
    ASSERT_TRUE(LoadDoc(ad, file));
    EXPECT_FALSE(ad.exp());
}

namespace {

// Runs body in a temporary current folder, where the log file's name lands.
template <typename F>
std::vector<std::string> InFolder(F body) {
    TempDir dir;
    char old[4096];
    if (!getcwd(old, sizeof old) || chdir(dir.path.c_str()) != 0) return {"chdir failed"};
    body();
    const std::vector<std::string> files = dir.List();
    if (chdir(old) != 0) return {"chdir back failed"};
    return files;
}

}  // namespace

TEST(AppData, TheLogHoldsOnlyTheExitLine) {
    std::string text;
    const auto files = InFolder([&] {
        {
            cAppData ad;
            ad.clearLogFile();
            ad.log("not kept ");
            ad.clearLogFile();
        }
        std::ifstream in(logfile);
        std::getline(in, text, '\0');
    });
    EXPECT_EQ(std::vector<std::string>{logfile}, files);
    EXPECT_TRUE(std::regex_match(text, std::regex("App exit->  \\d\\d/\\d\\d/\\d\\d "
                                                  "\\d\\d:\\d\\d:\\d\\d\n")))
        << text;
}

TEST(AppData, WithoutTheLogNoFileAppears) {
    const auto files = InFolder([] { cAppData ad; });
    EXPECT_TRUE(files.empty());
}
