#include "tools/standin/request_record.h"

#include <cstdio>

namespace standin {

void AppendByteString(std::string& out, std::string_view bytes) {
  out.push_back('"');
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    }
  }
  out.push_back('"');
}

std::string FormatRecordLine(const RequestRecord& r) {
  std::string line = "{\"seq\":" + std::to_string(r.seq);
  auto field = [&line](const char* name, std::string_view value) {
    line += ",\"";
    line += name;
    line += "\":";
    AppendByteString(line, value);
  };
  field("method", r.method);
  field("path", r.path);
  field("query", r.query);
  field("version", r.version);
  line += ",\"headers\":{";
  for (size_t i = 0; i < r.headers.size(); ++i) {
    if (i > 0) line.push_back(',');
    AppendByteString(line, r.headers[i].first);
    line.push_back(':');
    AppendByteString(line, r.headers[i].second);
  }
  line += "}";
  field("body", r.body);
  field("head", r.head);
  field("fault", r.fault);
  line += "}";
  return line;
}

namespace {

// Reader of exactly the subset FormatRecordLine writes: one object of numbers, byte strings and
// one nested object of byte strings.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : text_(text) {}

  bool Read(RequestRecord& r) {
    if (!Expect('{')) return false;
    bool first = true;
    while (!Peek('}')) {
      if (!first && !Expect(',')) return false;
      first = false;
      std::string key;
      if (!ReadString(key) || !Expect(':')) return false;
      if (!ReadMember(key, r)) return false;
    }
    ++pos_;
    SkipBlanks();
    return pos_ == text_.size();
  }

 private:
  bool ReadMember(const std::string& key, RequestRecord& r) {
    if (key == "seq") return ReadNumber(r.seq);
    if (key == "headers") return ReadHeaders(r.headers);
    std::string* target = key == "method"    ? &r.method
                          : key == "path"    ? &r.path
                          : key == "query"   ? &r.query
                          : key == "version" ? &r.version
                          : key == "body"    ? &r.body
                          : key == "head"    ? &r.head
                          : key == "fault"   ? &r.fault
                                             : nullptr;
    std::string ignored;
    return ReadString(target ? *target : ignored);
  }

  bool ReadHeaders(std::vector<std::pair<std::string, std::string>>& headers) {
    headers.clear();
    if (!Expect('{')) return false;
    while (!Peek('}')) {
      if (!headers.empty() && !Expect(',')) return false;
      std::pair<std::string, std::string> header;
      if (!ReadString(header.first) || !Expect(':') || !ReadString(header.second)) return false;
      headers.push_back(std::move(header));
    }
    ++pos_;
    return true;
  }

  bool ReadNumber(std::uint64_t& value) {
    SkipBlanks();
    size_t start = pos_;
    value = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
      value = value * 10 + static_cast<unsigned>(text_[pos_] - '0');
      ++pos_;
    }
    return pos_ > start;
  }

  bool ReadString(std::string& out) {
    out.clear();
    if (!Expect('"')) return false;
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      if (c == '"') return true;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (pos_ >= text_.size()) return false;
      char e = text_[pos_++];
      if (e == '"' || e == '\\' || e == '/') {
        out.push_back(e);
      } else if (e == 'u') {
        unsigned code = 0;
        if (pos_ + 4 > text_.size()) return false;
        for (int i = 0; i < 4; ++i) {
          int digit = HexDigit(text_[pos_++]);
          if (digit < 0) return false;
          code = code * 16 + static_cast<unsigned>(digit);
        }
        if (code > 0xFF) return false;  // every code point stands for one byte
        out.push_back(static_cast<char>(code));
      } else {
        return false;
      }
    }
    return false;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\r' || text_[pos_] == '\n'))
      ++pos_;
  }
  bool Peek(char c) {
    SkipBlanks();
    return pos_ < text_.size() && text_[pos_] == c;
  }
  bool Expect(char c) {
    if (!Peek(c)) return false;
    ++pos_;
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

bool ParseRecordLine(std::string_view line, RequestRecord& record) {
  record = RequestRecord{};
  return RecordReader(line).Read(record);
}

}  // namespace standin
