// The replies of the stand-in service: their charset and labels, and the bodies of the replies
// the wallpaper programs read (login XML, lists, version files, the update answer).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/standin/member_store.h"

namespace standin {

// How texts are sent: GBK declared in the content type, UTF-8 declared, or GBK with no charset
// in the content type (the XML declaration still names GBK, as a parser needs it).
enum class ReplyCharset { kGbk, kUtf8, kGbkUndeclared };

std::optional<ReplyCharset> ParseReplyCharset(std::string_view text);  // gbk, utf-8, undeclared
const char* ReplyCharsetName(ReplyCharset charset);

struct Reply {
  int status = 200;
  std::string contentType;
  std::string body;  // bytes as sent
  long bytesPerSecond = 0;  // above 0: the body goes out no faster than this
};

// Texts below are UTF-8; the reply carries them in the asked charset.
Reply TextReply(std::string_view utf8, std::string_view mime, ReplyCharset charset);
// Wraps the elements in an XML declaration naming the charset of the bytes.
Reply XmlReply(std::string_view utf8Elements, ReplyCharset charset);
Reply BytesReply(std::string bytes, std::string contentType);
// A short page with the status, as a web server sends for an error.
Reply StatusReply(int status);
// A 200 reply whose body no XML parser, list reader or picture decoder accepts.
Reply GarbageReply();
// A 200 reply with no body at all.
Reply EmptyReply();
// The reply with its bytes unchanged but its content type labelled ISO-2022-JP, a charset none
// of the programs reads.
Reply ForeignCharsetReply(Reply reply);

std::string XmlEscape(std::string_view text);

struct UploadSort {
  int id = 0;
  std::string name;  // UTF-8
};

// The service addresses a successful login hands out, each a full URL.
struct LoginAddresses {
  std::string registerUrl, lostPasswordUrl, hotListUrl, searchUrl, uploadUrl, reportUrl,
      updateUrl, viewUploadsUrl, noticeUrl;
};

// Elements of the login reply: "login" 1 with the addresses, adTime and the upload sorts, or
// "login" 0 alone.
std::string LoginReplyElements(bool success, const LoginAddresses& addresses, int adTime,
                               const std::vector<UploadSort>& sorts);

struct TopListPicture {
  std::string url;
  std::string category;  // UTF-8
};

// The recommended list: "url(category)" items, the home address with its label, the stamp,
// joined by '*'.
std::string TopListText(const std::vector<TopListPicture>& pictures, std::string_view home,
                        std::string_view label, int stamp);

// One notice page address per LF-ended line.
std::string NoticeListText(const std::vector<std::string>& pageUrls);

// "number|name" lines ended by CR LF; names converted from GBK to UTF-8.
std::string AlbumListText(const std::vector<Album>& albums);

// Three lines "version|url" for classify.dat, actives.dat and themes.dat, in that order.
std::string DataVersionsText(int version, const std::vector<std::string>& fileUrls);

// "need=0", or "need=1" with the version and download address, lines ended by CR LF.
std::string UpdateCheckText(bool needed, std::string_view version, std::string_view url);

// Compares dotted version texts number by number ("1.0.10" > "1.0.9"); an empty text is older
// than any version. Negative, 0 or positive as a < b, a == b, a > b.
int CompareVersions(std::string_view a, std::string_view b);

}  // namespace standin
