#include "tools/standin/reply_builders.h"

#include "tools/standin/text_codec.h"

namespace standin {
namespace {

std::string Encode(std::string_view utf8, ReplyCharset charset) {
  return charset == ReplyCharset::kUtf8 ? std::string(utf8) : Utf8ToGbk(utf8);
}

std::string LabelledType(std::string_view mime, ReplyCharset charset) {
  std::string type(mime);
  if (charset == ReplyCharset::kGbk) type += "; charset=GBK";
  if (charset == ReplyCharset::kUtf8) type += "; charset=UTF-8";
  return type;
}

std::vector<unsigned> VersionNumbers(std::string_view text) {
  std::vector<unsigned> numbers;
  if (text.empty()) return numbers;
  unsigned value = 0;
  for (char c : text) {
    if (c == '.') {
      numbers.push_back(value);
      value = 0;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned>(c - '0');
    }
  }
  numbers.push_back(value);
  return numbers;
}

}  // namespace

std::optional<ReplyCharset> ParseReplyCharset(std::string_view text) {
  if (text == "gbk" || text == "GBK") return ReplyCharset::kGbk;
  if (text == "utf-8" || text == "utf8" || text == "UTF-8") return ReplyCharset::kUtf8;
  if (text == "undeclared") return ReplyCharset::kGbkUndeclared;
  return std::nullopt;
}

const char* ReplyCharsetName(ReplyCharset charset) {
  switch (charset) {
    case ReplyCharset::kGbk: return "gbk";
    case ReplyCharset::kUtf8: return "utf-8";
    case ReplyCharset::kGbkUndeclared: return "undeclared";
  }
  return "gbk";
}

Reply TextReply(std::string_view utf8, std::string_view mime, ReplyCharset charset) {
  return Reply{200, LabelledType(mime, charset), Encode(utf8, charset)};
}

Reply XmlReply(std::string_view utf8Elements, ReplyCharset charset) {
  std::string document = "<?xml version=\"1.0\" encoding=\"";
  document += charset == ReplyCharset::kUtf8 ? "UTF-8" : "GBK";
  document += "\"?>\r\n";
  document += utf8Elements;
  return Reply{200, LabelledType("text/xml", charset), Encode(document, charset)};
}

Reply BytesReply(std::string bytes, std::string contentType) {
  return Reply{200, std::move(contentType), std::move(bytes)};
}

Reply StatusReply(int status) {
  const std::string code = std::to_string(status);
  return Reply{status, "text/html",
               "<html><head><title>" + code + "</title></head><body><h1>" + code +
                   "</h1></body></html>\r\n"};
}

Reply EmptyReply() { return Reply{200, "text/xml", {}}; }

Reply ForeignCharsetReply(Reply reply) {
  std::string type = reply.contentType;
  const size_t parameters = type.find(';');
  if (parameters != std::string::npos) type.resize(parameters);
  reply.contentType = type + "; charset=ISO-2022-JP";
  return reply;
}

Reply GarbageReply() {
  // Unclosed elements, a broken GBK pair and stray markup: no parser takes this as a document.
  static const char kBody[] = "<root><login>\x81\x20</rot><<&#;>>\r\n\xFF\xFE*|*(\r\n";
  return Reply{200, "text/xml", std::string(kBody, sizeof kBody - 1)};
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string LoginReplyElements(bool success, const LoginAddresses& a, int adTime,
                               const std::vector<UploadSort>& sorts) {
  std::string xml = "<root>\r\n";
  auto element = [&xml](const char* name, std::string_view value) {
    xml += "<";
    xml += name;
    xml += ">";
    xml += XmlEscape(value);
    xml += "</";
    xml += name;
    xml += ">\r\n";
  };
  element("login", success ? "1" : "0");
  if (success) {
    element("registerURL", a.registerUrl);
    element("lostpasswdURL", a.lostPasswordUrl);
    element("hotlistURL", a.hotListUrl);
    element("searchURL", a.searchUrl);
    element("uploadURL", a.uploadUrl);
    element("reportURL", a.reportUrl);
    element("updateURL", a.updateUrl);
    element("vuploadURL", a.viewUploadsUrl);
    element("popURL", a.noticeUrl);
    element("adTime", std::to_string(adTime));
    for (const UploadSort& sort : sorts) {
      element("uploadsort", std::to_string(sort.id) + "," + sort.name);
    }
  }
  xml += "</root>\r\n";
  return xml;
}

std::string TopListText(const std::vector<TopListPicture>& pictures, std::string_view home,
                        std::string_view label, int stamp) {
  std::string text;
  for (const TopListPicture& picture : pictures) {
    text += picture.url + "(" + picture.category + ")*";
  }
  text += std::string(home) + "(" + std::string(label) + ")*" + std::to_string(stamp);
  return text;
}

std::string NoticeListText(const std::vector<std::string>& pageUrls) {
  std::string text;
  for (const std::string& url : pageUrls) text += url + "\n";
  return text;
}

std::string AlbumListText(const std::vector<Album>& albums) {
  std::string text;
  for (const Album& album : albums) {
    text += std::to_string(album.number) + "|" + GbkToUtf8(album.name) + "\r\n";
  }
  return text;
}

std::string DataVersionsText(int version, const std::vector<std::string>& fileUrls) {
  std::string text;
  for (const std::string& url : fileUrls) text += std::to_string(version) + "|" + url + "\r\n";
  return text;
}

std::string UpdateCheckText(bool needed, std::string_view version, std::string_view url) {
  if (!needed) return "need=0\r\n";
  return "need=1\r\nversion=" + std::string(version) + "\r\nurl=" + std::string(url) + "\r\n";
}

int CompareVersions(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return (a.empty() ? 0 : 1) - (b.empty() ? 0 : 1);
  std::vector<unsigned> x = VersionNumbers(a), y = VersionNumbers(b);
  for (size_t i = 0; i < x.size() || i < y.size(); ++i) {
    unsigned p = i < x.size() ? x[i] : 0, q = i < y.size() ? y[i] : 0;
    if (p != q) return p < q ? -1 : 1;
  }
  return 0;
}

}  // namespace standin
