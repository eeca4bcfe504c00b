// Names on the download road: the file name an address gives, the category cut to its record
// field, and the numbered name of a file that exists already.
#include "client/core/download_naming.h"

#include <gtest/gtest.h>

#include <set>

namespace mb {
namespace {

TEST(DownloadNamingTest, FileNamesCategoriesAndNumberedNames) {
  EXPECT_EQ(DownloadFileName("http://h/pics/sky.jpg?rate=5#top"), "sky.jpg");
  EXPECT_EQ(DownloadFileName("http://h/pics/"), "");
  EXPECT_EQ(DownloadFileName("http://h/\xB7\xE7\\sky.jpg"), "sky.jpg");
  // A trail byte equal to '\\' (0x5C) is part of its character, not a separator.
  EXPECT_EQ(DownloadFileName("http://h/\xD5\x5C.jpg"), "\xD5\x5C.jpg");

  EXPECT_EQ(FitCategoryName("  \xB7\xE7\xBE\xB0  "), "\xB7\xE7\xBE\xB0");
  // 16 double-byte characters are 32 bytes: the last one does not fit and is left out whole.
  std::string wide;
  for (int i = 0; i < 16; ++i) wide += "\xB7\xE7";
  EXPECT_EQ(FitCategoryName(wide), wide.substr(0, 30));
  EXPECT_EQ(FitCategoryName(std::string(30, 'a') + " b"), std::string(30, 'a'));

  std::set<std::string> taken = {"C:\\w\\sky.jpg", "C:\\w\\sky(1).jpg", "C:\\w\\sea(4).png", "C:\\w\\readme"};
  auto isTaken = [&taken](const std::string& path) { return taken.count(path) != 0; };
  EXPECT_EQ(MakeUniqueFileName("C:\\w\\sky.jpg", isTaken), "C:\\w\\sky(2).jpg");
  EXPECT_EQ(MakeUniqueFileName("C:\\w\\sea(4).png", isTaken), "C:\\w\\sea(5).png");
  EXPECT_EQ(MakeUniqueFileName("C:\\w\\readme", isTaken), "C:\\w\\readme(1)");
  EXPECT_EQ(MakeUniqueFileName("C:\\w\\new.jpg", isTaken), "C:\\w\\new.jpg");
  EXPECT_EQ(MakeUniqueFileName("C:\\w\\a( 7 ).jpg", [](const std::string& p) { return p == "C:\\w\\a( 7 ).jpg"; }),
            "C:\\w\\a(7).jpg");
}

}  // namespace
}  // namespace mb
