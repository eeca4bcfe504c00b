#include "tools/standin/service_routes.h"

#include <fstream>
#include <iterator>

#include "common/gbk_text.h"
#include "tools/standin/sample_images.h"
#include "tools/standin/service_catalog.h"

namespace standin {
namespace {

constexpr int kDefaultSampleWidth = 640;
constexpr int kDefaultSampleHeight = 480;

// "name-WxH" asks for a W x H picture; any other name gets the default size.
void SampleSize(std::string_view stem, int& width, int& height) {
  width = kDefaultSampleWidth;
  height = kDefaultSampleHeight;
  size_t dash = mb::GbkFindLast(stem, '-');
  size_t x = mb::GbkFindLast(stem, 'x');
  if (dash == std::string_view::npos || x == std::string_view::npos || x < dash) return;
  auto number = [](std::string_view digits, int& out) {
    if (digits.empty() || digits.size() > 4) return false;
    out = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      out = out * 10 + (c - '0');
    }
    return true;
  };
  int w = 0, h = 0;
  if (number(stem.substr(dash + 1, x - dash - 1), w) && number(stem.substr(x + 1), h)) {
    width = w;
    height = h;
  }
}

Reply PlainText(std::string_view utf8, ReplyCharset charset) {
  return TextReply(utf8, "text/plain", charset);
}

}  // namespace

ServiceRoutes::ServiceRoutes(ServiceSettings settings, MemberStore& members, InstallerOffer& installer)
    : settings_(std::move(settings)), members_(members), installer_(installer),
      topListStamp_(settings_.topListStamp), adTime_(settings_.adTime) {
  exact_ = {
      {"/kivane/passport.jsp", &ServiceRoutes::Login},
      {"/kivane/member/exit.jsp", &ServiceRoutes::Acknowledge},
      {"/kivane/exit.jsp", &ServiceRoutes::Acknowledge},
      {"/regist.jsp", &ServiceRoutes::Acknowledge},
      {"/kivane/report.jsp", &ServiceRoutes::Acknowledge},
      {"/kivane/getmsg.html", &ServiceRoutes::NoticeList},
      {"/kivane/getad.html", &ServiceRoutes::AdvertList},
      {"/client/yhtj1.html", &ServiceRoutes::TopList},
      {"/conf/pv.png", &ServiceRoutes::PageView},
      {"/common/upload/albumlist_client.jsp", &ServiceRoutes::AlbumList},
      {"/common/upload/addalbum_client.jsp", &ServiceRoutes::AddAlbum},
      {"/muralbox2/douploadgo.jsp", &ServiceRoutes::RegisterUpload},
      {"/muralbox2/douploadauthor_client.jsp", &ServiceRoutes::RegisterUpload},
      {"/admin/version.txt", &ServiceRoutes::DataVersions},
      {"/update.jsp", &ServiceRoutes::UpdateCheck},
      {"/kivane/update.jsp", &ServiceRoutes::UpdateCheck},
  };
  prefixes_ = {
      {"/kivane/notice/", &ServiceRoutes::NoticePage},
      {"/admin/", &ServiceRoutes::DataFile},
      {"/samples/", &ServiceRoutes::SamplePicture},
  };
}

Reply ServiceRoutes::Handle(const IncomingRequest& request, ReplyCharset charset) {
  if (request.path == installer_.Current().downloadPath) return UpdatePackage(request, charset);
  auto exact = exact_.find(request.path);
  if (exact != exact_.end()) return (this->*exact->second)(request, charset);
  for (const auto& [prefix, handler] : prefixes_) {
    if (request.path.compare(0, prefix.size(), prefix) == 0) return (this->*handler)(request, charset);
  }
  const std::string page = ClientPageHtml(request.path, settings_.base);
  if (!page.empty()) return TextReply(page, "text/html", charset);
  return StatusReply(404);
}

Reply ServiceRoutes::Login(const IncomingRequest& request, ReplyCharset charset) {
  const bool success = members_.CheckLogin(request.Param("user"), request.Param("pass"));
  return XmlReply(LoginReplyElements(success, ServiceAddresses(settings_.base), adTime_.load(),
                                     UploadSorts()),
                  charset);
}

Reply ServiceRoutes::Acknowledge(const IncomingRequest&, ReplyCharset charset) {
  return PlainText("1", charset);
}

Reply ServiceRoutes::NoticeList(const IncomingRequest&, ReplyCharset charset) {
  std::lock_guard<std::mutex> hold(advertsLock_);
  return PlainText(notices_ ? *notices_ : NoticeListText(NoticePages(settings_.base)), charset);
}

void ServiceRoutes::SetNotices(std::string listText) {
  std::lock_guard<std::mutex> hold(advertsLock_);
  notices_ = std::move(listText);
}

Reply ServiceRoutes::NoticePage(const IncomingRequest& request, ReplyCharset charset) {
  const std::string name = request.path.substr(std::string("/kivane/notice/").size());
  const std::string html = name == "1.html" ? NoticePageHtml(1)
                           : name == "2.html" ? NoticePageHtml(2)
                                              : std::string();
  if (html.empty()) return StatusReply(404);
  return TextReply(html, "text/html", charset);
}

