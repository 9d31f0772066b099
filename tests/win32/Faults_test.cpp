// The window when the file system is unusual: a current folder longer than the path buffers
// and a save replaced by a folder of the same name.
#include <gtest/gtest.h>

#include "Harness.h"
#include "res/resource.h"

TEST(Faults, ALongCurrentFolderStillSaves) {
    TempFolder dir;
    std::vector<std::wstring> levels;
    // 256 characters with the closing backslash: one more than the folder buffer holds.
    std::string deep = dir.path;
    while (deep.size() < 256) {
        deep += std::string(std::min<std::size_t>(40, 255 - deep.size()), 'f') + "\\";
        const std::wstring wide(deep.begin(), deep.end() - 1);
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + wide).c_str(), nullptr)) << deep.size();
        levels.push_back(L"\\\\?\\" + wide);
    }
    ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str()));
    WriteFileBytes("Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_STRENGTH, "77");
    ed.Command(IDM_SAVE);
    Bytes expected = NewSave("Rogar", 4);
    Put16(expected, 565, 77);
    // Bare names: the full paths are longer than the file functions take.
    EXPECT_EQ(expected, ReadFileBytes("Rogar.d2s"));
    EXPECT_EQ(NewSave("Rogar", 4), ReadFileBytes("Rogar.bakvelmor"));
    // The status line shows as much of the folder as fits, cut rather than overrun.
    const std::string status = ed.Text(IDC_STATUS);
    EXPECT_EQ(0u, status.find(deep.substr(0, 200)));
    ed.Close();
    SetCurrentDirectoryA(dir.path.c_str());
    // Paths this long need the extended form to be removed.
    for (const wchar_t* name : {L"Rogar.d2s", L"Rogar.bakvelmor"})
        DeleteFileW((levels.back() + L"\\" + name).c_str());
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        RemoveDirectoryW(level->c_str());
}

TEST(Faults, ASaveReplacedByAFolderIsReportedAndKept) {
    TempFolder dir;
    WriteFileBytes(dir / "Rogar.d2s", NewSave("Rogar", 4));
    Editor ed;
    ed.Select("Rogar.d2s");
    ed.Type(IDC_LEVEL, "9");
    DeleteFileA((dir / "Rogar.d2s").c_str());
    CreateDirectoryA((dir / "Rogar.d2s").c_str(), nullptr);
    ed.Expect({Answer::Ok});
    ed.Command(IDM_SAVE);
    ASSERT_EQ(1u, ed.shown.size());
    EXPECT_EQ("Could not save Rogar.d2s!\nThe file on disk is unchanged.", ed.shown[0].text);
    EXPECT_EQ((std::vector<std::string>{"Rogar.d2s"}), dir.List());
    EXPECT_EQ("9", ed.Text(IDC_LEVEL));  // the edit is still there to save elsewhere
}
