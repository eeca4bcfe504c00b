#include "conf/core/user_list_file.h"

#include "client/core/password_cipher.h"
#include "common/atomic_file.h"
#include "common/sdom_doc.h"

namespace mb::conf {
namespace {

void AddLoadedUser(UserListValues& values, const std::string& name, const std::string& stored) {
  for (UserEntry& entry : values.users) {
    if (entry.name == name) {
      if (!stored.empty()) entry.storedPassword = stored;
      return;
    }
  }
  values.users.push_back({name, stored});
}

}  // namespace

std::string WithoutLineBreaks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

void ReadUserListDocument(const SDOMDoc& document, UserListValues& values) {
  const SDOMDocSection defaults = document.FindSection("DEFAULTUSER");
  if (defaults.IsValid()) {
    defaults.GetString("UserName", values.defaultUser);
    defaults.GetString("Password", values.storedPassword);
    AddLoadedUser(values, values.defaultUser, values.storedPassword);
    int autoLogin = 0;  // a section without the key reads 0
    defaults.GetInt("bAutoLogin", autoLogin);
    values.autoLogin = values.recordPassword = autoLogin == 1 ? 1 : 0;
    int recordPassword = 0;
    if (autoLogin != 1 && defaults.GetInt("bRecordPW", recordPassword)) values.recordPassword = recordPassword;
  }
  for (int number = 0;; ++number) {
    const SDOMDocSection user = document.FindSection("USER" + std::to_string(number));
    if (!user.IsValid()) break;
    std::string name;
    std::string stored;
    user.GetString("UserName", name);
    user.GetString("Password", stored);
    AddLoadedUser(values, name, stored);
  }
}

UserListState LoadUserListFile(const std::string& path, UserListValues& values) {
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return UserListState::Missing;
  SDOMDoc document;
  if (!document.ParseText(*text)) {
    KeepAsideUnreadable(path);
    return UserListState::KeptAside;
  }
  ReadUserListDocument(document, values);
  return UserListState::Loaded;
}

std::string FormatUserListFile(const UserListValues& values) {
  std::string text = "[DEFAULTUSER]\r\n";
  text += "UserName=" + WithoutLineBreaks(values.defaultUser) + "\r\n";
  text += "Password=" + WithoutLineBreaks(values.storedPassword) + "\r\n";
  text += values.autoLogin ? "bAutoLogin=1\r\n" : "bAutoLogin=0\r\n";
  text += values.recordPassword ? "bRecordPW=1\r\n" : "bRecordPW=0\r\n";
  for (std::size_t i = 0; i < values.users.size(); ++i) {
    text += "\r\n[USER" + std::to_string(i) + "]\r\n";
    text += "UserName=" + WithoutLineBreaks(values.users[i].name) + "\r\n";
    text += "Password=" + WithoutLineBreaks(values.users[i].storedPassword) + "\r\n";
  }
  return text;
}

bool SaveUserListFile(const std::string& path, const UserListValues& values) {
  return WriteFileReplacing(path, FormatUserListFile(values));
}

void SetUserPassword(UserListValues& values, std::string_view rawName, std::string_view storedPassword) {
  const std::string name = WithoutLineBreaks(rawName);
  bool found = false;
  for (UserEntry& entry : values.users) {
    if (entry.name == name) {
      entry.storedPassword = std::string(storedPassword);
      found = true;
    }
  }
  if (!found) values.users.push_back({std::string(name), std::string(storedPassword)});
}

std::string StorePassword(std::string_view plain) {
  return plain.empty() ? std::string() : EncryptPasswordHex(plain, PasswordStorageKey());
}

// Each pair of digits is a byte: a last lone digit is left out.
std::string RecallPassword(std::string_view stored) {
  if (stored.size() < 2) return std::string();
  return DecryptPasswordHex(stored.substr(0, stored.size() / 2 * 2), PasswordStorageKey());
}

std::string StoredPasswordOf(const UserListValues& values, std::string_view name) {
  std::string stored;
  for (const UserEntry& entry : values.users) {
    if (entry.name == name && !entry.storedPassword.empty()) stored = entry.storedPassword;
  }
  return stored;
}

}  // namespace mb::conf
