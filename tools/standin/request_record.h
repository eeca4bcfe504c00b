// One request as it reached the stand-in service, and its form in the request log: one JSON
// object per line. Byte texts (path, query, header values, body) are written byte for byte as
// the code points U+0000..U+00FF, so "\u00d5\u00c5" is the raw GBK pair D5 C5 while "%D5%C5" is
// what a client sends when it percent-encodes it. A reader gets the bytes back by taking every
// code point as one byte (Latin-1).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace standin {

struct RequestRecord {
  std::uint64_t seq = 0;     // 1, 2, ... in order of arrival
  std::string method;        // "GET", "POST"
  std::string path;          // raw request target before '?'
  std::string query;         // raw request target after the first '?', without it
  std::string version;       // "HTTP/1.0" or "HTTP/1.1"
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;          // raw body bytes
  std::string head;          // request line and header lines as they arrived, in their order
  std::string fault;         // the misbehaviour applied to this request ("none" when answered)
};

std::string FormatRecordLine(const RequestRecord& record);

// Reads a line written by FormatRecordLine; false when it is not one.
bool ParseRecordLine(std::string_view line, RequestRecord& record);

// Appends byte text as a JSON string (with quotes) in the byte-per-code-point form above.
void AppendByteString(std::string& out, std::string_view bytes);

}  // namespace standin
