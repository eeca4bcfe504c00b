#include "conf/core/user_list_file.h"

#include <gtest/gtest.h>

#include "common/atomic_file.h"
#include "common/tests/temp_folder.h"

namespace mb::conf {
namespace {

TEST(UserListFile, LayoutLoadRulesAndNoGrowth) {
  TempFolder folder;
  const std::string path = folder.Path("userlist.dat");
  UserListValues values;
  values.defaultUser = "demo";
  values.storedPassword = StorePassword("1234567");
  values.autoLogin = 0;
  values.recordPassword = 1;
  SetUserPassword(values, "demo", values.storedPassword);
  SetUserPassword(values, "li\r\n[USER0]", "");  // cannot open a section of its own
  ASSERT_TRUE(SaveUserListFile(path, values));
  EXPECT_EQ(*ReadWholeFile(path), "[DEFAULTUSER]\r\nUserName=demo\r\nPassword=" + values.storedPassword +
                                      "\r\nbAutoLogin=0\r\nbRecordPW=1\r\n\r\n[USER0]\r\nUserName=demo\r\nPassword=" +
                                      values.storedPassword + "\r\n\r\n[USER1]\r\nUserName=li[USER0]\r\nPassword=\r\n");

  // The default user comes from [DEFAULTUSER] and [USER0]: kept once, so save-load-save is stable.
  UserListValues loaded;
  ASSERT_EQ(LoadUserListFile(path, loaded), UserListState::Loaded);
  ASSERT_EQ(loaded.users.size(), 2u);
  EXPECT_EQ(RecallPassword(StoredPasswordOf(loaded, "demo")), "1234567");
  EXPECT_EQ(loaded.autoLogin, 0);
  EXPECT_EQ(loaded.recordPassword, 1);
  ASSERT_TRUE(SaveUserListFile(path, loaded));
  UserListValues again;
  LoadUserListFile(path, again);
  EXPECT_EQ(FormatUserListFile(again), FormatUserListFile(loaded));

  // Automatic login forces the remembered password; a repeated name keeps its non-empty password.
  ASSERT_TRUE(WriteFileReplacing(path, "[DEFAULTUSER]\nUserName=a\nPassword=\nbAutoLogin=1\nbRecordPW=0\n"
                                       "[USER0]\nUserName=a\nPassword=ab12\n[USER1]\nUserName=a\nPassword=\n"
                                       "[USER3]\nUserName=skipped\n"));
  UserListValues forced;
  forced.recordPassword = 0;
  LoadUserListFile(path, forced);
  EXPECT_EQ(forced.autoLogin, 1);
  EXPECT_EQ(forced.recordPassword, 1);
  ASSERT_EQ(forced.users.size(), 1u);
  EXPECT_EQ(forced.users[0].storedPassword, "ab12");

  // Without bAutoLogin both flags read 0, whatever they were.
  ASSERT_TRUE(WriteFileReplacing(path, "[DEFAULTUSER]\nUserName=a\nPassword=\n"));
  LoadUserListFile(path, forced);
  EXPECT_EQ(forced.autoLogin, 0);
  EXPECT_EQ(forced.recordPassword, 0);

  // A file that does not parse is kept aside and changes nothing.
  ASSERT_TRUE(WriteFileReplacing(path, "UserName=x\n[DEFAULTUSER]\n"));
  UserListValues untouched;
  EXPECT_EQ(LoadUserListFile(path, untouched), UserListState::KeptAside);
  EXPECT_TRUE(FileExists(path + ".bad"));
  EXPECT_TRUE(untouched.users.empty());
  EXPECT_EQ(LoadUserListFile(folder.Path("none.dat"), untouched), UserListState::Missing);
}

TEST(UserListFile, PasswordsAndChangedEntries) {
  EXPECT_EQ(StorePassword("1234567").size(), 16u);
  EXPECT_EQ(StorePassword("12345678").size(), 32u);
  EXPECT_EQ(StorePassword(""), "");
  EXPECT_EQ(RecallPassword(StorePassword("\xC3\xDC\xC2\xEB pw")), "\xC3\xDC\xC2\xEB pw");
  for (const char* hostile : {"a", "zz", "0123456789abcde", "00112233445566778899aabbccddeeff00"}) {
    EXPECT_EQ(RecallPassword(hostile), "") << hostile;
  }
  // An odd length rounds down: the last lone digit is left out.
  EXPECT_EQ(RecallPassword(StorePassword("1234567") + "f"), "1234567");
  UserListValues values;
  values.users = {{"a", "11"}, {"b", "22"}, {"a", "33"}};
  SetUserPassword(values, "a", "44");  // every entry of the name changes
  EXPECT_EQ(values.users[0].storedPassword, "44");
  EXPECT_EQ(values.users[2].storedPassword, "44");
  SetUserPassword(values, "A", "");
  EXPECT_EQ(values.users.size(), 4u);  // names are case-sensitive
  EXPECT_EQ(StoredPasswordOf(values, "b"), "22");
  EXPECT_EQ(StoredPasswordOf(values, "A"), "");
}

}  // namespace
}  // namespace mb::conf
