#include "client/core/md5_digest.h"

#include <gtest/gtest.h>

#include <string>

namespace mb {
namespace {

TEST(Md5Digest, MatchesTheRfc1321TestSuite) {
  const std::pair<std::string, std::string> suite[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& [text, digest] : suite) EXPECT_EQ(Md5Hex(text), digest) << text;
}

TEST(Md5Digest, PadsAtTheBlockBoundaries) {
  // 55 bytes leave room for the padding in one block; 56 and 64 need a second block.
  EXPECT_EQ(Md5Hex(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Md5Hex(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Md5Hex(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(Md5Digest, PiecewiseUpdatesEqualOneAndFinalIsFinal) {
  const std::string text(200, 'x');
  Md5Digest digest;
  digest.Update(text.data(), 1);
  digest.Update(text.data() + 1, 63);
  digest.Update(text.data() + 64, 0);
  digest.Update(text.data() + 64, 136);
  const std::string once = digest.HexDigest();
  EXPECT_EQ(once, Md5Hex(text));
  digest.Final();
  digest.Update("more", 4);
  EXPECT_EQ(digest.HexDigest(), once);
  digest.Init();
  EXPECT_EQ(digest.HexDigest(), "d41d8cd98f00b204e9800998ecf8427e");
}

}  // namespace
}  // namespace mb
