// CConfig in a private program folder: defaults, config.dat across two runs, a corrupt file, the
// paths and the autostart shortcut.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "tests/winkit/winkit.h"

namespace {

class ConfigProbe {
 public:
  ConfigProbe() : folder_({"config_probe.exe", "Conf.dll"}) {}

  // Runs the probe with a command; the key=value lines it wrote.
  std::map<std::string, std::string> Run(const std::string& command) {
    DeleteFileA(folder_.Path("probe.out").c_str());
    winkit::ChildProcess probe;
    EXPECT_TRUE(probe.Start(folder_.Path("config_probe.exe"), command, folder_.Root()));
    EXPECT_TRUE(probe.WaitForExit(20000));
    EXPECT_EQ(probe.ExitCode(), 0u) << command;
    std::map<std::string, std::string> values;
    std::istringstream lines(winkit::ReadTextFile(folder_.Path("probe.out")));
    for (std::string line; std::getline(lines, line);) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
  }
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::string Root() const { return folder_.Root(); }

 private:
  winkit::InstallFolder folder_;
};


TEST(Config, DefaultsAndTheFileWrittenAtExit) {
  ConfigProbe probe;
  auto values = probe.Run("dump");
  EXPECT_EQ(values["listview"], "0");
  EXPECT_EQ(values["showfilename"], "1");  // shown whatever the file says
  EXPECT_EQ(values["showpk"], "0");
  EXPECT_EQ(values["autologin"], "1");
  EXPECT_EQ(values["login"], "1");
  const std::string file = winkit::ReadTextFile(probe.Path("config.dat"));
  EXPECT_EQ(file.rfind("[USER]\r\nuser=\r\noperatehighlight=0\r\n", 0), 0u) << file;
  EXPECT_NE(file.find("\r\nshowfilename=1\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\n[CLIENTID]\r\ncid= \r\n\r\n[LINKLIST]\r\n"), std::string::npos);
  EXPECT_FALSE(winkit::FileExists(probe.Path("config.dat.new")));
}

TEST(Config, ChangesSurviveToTheNextRun) {
  ConfigProbe probe;
  probe.Run("change");
  const std::string file = winkit::ReadTextFile(probe.Path("config.dat"));
  EXPECT_NE(file.find("user=张三\r\n"), std::string::npos);
  auto values = probe.Run("dump");
  EXPECT_EQ(values["listview"], "1");
  EXPECT_EQ(values["showpk"], "1");
  EXPECT_EQ(values["exittip"], "1");
  EXPECT_EQ(values["classifyversion"], "7");
}

TEST(Config, CorruptFileIsKeptAsideAndDefaultsAreUsed) {
  ConfigProbe probe;
  const std::string corrupt = "[USER]\r\nshowpk=1\r\n[USER]\r\nlistview=1\r\n";
  ASSERT_TRUE(winkit::WriteTextFile(probe.Path("config.dat"), corrupt));
  auto values = probe.Run("dump");
  EXPECT_EQ(values["showpk"], "0");
  EXPECT_EQ(values["listview"], "0");
  EXPECT_EQ(winkit::ReadTextFile(probe.Path("config.dat.bad")), corrupt);
  EXPECT_NE(winkit::ReadTextFile(probe.Path("config.dat")).find("showpk=0\r\n"), std::string::npos);
  // A second run finds the fresh file readable and keeps the old one as it was.
  probe.Run("dump");
  EXPECT_EQ(winkit::ReadTextFile(probe.Path("config.dat.bad")), corrupt);
}

TEST(Config, PathsLieInTheLibraryFolder) {
  ConfigProbe probe;
  auto values = probe.Run("paths");
  EXPECT_TRUE(_stricmp(values["program"].c_str(), probe.Path("config_probe.exe").c_str()) == 0)
      << values["program"];
  EXPECT_TRUE(_stricmp(values["frame"].c_str(), probe.Path("defaultwatermark.gif").c_str()) == 0);
  EXPECT_TRUE(_stricmp(values["ad"].c_str(), probe.Path("indexsdfs3_1_05.swf").c_str()) == 0);
  EXPECT_EQ(values["watermark"], "");
  EXPECT_EQ(values["win98"], "0");
  EXPECT_EQ(values["nullexists"], "0");
  EXPECT_EQ(values["selfexists"], "1");
  const std::string startMenu = values["startmenu"];
  ASSERT_FALSE(startMenu.empty());
  EXPECT_EQ(startMenu.back(), '\\');
}

TEST(Config, AutostartShortcutIsMadeOnceAndRemoved) {
  ConfigProbe probe;
  auto values = probe.Run("link");
  EXPECT_EQ(values["create1"], "1");
  EXPECT_EQ(values["create2"], "0");  // already there
  EXPECT_EQ(values["exists"], "1");
  EXPECT_EQ(values["delete1"], "1");
  EXPECT_EQ(values["delete2"], "0");  // nothing left to delete
}

}  // namespace