void ServiceRoutes::SetAdverts(std::string listText) {
  std::lock_guard<std::mutex> hold(advertsLock_);
  adverts_ = std::move(listText);
}

Reply ServiceRoutes::AdvertList(const IncomingRequest&, ReplyCharset charset) {
  std::lock_guard<std::mutex> hold(advertsLock_);
  return PlainText(adverts_, charset);
}

Reply ServiceRoutes::TopList(const IncomingRequest&, ReplyCharset charset) {
  return PlainText(TopListText(TopListPictures(settings_.base), settings_.base, kTopListLabel,
                               topListStamp_.load()),
                   charset);
}

Reply ServiceRoutes::PageView(const IncomingRequest&, ReplyCharset) {
  return BytesReply(MakeSampleImage(ImageFormat::kPng, 1, 1, "pv"), "image/png");
}

Reply ServiceRoutes::AlbumList(const IncomingRequest& request, ReplyCharset charset) {
  return PlainText(AlbumListText(members_.Albums(request.Param("userid"))), charset);
}

Reply ServiceRoutes::AddAlbum(const IncomingRequest& request, ReplyCharset charset) {
  const int number = members_.AddAlbum(request.Param("userid"), request.Param("v"));
  return PlainText(std::to_string(number), charset);
}

Reply ServiceRoutes::RegisterUpload(const IncomingRequest& request, ReplyCharset charset) {
  // A registration without its user or stored file name is refused with "0", as a failed
  // database write would be.
  if (request.Param("username").empty() || request.Param("filename").empty()) {
    return PlainText("0", charset);
  }
  return PlainText(std::to_string(++lastUploadNumber_), charset);
}

Reply ServiceRoutes::DataVersions(const IncomingRequest&, ReplyCharset charset) {
  return PlainText(DataVersionsText(settings_.dataVersion, DataFileUrls(settings_.base)), charset);
}

Reply ServiceRoutes::DataFile(const IncomingRequest& request, ReplyCharset) {
  // The data files are stored by the uploader as they arrive, so they are always GBK.
  const std::string text = DataFileText(request.path.substr(std::string("/admin/").size()));
  if (text.empty()) return StatusReply(404);
  return BytesReply(Utf8ToGbk(text), "application/octet-stream");
}

Reply ServiceRoutes::UpdateCheck(const IncomingRequest& request, ReplyCharset charset) {
  const Installer offered = installer_.Current();
  const bool needed = !offered.version.empty() && !offered.packageFile.empty() &&
                      CompareVersions(request.Param("version"), offered.version) < 0;
  return PlainText(UpdateCheckText(needed, offered.version, settings_.base + offered.downloadPath), charset);
}

Reply ServiceRoutes::UpdatePackage(const IncomingRequest&, ReplyCharset) {
  // Read at every request: the package is built by another tree and may appear later.
  const Installer offered = installer_.Current();
  std::ifstream file(offered.packageFile, std::ios::binary);
  if (offered.packageFile.empty() || !file) return StatusReply(404);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return BytesReply(std::move(bytes), "application/octet-stream");
}

Reply ServiceRoutes::SamplePicture(const IncomingRequest& request, ReplyCharset) {
  const std::string name = request.path.substr(std::string("/samples/").size());
  const size_t dot = mb::GbkFindLast(name, '.');
  if (dot == std::string::npos || mb::GbkFind(name, '/') != std::string::npos) {
    return StatusReply(404);
  }
  const std::optional<ImageFormat> format = ImageFormatFromExtension(name.substr(dot + 1));
  if (!format) return StatusReply(404);
  int width = 0, height = 0;
  SampleSize(std::string_view(name).substr(0, dot), width, height);
  std::string bytes = CachedSample(name, *format, width, height);
  if (bytes.empty()) return StatusReply(404);
  Reply reply = BytesReply(std::move(bytes), ImageContentType(*format));
  // "?rate=N": a slow picture, N bytes a second (a download that can still be cancelled).
  const std::string rate = request.Param("rate");
  if (!rate.empty() && rate.size() < 10 && rate.find_first_not_of("0123456789") == std::string::npos) {
    reply.bytesPerSecond = std::stol(rate);
  }
  return reply;
}

std::string ServiceRoutes::CachedSample(const std::string& name, ImageFormat format, int width, int height) {
  constexpr std::size_t kCacheLimit = 256u << 20;
  {
    std::lock_guard<std::mutex> hold(sampleLock_);
    auto found = samples_.find(name);
    if (found != samples_.end()) return found->second;
  }
  std::string bytes = MakeSampleImage(format, width, height, name.substr(0, mb::GbkFindLast(name, '.')));
  std::lock_guard<std::mutex> hold(sampleLock_);
  if (sampleBytes_ + bytes.size() <= kCacheLimit && samples_.emplace(name, bytes).second) sampleBytes_ += bytes.size();
  return bytes;
}

}  // namespace standin
