#include "tools/standin/text_codec.h"

#include <iconv.h>

#include <cerrno>

#include "common/gbk_text.h"

namespace standin {
namespace {

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// Converts text; an unconvertible or incomplete sequence is replaced by '?' and skipped by one
// byte. Returns false when anything had to be replaced.
bool Convert(const char* to, const char* from, std::string_view text, std::string& out) {
  out.clear();
  IconvHandle cd(to, from);
  if (!cd.valid()) {
    out.assign(text);
    return false;
  }
  bool clean = true;
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[512];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      clean = false;
      out.push_back('?');
      ++in;
      --inLeft;
      iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return clean;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  Convert("GBK", "UTF-8", utf8, out);
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  Convert("UTF-8", "GBK", gbk, out);
  return out;
}

bool IsGbkEncodable(std::string_view utf8) {
  std::string out;
  return Convert("GBK", "UTF-8", utf8, out);
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<QueryParam> ParseQuery(std::string_view rawQuery) {
  // A query the client did not escape may carry raw GBK; its separators are still found only at
  // character boundaries.
  std::vector<QueryParam> params;
  for (const std::string& item : mb::GbkSplit(rawQuery, "&")) {
    if (item.empty()) continue;
    size_t eq = mb::GbkFind(item, '=');
    QueryParam param;
    if (eq == std::string_view::npos) {
      param.name = PercentDecode(item);
    } else {
      param.name = PercentDecode(std::string_view(item).substr(0, eq));
      param.value = PercentDecode(std::string_view(item).substr(eq + 1));
    }
    params.push_back(std::move(param));
  }
  return params;
}

std::string FindParam(const std::vector<QueryParam>& params, std::string_view name) {
  for (const QueryParam& p : params) {
    if (p.name == name) return p.value;
  }
  return {};
}

}  // namespace standin
