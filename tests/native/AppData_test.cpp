// The one-line exit log.
#include "core/AppData.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>

#include "TestUtil.h"
#include "core/Constants.h"

// In a fresh current folder: only the exit line is kept, and only if a log was started.
TEST(AppData, TheLogHoldsOnlyTheExitLineOfARunThatStartedIt) {
    for (const bool started : {false, true}) {
        TempDir dir;
        char old[4096];
        ASSERT_TRUE(getcwd(old, sizeof old) && chdir(dir.path.c_str()) == 0);
        if (started) {
            cAppData ad;
            ad.clearLogFile();
            ad.log("not kept ");
            ad.clearLogFile();
        }
        ASSERT_EQ(0, chdir(old));
        const Bytes b = ReadBytes(dir / logfile);
        const std::regex exitLine("App exit->  \\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d\n");
        EXPECT_EQ(started, std::regex_match(std::string(b.begin(), b.end()), exitLine));
        EXPECT_EQ(started ? 1u : 0u, Snapshot(dir.path).size());
    }
}
