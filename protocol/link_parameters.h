// What the protocol handler hands the client: the program path built from the install folder,
// and the parameters that carry a link as one quoted argument.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mb {

constexpr std::size_t kMaxPathBytes = 260;
extern const char kClientProgramName[];  // "muralbox.exe"

// The client's program path from the install folder as the registry holds it (bytes, maybe
// without their terminating zero; read up to the first zero). Nothing when the folder is empty,
// holds wildcards, or the path would not fit MAX_PATH.
std::optional<std::string> ClientProgramPath(std::string_view registryValue);

// " \"link\"": the link (GBK) as one argument that cannot end early. A double quote becomes %22,
// control bytes %XX, and backslashes at its end %5C, since a backslash before the closing quote
// would escape it.
std::string ClientParameters(std::string_view link);

// The protocol handler's answer to a PARSE_SECURITY_URL question.
struct SecurityUrlAnswer {
  enum class Kind { kNotOurs, kWritten, kBufferTooSmall };
  Kind kind = Kind::kNotOurs;
  std::size_t length = 0;  // characters written (9) or needed, zero included (10)
};
extern const wchar_t kProductSchemePrefix[];  // L"muralbox:"
constexpr std::size_t kProductSchemePrefixLength = 9;

// url: the URL's characters; bufferChars: the size of the caller's result buffer.
SecurityUrlAnswer AnswerSecurityUrl(std::wstring_view url, std::size_t bufferChars);

}  // namespace mb
