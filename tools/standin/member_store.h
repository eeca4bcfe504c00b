// The members the stand-in service knows (accounts with their passwords) and each member's
// albums. Names are held as the GBK bytes the clients send.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Album {
  int number = 0;
  std::string name;  // GBK
};

class MemberStore {
 public:
  // Adds or replaces an account; the password is kept as its MD5 digest (lower-case hex), the
  // form in which the login request carries it.
  void AddAccount(const std::string& nameGbk, std::string_view password);

  // True when the account exists and the digest matches exactly.
  bool CheckLogin(const std::string& nameGbk, std::string_view passwordMd5Hex) const;

  // The albums every member starts with, in list order.
  void SetStarterAlbums(std::vector<Album> albums);

  std::vector<Album> Albums(const std::string& userGbk) const;

  // Adds an album with the next free number and returns it; -1 for an empty user or name, or a
  // name the member already has.
  int AddAlbum(const std::string& userGbk, const std::string& nameGbk);

 private:
  std::vector<Album>& AlbumsLocked(const std::string& userGbk);

  mutable std::mutex mutex_;
  std::map<std::string, std::string> passwordDigests_;
  std::vector<Album> starterAlbums_;
  std::map<std::string, std::vector<Album>> albums_;
};

// MD5 of the bytes as 32 lower-case hex digits.
std::string Md5Hex(std::string_view bytes);

}  // namespace standin
