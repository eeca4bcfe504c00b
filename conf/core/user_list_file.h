// userlist.dat: the users that logged in on this machine, the default (last) user and its two
// login flags. Passwords are kept as the hex text of their enciphered bytes (or empty).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mb {
class SDOMDoc;
}

namespace mb::conf {

struct UserEntry {
  std::string name;
  std::string storedPassword;
};

struct UserListValues {
  std::string defaultUser;
  std::string storedPassword;  // the default user's
  int autoLogin = 1;
  int recordPassword = 1;
  std::vector<UserEntry> users;  // in file order, each name once
};

enum class UserListState { Missing, Loaded, KeptAside };

// Takes [DEFAULTUSER] and the sections USER0, USER1, ... while they exist. A name met again is
// not added a second time; a later non-empty password of it replaces an empty one. Automatic
// login implies a remembered password.
void ReadUserListDocument(const SDOMDoc& document, UserListValues& values);
UserListState LoadUserListFile(const std::string& path, UserListValues& values);

// The file's text, CR LF line ends. Carriage returns and line feeds are taken out of names and
// passwords so that no entry can spill into a line of its own.
std::string FormatUserListFile(const UserListValues& values);
bool SaveUserListFile(const std::string& path, const UserListValues& values);

// The text with its carriage returns and line feeds taken out: user names are kept this way.
std::string WithoutLineBreaks(std::string_view text);

// Every entry with that name (exact) gets the stored password; a new name is appended.
void SetUserPassword(UserListValues& values, std::string_view name, std::string_view storedPassword);

// A password as it is stored: empty for an empty password, else the hex text of its enciphered
// bytes. RecallPassword gives the plain text back (empty for a text that is not a stored one).
std::string StorePassword(std::string_view plain);
std::string RecallPassword(std::string_view stored);

// The stored password of the last entry with that name whose password is not empty, or empty.
std::string StoredPasswordOf(const UserListValues& values, std::string_view name);

}  // namespace mb::conf
