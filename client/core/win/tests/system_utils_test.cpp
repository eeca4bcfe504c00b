#include "client/core/win/system_utils.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "tests/winkit/winkit.h"

namespace mb {
namespace {

// A folder name whose second byte is '\\' (GBK "誠"), and an ordinary Chinese one.
const std::string kTrailBackslashName = "\xD5\x5C";
const std::string kChineseName = "壁纸";

std::string ProbePath() { return winkit::BinFolder() + "show_state_probe.exe"; }

// Polls for a file, up to timeoutMs.
bool WaitForFile(const std::string& path, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!winkit::FileExists(path)) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// Names in the folder other than "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

bool IsFolderOnDisk(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ModulePaths, FolderOfTheProgramWithItsBackslash) {
  const std::string file = GetModuleFilePath();
  const std::string folder = GetModuleDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(file.compare(0, folder.size(), folder), 0);
  EXPECT_EQ(file.substr(folder.size()), "client_core_system_tests.exe");
}

TEST(FileTests, FilesAndFoldersByTheirSearches) {
  winkit::TempFolder temp;
  const std::string file = temp.Path(kChineseName + ".jpg");
  ASSERT_TRUE(winkit::WriteTextFile(file, "x"));
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(PathExists(file));
  EXPECT_FALSE(FileExists(temp.Path("missing.jpg")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(PathExists(temp.Root().substr(0, temp.Root().size() - 1))) << "a folder is found too";
}

TEST(CreateDirectoryPath, CreatesThreeMissingParentsAndTheFolder) {
  winkit::TempFolder temp;
  const std::string first = temp.Path(kChineseName);
  const std::string second = first + "\\" + kTrailBackslashName;
  const std::string third = second + "\\c";
  const std::string target = third + "\\" + kTrailBackslashName;
  EXPECT_TRUE(CreateDirectoryPath(target + "\\"));
  for (const std::string& folder : {first, second, third, target}) EXPECT_TRUE(IsFolderOnDisk(folder)) << folder;
  // Nothing was made of a trail byte read as a backslash: the first folder holds one entry.
  EXPECT_EQ(FolderEntries(first), std::vector<std::string>{kTrailBackslashName});

  EXPECT_TRUE(CreateDirectoryPath(target)) << "an existing folder is there afterwards";
  EXPECT_TRUE(CreateDirectoryPath(temp.Path("plain")));
  EXPECT_TRUE(IsFolderOnDisk(temp.Path("plain")));
}

TEST(CreateDirectoryPath, FailsWhereAFileStandsInTheWay) {
  winkit::TempFolder temp;
  ASSERT_TRUE(winkit::WriteTextFile(temp.Path("file"), "x"));
  EXPECT_FALSE(CreateDirectoryPath(temp.Path("file")));
  EXPECT_FALSE(CreateDirectoryPath(temp.Path("file\\below\\deeper")));
  EXPECT_FALSE(CreateDirectoryPath(""));
}

TEST(CountFolderFiles, CountsPlainVisibleFilesOnly) {
  winkit::TempFolder temp;
  for (const char* name : {"a.jpg", "b.png", "c.txt", "Thumbs.db", "hidden.jpg"}) {
    ASSERT_TRUE(winkit::WriteTextFile(temp.Path(name), "x"));
  }
  ASSERT_TRUE(SetFileAttributesA(temp.Path("hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryA(temp.Path("sub").c_str(), nullptr));
  ASSERT_TRUE(winkit::WriteTextFile(temp.Path("sub\\inner.jpg"), "x"));
  EXPECT_EQ(CountFolderFiles(temp.Root()), 3);
  EXPECT_EQ(CountFolderFiles(temp.Path("sub")), 1);
  EXPECT_EQ(CountFolderFiles(temp.Path("missing")), 0);
}

TEST(SystemFolders, CommonFilesAndStartupFoldersExist) {
  const std::string commonFiles = GetCommonFilesFolder();
  EXPECT_TRUE(IsFolderOnDisk(commonFiles)) << commonFiles;
  EXPECT_NE(commonFiles.find("Common Files"), std::string::npos) << commonFiles;
  EXPECT_NE(commonFiles.back(), '\\');

  const std::string startup = GetStartupFolderPath();
  ASSERT_FALSE(startup.empty());
  EXPECT_EQ(startup.back(), '\\');
}

TEST(RunProcess, ShowFlagChoosesDefaultOrHidden) {
  winkit::TempFolder temp;
  const std::string shown = temp.Path("shown.txt");
  const std::string hidden = temp.Path("hidden.txt");
  ASSERT_TRUE(RunProcess("\"" + ProbePath() + "\" " + shown, true, true));
  EXPECT_EQ(winkit::ReadTextFile(shown), "1 " + std::to_string(SW_SHOWDEFAULT));
  ASSERT_TRUE(RunProcess("\"" + ProbePath() + "\" " + hidden, false, true));
  EXPECT_EQ(winkit::ReadTextFile(hidden), "1 " + std::to_string(SW_HIDE));
}

TEST(RunProcess, WithoutWaitReturnsWhileTheChildRuns) {
  winkit::TempFolder temp;
  const std::string result = temp.Path("late.txt");
  ASSERT_TRUE(RunProcess("\"" + ProbePath() + "\" " + result + " 1500", false, false));
  EXPECT_FALSE(winkit::FileExists(result));
  EXPECT_TRUE(WaitForFile(result, 10000));
}

TEST(RunProcess, MissingProgramIsNotStarted) {
  winkit::TempFolder temp;
  EXPECT_FALSE(RunProcess("\"" + temp.Path("missing.exe") + "\"", true, true));
}

TEST(WindowText, ReadsAtMost260BytesAndTellsWhenFilled) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  std::string text;

  SetWindowTextA(window, "壁纸 title");
  EXPECT_FALSE(GetWindowTextString(window, text));
  EXPECT_EQ(text, "壁纸 title");

  SetWindowTextA(window, std::string(300, 'a').c_str());
  EXPECT_TRUE(GetWindowTextString(window, text));
  EXPECT_EQ(text, std::string(260, 'a'));

  // 259 single bytes and then a double-byte character: the character is not cut in two.
  SetWindowTextA(window, (std::string(259, 'a') + "壁纸").c_str());
  EXPECT_TRUE(GetWindowTextString(window, text));
  EXPECT_EQ(text, std::string(259, 'a'));
  DestroyWindow(window);
}

TEST(UnixTime, AgreesWithTheRuntimeClock) {
  const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
  const std::int64_t now = GetUnixTime();
  const std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_GE(now, before);
  EXPECT_LE(now, after + 1);
}

}  // namespace
}  // namespace mb
