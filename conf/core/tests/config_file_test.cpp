#include "conf/core/config_file.h"

#include <gtest/gtest.h>

#include "common/atomic_file.h"
#include "common/sdom_doc.h"
#include "common/tests/temp_folder.h"

namespace mb::conf {
namespace {

const char kDefaultFile[] =
    "[USER]\r\nuser=\r\noperatehighlight=0\r\nshowoperatedialog=1\r\nhidetotray=1\r\nexittip=0\r\n"
    "listview=0\r\nshowfilename=0\r\nshowfilesize=1\r\nshowfilepath=1\r\nshowimagesize=1\r\nshowremark=0\r\n"
    "showtitle=0\r\nshowfiletype=0\r\nshowimagesource=0\r\nshowpk=0\r\nshowgridline=1\r\nOpenHostRun=1\r\n"
    "classifyversion=0\r\nactiveversion=0\r\nthemeversion=0\r\n\r\n[GUI]\r\n\r\n[CLIENTID]\r\ncid= \r\n"
    "\r\n[LINKLIST]\r\n";

TEST(ConfigFile, DefaultsAreWrittenInTheFileOrder) {
  EXPECT_EQ(FormatConfigFile(ConfigFileValues{}), kDefaultFile);
}

TEST(ConfigFile, EveryNumberSurvivesASaveAndALoad) {
  TempFolder folder;
  const std::string path = folder.Path("config.dat");
  ConfigFileValues saved;
  int next = 2;
  for (int* member : {&saved.operateHighlight, &saved.showOperateDialog, &saved.hideToTray, &saved.exitTip,
                      &saved.defaultListView, &saved.showFileName, &saved.showFileSize, &saved.showFilePath,
                      &saved.showImageSize, &saved.showRemark, &saved.showTitle, &saved.showFileType,
                      &saved.showImageSource, &saved.showPk, &saved.showGridLine, &saved.openHostRun,
                      &saved.classifyVersion, &saved.activeVersion, &saved.themeVersion}) {
    *member = next++;
  }
  saved.themeVersion = -7;
  saved.userName = "li^^\r\n[GUI]";  // written as it is, cut where it would break its line
  ASSERT_TRUE(SaveConfigFile(path, saved));

  ConfigFileValues loaded;
  ASSERT_EQ(LoadConfigFile(path, loaded), ConfigFileState::Loaded);
  EXPECT_EQ(FormatConfigFile(loaded), FormatConfigFile([&] {
              ConfigFileValues expected = saved;
              expected.userName.clear();  // the user name is not read from this file
              return expected;
            }()));
  SDOMDoc document;
  ASSERT_TRUE(document.Parse(path));
  std::string user;
  EXPECT_TRUE(document.FindSection("USER").GetString("user", user));
  EXPECT_EQ(user, "li^");
  EXPECT_NE(ReadWholeFile(path).value_or("").find("\r\nuser=li^^\r\noperatehighlight="), std::string::npos);
}

TEST(ConfigFile, MissingKeysKeepTheirDefaults) {
  TempFolder folder;
  const std::string path = folder.Path("config.dat");
  ASSERT_TRUE(WriteFileReplacing(path, "[USER]\nshowpk=1\nlistview=1\nexittip=3abc\n[GUI]\nshowtitle=1\n"));
  ConfigFileValues values;
  ASSERT_EQ(LoadConfigFile(path, values), ConfigFileState::Loaded);
  EXPECT_EQ(values.showPk, 1);
  EXPECT_EQ(values.defaultListView, 1);
  EXPECT_EQ(values.exitTip, 3);
  EXPECT_EQ(values.showTitle, 0);  // only [USER] counts
  EXPECT_EQ(values.showFilePath, 1);
  EXPECT_EQ(values.openHostRun, 1);
}

TEST(ConfigFile, MissingFileChangesNothing) {
  TempFolder folder;
  ConfigFileValues values;
  values.showPk = 5;
  EXPECT_EQ(LoadConfigFile(folder.Path("config.dat"), values), ConfigFileState::Missing);
  EXPECT_EQ(values.showPk, 5);
  EXPECT_FALSE(FileExists(folder.Path("config.dat.bad")));
}

TEST(ConfigFile, UnreadableFileIsKeptAsideAndNotOverwritten) {
  TempFolder folder;
  const std::string path = folder.Path("config.dat");
  for (const char* corrupt : {"[USER]\nshowpk=1\n[USER]\n", "showpk=1\n[USER]\n"}) {
    ASSERT_TRUE(WriteFileReplacing(path, corrupt));
    ConfigFileValues values;
    EXPECT_EQ(LoadConfigFile(path, values), ConfigFileState::KeptAside) << corrupt;
    EXPECT_EQ(values.showPk, 0);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(ReadWholeFile(path + ".bad").value_or(""), corrupt);
    ASSERT_TRUE(SaveConfigFile(path, values));
    EXPECT_EQ(ReadWholeFile(path + ".bad").value_or(""), corrupt);
  }
}

TEST(StartupFolder, DropsTheOldSystemFolderNameAndEndsInABackslash) {
  EXPECT_EQ(StartupFolderFromShellPath("C:\\Documents and Settings\\All Users.WINDOWS\\Start Menu\\Startup  "),
            "C:\\Documents and Settings\\All Users\\Start Menu\\Startup\\");
  EXPECT_EQ(StartupFolderFromShellPath("C:\\Startup\\"), "C:\\Startup\\");
  EXPECT_EQ(StartupFolderFromShellPath("C:\\启动"), "C:\\启动\\");
  EXPECT_EQ(StartupFolderFromShellPath(""), "");
  EXPECT_EQ(StartupFolderFromShellPath("  "), "");
}

}  // namespace
}  // namespace mb::conf
