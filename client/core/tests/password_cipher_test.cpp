#include "client/core/password_cipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "client/core/hex_text.h"
#include "client/core/idea_cipher.h"

namespace mb {
namespace {

const IdeaKey kPublishedKey = {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8};

std::vector<std::uint8_t> Deciphered(const std::string& hex, const IdeaKey& key) {
  const std::string bytes = BytesFromHex(hex).value();
  std::vector<std::uint8_t> buffer(bytes.begin(), bytes.end());
  IdeaCipher(key).Decrypt(buffer.data(), buffer.size());
  return buffer;
}

// The hex form of a single block whose deciphered last byte is the given padding byte.
std::string BlockWithPaddingByte(std::uint8_t padding, const IdeaKey& key) {
  std::uint8_t block[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', padding};
  IdeaCipher(key).Encrypt(block, sizeof block);
  return ToLowerHex(block, sizeof block);
}

TEST(IdeaCipher, MatchesThePublishedVectorBothWays) {
  std::uint8_t block[8] = {0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03};
  const IdeaCipher cipher(kPublishedKey);
  cipher.Encrypt(block, sizeof block);
  EXPECT_EQ(ToLowerHex(block, sizeof block), "11fbed2b01986de5");
  cipher.Decrypt(block, sizeof block);
  EXPECT_EQ(ToLowerHex(block, sizeof block), "0000000100020003");
}

TEST(IdeaCipher, EnciphersWholeBlocksOnlyAndEachOnItsOwn) {
  std::vector<std::uint8_t> buffer(8 * 3 + 5);
  for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i * 37 + 11);
  for (int i = 0; i < 8; ++i) buffer[16 + i] = buffer[i];  // blocks 0 and 2 equal: ECB
  const std::vector<std::uint8_t> original = buffer;
  const IdeaCipher cipher(PasswordStorageKey());
  cipher.Encrypt(buffer.data(), buffer.size());
  EXPECT_NE(buffer, original);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 8, buffer.begin() + 16));
  EXPECT_TRUE(std::equal(buffer.end() - 5, buffer.end(), original.end() - 5));
  cipher.Decrypt(buffer.data(), buffer.size());
  EXPECT_EQ(buffer, original);
}

TEST(PasswordCipher, PadsToTheNextBlockWithTheTailLengthLast) {
  const IdeaKey key = PasswordStorageKey();
  const std::string seven = EncryptPasswordHex("abcdefg", key);
  ASSERT_EQ(seven.size(), 16u);
  EXPECT_EQ(Deciphered(seven, key).back(), 7);

  const std::string eight = EncryptPasswordHex("abcdefgh", key);
  ASSERT_EQ(eight.size(), 32u);
  const std::vector<std::uint8_t> padded = Deciphered(eight, key);
  EXPECT_EQ(std::string(padded.begin(), padded.begin() + 8), "abcdefgh");
  EXPECT_EQ(padded.back(), 0);  // a whole block of padding

  EXPECT_EQ(EncryptPasswordHex("", key).size(), 16u);
  EXPECT_EQ(seven.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(PasswordCipher, DecipheringGivesThePasswordBack) {
  const IdeaKey key = PasswordStorageKey();
  for (const std::string password :
       {"a", "abcdefg", "abcdefgh", "abcdefghi", "\xC3\xDC\xC2\xEB\\]x", "0123456789abcdef"}) {
    EXPECT_EQ(DecryptPasswordHex(EncryptPasswordHex(password, key), key), password);
  }
  std::string upper = EncryptPasswordHex("secret", key);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(DecryptPasswordHex(upper, key), "secret");
  EXPECT_EQ(DecryptPasswordHex("", key), "");
  EXPECT_EQ(DecryptPasswordHex(EncryptPasswordHex("", key), key), "");
}

TEST(PasswordCipher, DamagedStoredTextsGiveTheEmptyText) {
  const IdeaKey key = PasswordStorageKey();
  const std::string stored = EncryptPasswordHex("password1", key);  // 32 digits
  EXPECT_EQ(DecryptPasswordHex(stored + "0", key), "");            // odd digit count
  EXPECT_EQ(DecryptPasswordHex(stored.substr(0, 24), key), "");    // not whole blocks
  EXPECT_EQ(DecryptPasswordHex("0", key), "");
  std::string corrupt = stored;
  corrupt[5] = 'g';
  EXPECT_EQ(DecryptPasswordHex(corrupt, key), "");
  corrupt[5] = ' ';
  EXPECT_EQ(DecryptPasswordHex(corrupt, key), "");
  // A padding byte above 7 could only claim bytes past the end of the buffer.
  for (int padding : {8, 9, 0x7F, 0xFF}) {
    EXPECT_EQ(DecryptPasswordHex(BlockWithPaddingByte(static_cast<std::uint8_t>(padding), key), key), "");
  }
  EXPECT_EQ(DecryptPasswordHex(BlockWithPaddingByte(7, key), key), "abcdefg");
  // Another key never gives the password back.
  EXPECT_NE(DecryptPasswordHex(stored, kPublishedKey), "password1");
}

}  // namespace
}  // namespace mb
