// Addresses of service requests. Every value put into a query (or a form body) is sent as
// percent-encoded GBK bytes, so a user name with a double-byte character or a '&' arrives
// exactly as typed.
#pragma once

#include <string>
#include <string_view>

namespace mb {

// Each byte other than the unreserved ASCII characters (letters, digits, '-', '_', '.', '~')
// becomes "%XX" with upper-case hex digits.
std::string PercentEncode(std::string_view bytes);

// "name=value" pairs joined by '&', names and values percent-encoded, in the order added.
class QueryText {
 public:
  QueryText& Add(std::string_view name, std::string_view value);
  QueryText& Add(std::string_view name, long long value);

  const std::string& text() const { return text_; }
  bool empty() const { return text_.empty(); }

 private:
  std::string text_;
};

// The address with the query appended after '?', or after '&' when the address already holds a
// query; the address alone when the query is empty. A '#' fragment of the address stays last.
std::string AppendQuery(std::string_view url, const QueryText& query);

// site + path + the query; site without and path with its leading '/'.
std::string ServiceUrl(std::string_view site, std::string_view path, const QueryText& query = {});

}  // namespace mb
