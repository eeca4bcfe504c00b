#include "client/ui/upload/upload_registration.h"

#include "client/core/service_url.h"
#include "common/sdom_doc.h"

namespace mb {
namespace {

constexpr long kHttpOk = 200;

// The reply's leading integer as atoi reads it: white space first, then sign and digits.
int LeadingNumber(std::string_view reply) {
  const std::size_t start = reply.find_first_not_of(" \t\r\n\v\f");
  return start == std::string_view::npos ? 0 : ReadLeadingInt(reply.substr(start));
}

}  // namespace

UploadTarget MakeUploadTarget(std::string_view path, std::string_view user, const upload::UploadStamp& stamp) {
  UploadTarget target;
  target.dateFolder = upload::DateFolder(stamp);
  target.minuteFolder = upload::MinuteFolder(stamp);
  target.wireUser = upload::UserWithoutDots(user);
  target.remoteName = upload::RemoteFileName(target.wireUser, stamp, upload::FileExtension(path));
  target.remotePath = target.dateFolder + "/" + target.minuteFolder;
  return target;
}

std::string RegistrationUrl(std::string_view site, const UploadForm& form, const UploadTarget& target) {
  QueryText query;
  query.Add("username", form.user)
      .Add("title", form.title)
      .Add("srctype", form.source)
      .Add("desc", form.description)
      .Add("pictype1", form.category1)
      .Add("pictype2", form.category2)
      .Add("pictype3", form.category3)
      .Add("special", form.album)
      .Add("tag", form.tag)
      .Add("width", form.width)
      .Add("height", form.height)
      .Add("remotepath", target.remotePath)
      .Add("filename", target.remoteName)
      .Add("pub", form.visibility);
  return ServiceUrl(site, form.reprint ? "/muralbox2/douploadgo.jsp" : "/muralbox2/douploadauthor_client.jsp", query);
}

std::string AlbumListUrl(std::string_view site, std::string_view user) {
  return ServiceUrl(site, "/common/upload/albumlist_client.jsp", QueryText().Add("userid", user));
}

std::string AddAlbumUrl(std::string_view site, std::string_view user, std::string_view album) {
  return ServiceUrl(site, "/common/upload/addalbum_client.jsp", QueryText().Add("userid", user).Add("v", album));
}

bool RegistrationAccepted(long status, std::string_view reply) {
  return status == kHttpOk && LeadingNumber(reply) > 0;
}

int NewAlbumNumber(long status, std::string_view reply) {
  const int number = status == kHttpOk ? LeadingNumber(reply) : 0;
  return number >= 1 ? number : -1;
}

}  // namespace mb
