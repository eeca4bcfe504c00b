// The routes table of the stand-in service: which path gives which reply. Every route answers GET
// and POST alike, as the programs use both for the same pages.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/standin/installer_offer.h"
#include "tools/standin/member_store.h"
#include "tools/standin/reply_builders.h"
#include "tools/standin/sample_images.h"
#include "tools/standin/text_codec.h"

namespace standin {

struct IncomingRequest {
  std::string method;
  std::string path;      // percent-decoded path
  std::vector<QueryParam> params;
  std::string body;

  std::string Param(std::string_view name) const { return FindParam(params, name); }
};

// Values of the service that a test or the demo chooses on the command line.
struct ServiceSettings {
  std::string base;          // "http://127.0.0.1:18080", the site every address points to
  int adTime = 1800;         // report interval handed out by the login
  int topListStamp = 2;      // stamp of the recommended list (a client without top10.dat has 1)
  int dataVersion = 2;       // version of each data file in version.txt
  std::string updateVersion;  // version of the offered installer; empty: no update is offered
  std::string updatePackage;  // file served as that installer (see InstallerOffer for changes)
};

class ServiceRoutes {
 public:
  ServiceRoutes(ServiceSettings settings, MemberStore& members, InstallerOffer& installer);

  // The base address is known once the port is bound.
  void SetBase(const std::string& base) { settings_.base = base; }
  // The stamp the recommended list carries from now on (a test changes it between starts).
  void SetTopListStamp(int stamp) { topListStamp_ = stamp; }
  // The advert list served from now on (UTF-8, LF-ended lines; empty at start).
  void SetAdverts(std::string listText);
  // The report interval that logins hand out from now on.
  void SetAdTime(int seconds) { adTime_ = seconds; }
  // The notice list served from now on in place of the two sample notices (LF-ended lines).
  void SetNotices(std::string listText);

  // The reply of the route for the request's path; 404 for a path the service does not have.
  Reply Handle(const IncomingRequest& request, ReplyCharset charset);

 private:
  using Handler = Reply (ServiceRoutes::*)(const IncomingRequest&, ReplyCharset);

  Reply Login(const IncomingRequest& request, ReplyCharset charset);
  Reply Acknowledge(const IncomingRequest& request, ReplyCharset charset);
  Reply NoticeList(const IncomingRequest& request, ReplyCharset charset);
  Reply NoticePage(const IncomingRequest& request, ReplyCharset charset);
  Reply AdvertList(const IncomingRequest& request, ReplyCharset charset);
  Reply TopList(const IncomingRequest& request, ReplyCharset charset);
  Reply PageView(const IncomingRequest& request, ReplyCharset charset);
  Reply AlbumList(const IncomingRequest& request, ReplyCharset charset);
  Reply AddAlbum(const IncomingRequest& request, ReplyCharset charset);
  Reply RegisterUpload(const IncomingRequest& request, ReplyCharset charset);
  Reply DataVersions(const IncomingRequest& request, ReplyCharset charset);
  Reply DataFile(const IncomingRequest& request, ReplyCharset charset);
  Reply UpdateCheck(const IncomingRequest& request, ReplyCharset charset);
  Reply UpdatePackage(const IncomingRequest& request, ReplyCharset charset);
  Reply SamplePicture(const IncomingRequest& request, ReplyCharset charset);

  ServiceSettings settings_;
  MemberStore& members_;
  InstallerOffer& installer_;
  std::map<std::string, Handler> exact_;
  std::vector<std::pair<std::string, Handler>> prefixes_;
  // Sample pictures already made, by name: a large one takes longer to make than to send.
  std::string CachedSample(const std::string& name, ImageFormat format, int width, int height);
  std::mutex sampleLock_;
  std::map<std::string, std::string> samples_;
  std::size_t sampleBytes_ = 0;
  std::atomic<int> lastUploadNumber_{0};
  std::atomic<int> topListStamp_;
  std::atomic<int> adTime_;
  std::mutex advertsLock_;
  std::string adverts_;  // under advertsLock_
  std::optional<std::string> notices_;  // under advertsLock_; none: the sample notices
};

}  // namespace standin
