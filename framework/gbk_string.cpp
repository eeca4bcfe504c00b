#include "framework/gbk_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/gbk_text.h"

namespace fw {

namespace {
int ToInt(std::size_t pos) { return pos == std::string_view::npos ? -1 : static_cast<int>(pos); }
}  // namespace

CString::CString(const char* text) : text_(text ? text : "") {}

CString::CString(const char* text, int length) {
  if (text && length > 0) text_.assign(text, static_cast<std::size_t>(length));
}

CString& CString::operator+=(const CString& more) {
  text_ += more.text_;
  return *this;
}

CString& CString::operator+=(const char* more) {
  if (more) text_ += more;
  return *this;
}

CString& CString::operator+=(char c) {
  text_ += c;
  return *this;
}

int CString::Compare(const char* other) const { return std::strcmp(text_.c_str(), other ? other : ""); }

int CString::CompareNoCase(const char* other) const {
  const std::string a = mb::GbkToLowerAscii(text_);
  const std::string b = mb::GbkToLowerAscii(other ? other : "");
  return std::strcmp(a.c_str(), b.c_str());
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  return ToInt(mb::GbkFind(text_, c, static_cast<std::size_t>(start)));
}

int CString::Find(const char* text, int start) const {
  if (!text || start < 0 || start > GetLength()) return -1;
  return ToInt(mb::GbkFind(text_, std::string_view(text), static_cast<std::size_t>(start)));
}

int CString::ReverseFind(char c) const { return ToInt(mb::GbkFindLast(text_, c)); }

int CString::FloorToCharacter(int pos) const {
  if (pos <= 0) return 0;
  return static_cast<int>(mb::GbkCutLength(text_, static_cast<std::size_t>(pos)));
}

int CString::CeilToCharacter(int pos) const {
  const int floor = FloorToCharacter(pos);
  if (floor >= pos || floor >= GetLength()) return floor;
  return floor + static_cast<int>(mb::GbkCharLength(text_, static_cast<std::size_t>(floor)));
}

CString CString::Left(int count) const { return CString(text_.substr(0, FloorToCharacter(count))); }

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (count <= 0 || first >= GetLength()) return CString();
  const int begin = CeilToCharacter(first);
  const long long wantedEnd = static_cast<long long>(first) + count;
  const int end = wantedEnd >= GetLength() ? GetLength() : FloorToCharacter(static_cast<int>(wantedEnd));
  return end > begin ? CString(text_.substr(begin, end - begin)) : CString();
}

CString CString::Right(int count) const {
  if (count <= 0) return CString();
  if (count >= GetLength()) return *this;
  return CString(text_.substr(CeilToCharacter(GetLength() - count)));
}

CString& CString::MakeLower() {
  text_ = mb::GbkToLowerAscii(text_);
  return *this;
}

CString& CString::MakeUpper() {
  text_ = mb::GbkToUpperAscii(text_);
  return *this;
}

CString& CString::Trim() {
  text_ = std::string(mb::TrimBlanks(text_));
  return *this;
}

int CString::Replace(const char* from, const char* to) {
  if (!from || !*from) return 0;
  int count = 0;
  for (std::size_t pos = mb::GbkFind(text_, std::string_view(from)); pos != std::string_view::npos;
       pos = mb::GbkFind(text_, std::string_view(from), pos)) {
    ++count;
    pos += std::strlen(from);
  }
  if (count > 0) text_ = mb::GbkReplaceAll(text_, from, to ? to : "");
  return count;
}

CString& CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (needed < 0) {
    text_.clear();
  } else {
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<std::size_t>(needed));
    text_ = std::move(out);
  }
  va_end(again);
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString sum(a);
  sum += b;
  return sum;
}

CString operator+(const CString& a, const char* b) {
  CString sum(a);
  sum += b;
  return sum;
}

CString operator+(const char* a, const CString& b) {
  CString sum(a);
  sum += b;
  return sum;
}

}  // namespace fw
