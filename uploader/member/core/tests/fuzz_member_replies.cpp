// Hostile replies and lists: the reply head and body split in arbitrary pieces, the address
// parser, the album lines, the creation reply and the data list files must neither crash nor
// overrun, whatever the bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "conf/core/data_lists.h"
#include "uploader/member/core/http_exchange.h"
#include "uploader/member/core/http_url.h"
#include "uploader/member/core/member_requests.h"

namespace {

// Serves the input as the reply, in pieces whose sizes come from the input's first byte.
class FuzzConnection : public mb::uploader::HttpConnection {
 public:
  FuzzConnection(const std::string& reply, std::size_t step) : reply_(reply), step_(step) {}
  bool Send(std::string_view) override { return true; }
  int Receive(char* buffer, int size) override {
    if (offset_ >= reply_.size()) return 0;
    const std::size_t count = std::min({static_cast<std::size_t>(size), step_, reply_.size() - offset_});
    reply_.copy(buffer, count, offset_);
    offset_ += count;
    return static_cast<int>(count);
  }

 private:
  std::string reply_;
  std::size_t step_;
  std::size_t offset_ = 0;
};

class FuzzConnector : public mb::uploader::HttpConnector {
 public:
  FuzzConnector(const std::string& reply, std::size_t step) : reply_(reply), step_(step) {}
  std::unique_ptr<mb::uploader::HttpConnection> Connect(const std::string&, int) override {
    return std::make_unique<FuzzConnection>(reply_, step_);
  }

 private:
  std::string reply_;
  std::size_t step_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  FuzzConnector connector(text, 1 + data[0] % 600);
  mb::uploader::HttpReply reply;
  if (mb::uploader::RunHttpRequest(connector, "http://h/", "", "", reply) == 0 &&
      reply.headerText.size() + reply.body.size() != text.size()) {
    __builtin_trap();  // every byte that arrived is in the head or the body
  }
  mb::uploader::HttpUrlParts parts;
  mb::uploader::ParseHttpUrl(text, parts);
  mb::uploader::ParseAlbumLines(text);
  mb::uploader::ParseCreatedAlbumNumber(text);
  mb::conf::CategoryList categories;
  categories.Parse(text);
  for (const auto& record : categories.Records()) {
    if (record.name.size() > mb::conf::kMaxListNameBytes || record.parent.size() > mb::conf::kMaxListNameBytes) {
      __builtin_trap();
    }
  }
  mb::conf::NamedList actives(1);
  actives.Parse(text);
  return 0;
}
