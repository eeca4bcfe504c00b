#include <gtest/gtest.h>

#include <string>

#include "protocol/link_parameters.h"
#include "protocol/registry_script.h"

namespace mb {
namespace {

TEST(ClientParameters, TheLinkStaysOneQuotedArgument) {
  EXPECT_EQ(ClientParameters("muralbox://host/p.jpg"), " \"muralbox://host/p.jpg\"");
  EXPECT_EQ(ClientParameters("muralbox://h/a\" -x \"b"), " \"muralbox://h/a%22 -x %22b\"");
  EXPECT_EQ(ClientParameters("muralbox://h/a\r\nb\t\x7f"), " \"muralbox://h/a%0D%0Ab%09%7F\"");
  EXPECT_EQ(ClientParameters("muralbox://h/a\\b\\\\"), " \"muralbox://h/a\\b%5C%5C\"");
  // 0x5C as the trail byte of a double-byte character at the end is part of that character.
  EXPECT_EQ(ClientParameters("muralbox://h/\x95\x5C"), " \"muralbox://h/\x95\x5C\"");
  EXPECT_EQ(ClientParameters(""), " \"\"");
}

TEST(ClientProgramPath, FolderWithOrWithoutBackslashBoundedAndChecked) {
  EXPECT_EQ(ClientProgramPath(std::string("C:\\Program Files\\Muralbox\0junk", 30)),
            "C:\\Program Files\\Muralbox\\muralbox.exe");
  EXPECT_EQ(ClientProgramPath("C:\\Program Files\\Muralbox\\"), "C:\\Program Files\\Muralbox\\muralbox.exe");
  // A value without its zero is read only as far as it goes, and at most 260 bytes.
  EXPECT_FALSE(ClientProgramPath(std::string(300, 'a')));
  EXPECT_FALSE(ClientProgramPath("C:\\" + std::string(245, 'a')));
  EXPECT_TRUE(ClientProgramPath("C:\\" + std::string(243, 'a')));
  EXPECT_FALSE(ClientProgramPath(""));
  EXPECT_FALSE(ClientProgramPath(std::string("\0C:\\x", 5)));
  EXPECT_FALSE(ClientProgramPath("C:\\*"));
  EXPECT_FALSE(ClientProgramPath("C:\\Mural?ox"));
}

TEST(SecurityUrl, PrefixComparedWithinTheUrlAndBufferChecked) {
  using Kind = SecurityUrlAnswer::Kind;
  EXPECT_EQ(AnswerSecurityUrl(L"MURALBOX://x", 260).kind, Kind::kWritten);
  EXPECT_EQ(AnswerSecurityUrl(L"MURALBOX://x", 260).length, 9u);
  EXPECT_EQ(AnswerSecurityUrl(L"muralbox:", 10).kind, Kind::kWritten);
  EXPECT_EQ(AnswerSecurityUrl(L"muralbox", 260).kind, Kind::kNotOurs);
  EXPECT_EQ(AnswerSecurityUrl(L"", 260).kind, Kind::kNotOurs);
  EXPECT_EQ(AnswerSecurityUrl(L"http://muralbox:", 260).kind, Kind::kNotOurs);
  const SecurityUrlAnswer small = AnswerSecurityUrl(L"muralbox://x", 9);
  EXPECT_EQ(small.kind, Kind::kBufferTooSmall);
  EXPECT_EQ(small.length, 10u);
  EXPECT_EQ(AnswerSecurityUrl(L"muralbox://x", 0).kind, Kind::kBufferTooSmall);
}

TEST(RegistryScript, EntriesWithPlaceholdersAndClearErrors) {
  const RegistryScript script = ParseRegistryScript(
      "# comment\r\n"
      "key   HKCR\\CLSID\\%CLSID% = LinkportPlug Class\r\n"
      "\r\n"
      "fresh HKCR\\PROTOCOLS\\Handler\\muralbox = Muralbox Pluggable Protocol\n"
      "value HKCR\\CLSID\\%CLSID%\\InprocServer32 ThreadingModel = Apartment\n"
      "key HKCR\\CLSID\\%CLSID%\\InprocServer32 = %MODULE%\n"
      "key HKCR\\Bare\n",
      {{"CLSID", "{C0}"}, {"MODULE", "C:\\目录\\Linkport.dll"}});
  ASSERT_EQ(script.error, "");
  ASSERT_EQ(script.entries.size(), 5u);
  EXPECT_EQ(script.entries[0].root, "HKCR");
  EXPECT_EQ(script.entries[0].path, "CLSID\\{C0}");
  EXPECT_EQ(*script.entries[0].data, "LinkportPlug Class");
  EXPECT_EQ(script.entries[1].kind, RegistryEntry::Kind::kFreshKey);
  EXPECT_EQ(script.entries[2].kind, RegistryEntry::Kind::kValue);
  EXPECT_EQ(script.entries[2].path, "CLSID\\{C0}\\InprocServer32");
  EXPECT_EQ(script.entries[2].name, "ThreadingModel");
  EXPECT_EQ(*script.entries[3].data, "C:\\目录\\Linkport.dll");
  EXPECT_FALSE(script.entries[4].data);

  for (const char* bad : {"remove HKCR\\x", "key HKXX\\x", "key HKCR", "value HKCR\\x = 1", "value HKCR\\x n"}) {
    const RegistryScript broken = ParseRegistryScript(std::string("key HKCR\\ok\n") + bad, {});
    EXPECT_EQ(broken.error.rfind("line 2: ", 0), 0u) << bad;
    EXPECT_TRUE(broken.entries.empty()) << bad;
  }
}

}  // namespace
}  // namespace mb
