#include "tools/standin/member_store.h"

#include <openssl/evp.h>

#include <algorithm>

namespace standin {

std::string Md5Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr)) return {};
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < length; ++i) {
    out.push_back(kHex[digest[i] >> 4]);
    out.push_back(kHex[digest[i] & 0x0F]);
  }
  return out;
}

void MemberStore::AddAccount(const std::string& nameGbk, std::string_view password) {
  std::lock_guard<std::mutex> lock(mutex_);
  passwordDigests_[nameGbk] = Md5Hex(password);
}

bool MemberStore::CheckLogin(const std::string& nameGbk, std::string_view passwordMd5Hex) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = passwordDigests_.find(nameGbk);
  return it != passwordDigests_.end() && it->second == passwordMd5Hex;
}

void MemberStore::SetStarterAlbums(std::vector<Album> albums) {
  std::lock_guard<std::mutex> lock(mutex_);
  starterAlbums_ = std::move(albums);
}

std::vector<Album>& MemberStore::AlbumsLocked(const std::string& userGbk) {
  auto it = albums_.find(userGbk);
  if (it == albums_.end()) it = albums_.emplace(userGbk, starterAlbums_).first;
  return it->second;
}

std::vector<Album> MemberStore::Albums(const std::string& userGbk) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = albums_.find(userGbk);
  return it == albums_.end() ? starterAlbums_ : it->second;
}

int MemberStore::AddAlbum(const std::string& userGbk, const std::string& nameGbk) {
  if (userGbk.empty() || nameGbk.empty()) return -1;
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Album>& albums = AlbumsLocked(userGbk);
  int highest = 0;
  for (const Album& album : albums) {
    if (album.name == nameGbk) return -1;
    highest = std::max(highest, album.number);
  }
  albums.push_back(Album{highest + 1, nameGbk});
  return highest + 1;
}

}  // namespace standin
