// CString: the multibyte (GBK) text that crosses the uploader's library interfaces. Positions and
// lengths are in bytes; every search, cut and case change goes by whole characters, since a
// trail byte can look like '\\', ']' or a letter.
#pragma once

#include <string>
#include <string_view>

#include "framework/framework_api.h"

namespace fw {

class FW_API CString {
 public:
  CString() = default;
  CString(const char* text);  // null gives the empty text
  CString(const char* text, int length);
  CString(std::string text) : text_(std::move(text)) {}
  CString(std::string_view text) : text_(text) {}

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  const char* GetString() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }
  const std::string& Str() const { return text_; }

  CString& operator+=(const CString& more);
  CString& operator+=(const char* more);
  CString& operator+=(char c);

  // Byte-wise order, as strcmp; CompareNoCase folds ASCII letters only.
  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;

  // Byte position of the first match that starts on a character boundary at or after start, or
  // -1. ReverseFind gives the last such position of c.
  int Find(char c, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  int ReverseFind(char c) const;

  // Cuts never split a character: a cut that falls inside one moves to keep it whole outside
  // the result (Left and Mid stop before it, Right and Mid start after it).
  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  CString& MakeLower();
  CString& MakeUpper();
  // Blanks and tabs removed from both ends.
  CString& Trim();
  // Replaces every match of from; returns how many were replaced.
  int Replace(const char* from, const char* to);

  // printf-style. The format is always a literal of the program; a text from a file, the service
  // or the user goes in as an argument ("%s"), never as the format.
  CString& Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

 private:
  int FloorToCharacter(int pos) const;
  int CeilToCharacter(int pos) const;

  std::string text_;
};

FW_API CString operator+(const CString& a, const CString& b);
FW_API CString operator+(const CString& a, const char* b);
FW_API CString operator+(const char* a, const CString& b);
inline bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Str() < b.Str(); }

}  // namespace fw
