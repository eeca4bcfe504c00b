#include "client/core/win/shell_operations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

struct ShortcutContent {
  std::string target;
  std::string workingFolder;
};

bool ReadShortcut(const std::string& linkPath, ShortcutContent& content) {
  ComApartment com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid()))) {
    return false;
  }
  ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
  if (!file || FAILED(file->Load(GbkToWide(linkPath).c_str(), STGM_READ))) return false;
  char text[MAX_PATH] = {};
  if (FAILED(link->GetPath(text, MAX_PATH, nullptr, 0))) return false;
  content.target = text;
  if (FAILED(link->GetWorkingDirectory(text, MAX_PATH))) return false;
  content.workingFolder = text;
  return true;
}

std::string WithoutTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

TEST(CreateShortcut, LinksToTheTargetWithItsFolderAsWorkingFolder) {
  winkit::TempFolder temp;
  const std::string folder = temp.Path("壁纸程序");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string target = folder + "\\muralbox.exe";
  ASSERT_TRUE(winkit::WriteTextFile(target, "MZ"));
  const std::string link = temp.Path("墨岚屏.lnk");

  ASSERT_TRUE(CreateShortcut(target, link));
  ASSERT_TRUE(winkit::FileExists(link));
  ShortcutContent content;
  ASSERT_TRUE(ReadShortcut(link, content));
  EXPECT_EQ(content.target, target);
  EXPECT_EQ(WithoutTrailingBackslash(content.workingFolder), folder);
}

TEST(CreateShortcut, FailsWhenTheLinkCannotBeSaved) {
  winkit::TempFolder temp;
  ASSERT_TRUE(winkit::WriteTextFile(temp.Path("target.exe"), "MZ"));
  EXPECT_FALSE(CreateShortcut(temp.Path("target.exe"), temp.Path("missing\\folder\\x.lnk")));
}

TEST(ShellDeletePath, DeletesFilesAndFoldersSilentlyEitherWay) {
  winkit::TempFolder temp;
  const std::string file = temp.Path("风景.jpg");
  const std::string folder = temp.Path("分类");
  ASSERT_TRUE(winkit::WriteTextFile(file, "x"));
  ASSERT_TRUE(winkit::MakeFolders(folder + "\\sub"));
  ASSERT_TRUE(winkit::WriteTextFile(folder + "\\a.jpg", "x"));
  ASSERT_TRUE(winkit::WriteTextFile(folder + "\\sub\\b.jpg", "x"));
  const std::string kept = temp.Path("kept.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(kept, "x"));

  EXPECT_TRUE(ShellDeletePath(file, false));
  EXPECT_FALSE(winkit::FileExists(file));
  EXPECT_TRUE(ShellDeletePath(folder, false));
  EXPECT_FALSE(winkit::FileExists(folder));

  const std::string permanent = temp.Path("gone.jpg");
  ASSERT_TRUE(winkit::WriteTextFile(permanent, "x"));
  EXPECT_TRUE(ShellDeletePath(permanent, true));
  EXPECT_FALSE(winkit::FileExists(permanent));
  EXPECT_TRUE(winkit::FileExists(kept)) << "nothing else went";
}

TEST(ShellDeletePath, EmptyPathSucceedsMissingPathAndWildcardsFail) {
  winkit::TempFolder temp;
  ASSERT_TRUE(winkit::WriteTextFile(temp.Path("a.jpg"), "x"));
  ASSERT_TRUE(winkit::WriteTextFile(temp.Path("b.jpg"), "x"));
  EXPECT_TRUE(ShellDeletePath("", false));
  EXPECT_FALSE(ShellDeletePath(temp.Path("missing.jpg"), false));
  EXPECT_FALSE(ShellDeletePath(temp.Path("*.jpg"), true));
  EXPECT_FALSE(ShellDeletePath(temp.Path("?.jpg"), true));
  EXPECT_TRUE(winkit::FileExists(temp.Path("a.jpg")));
  EXPECT_TRUE(winkit::FileExists(temp.Path("b.jpg")));
}

// Records what OpenUrlInBrowser asks for instead of starting a browser.
class RecordingLauncher : public BrowserLauncher {
 public:
  explicit RecordingLauncher(bool navigationWorks) : navigationWorks_(navigationWorks) {
    SetBrowserLauncher(this);
  }
  ~RecordingLauncher() override { SetBrowserLauncher(nullptr); }

  bool NavigateNewWindow(const std::string& url) override {
    navigated.push_back(url);
    return navigationWorks_;
  }
  bool ShellOpen(const std::string& program, const std::string& parameters, int showMode) override {
    opened.push_back(program + "|" + parameters + "|" + std::to_string(showMode));
    return true;
  }

  std::vector<std::string> navigated;
  std::vector<std::string> opened;

 private:
  bool navigationWorks_;
};

TEST(OpenUrlInBrowser, NavigatesANewBrowserWindow) {
  RecordingLauncher launcher(true);
  OpenUrlInBrowser("http://127.0.0.1/register.html");
  EXPECT_EQ(launcher.navigated, std::vector<std::string>{"http://127.0.0.1/register.html"});
  EXPECT_TRUE(launcher.opened.empty());
}

TEST(OpenUrlInBrowser, FailedNavigationStartsTheBrowserMinimisedWithTheQuotedUrl) {
  RecordingLauncher launcher(false);
  OpenUrlInBrowser("http://h/service.jsp?a=1&b=\"x\" -new");
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], "IEXPLORE.EXE|\"http://h/service.jsp?a=1&b=%22x%22 -new\"|2");
}

TEST(OpenFolderAndSelect, RefusesAMissingItem) { EXPECT_FALSE(OpenFolderAndSelect(nullptr)); }

}  // namespace
}  // namespace mb
