// Whether a service reply arrived whole. The system's request object completes a reply whose
// connection closed early with status 200 and the bytes that did arrive; only the length the
// reply announced tells that something is missing.
#pragma once

#include <cstddef>
#include <string_view>

namespace mb {

// True when the body is shorter than the Content-Length value announced. No verdict (false)
// when the length is missing or unreadable, or when the body was transfer-decoded (a
// Content-Encoding other than identity): then the announced length is not the body's.
bool ReplyCutShort(std::string_view contentLength, std::string_view contentEncoding, std::size_t bodyBytes);

}  // namespace mb
