#include "tools/standin/standin_server.h"

#include <httplib.h>

#include <chrono>
#include <memory>
#include <thread>

#include "common/gbk_text.h"
#include "tools/standin/connection_stream.h"
#include "tools/standin/request_record.h"
#include "tools/standin/text_codec.h"

namespace standin {

const char kControlPath[] = "/__control";

namespace {

constexpr int kReadTimeoutMs = 5000;
constexpr int kWriteTimeoutMs = 5000;
// Stalled requests each hold a worker, so the pool is larger than the library's default.
constexpr size_t kWorkerThreads = 32;

struct RawTarget {
  std::string path;
  std::string query;
};

RawTarget SplitTarget(std::string_view target) {
  size_t mark = mb::GbkFind(target, '?');
  if (mark == std::string_view::npos) return {std::string(target), {}};
  return {std::string(target.substr(0, mark)), std::string(target.substr(mark + 1))};
}

void AbandonConnection() {
  if (ConnectionStream* connection = ConnectionStream::Current()) connection->Abandon();
}

// The body goes out through a content provider of known length: the library compresses a plain
// body whenever the client accepts gzip, and the uploader's own HTTP client cannot inflate.
void WriteReply(httplib::Response& res, Reply reply, bool truncate) {
  res.status = reply.status;
  if (reply.body.empty()) {
    res.set_content("", reply.contentType.c_str());
    return;
  }
  auto body = std::make_shared<std::string>(std::move(reply.body));
  const size_t limit = truncate ? body->size() / 2 : body->size();
  const long rate = reply.bytesPerSecond;
  using Clock = std::chrono::steady_clock;
  auto started = std::make_shared<Clock::time_point>();
  res.set_content_provider(
      body->size(), reply.contentType,
      [body, limit, rate, started](size_t offset, size_t length, httplib::DataSink& sink) {
        if (offset >= limit) return false;  // the rest is never sent; the connection ends here
        size_t count = std::min(length, limit - offset);
        if (rate > 0) {
          // Tenth-of-a-second pieces, each sent when the rate allows it.
          if (offset == 0) *started = Clock::now();
          count = std::min(count, static_cast<size_t>(std::max(1L, rate / 10)));
          std::this_thread::sleep_until(*started + std::chrono::microseconds(
                                                       static_cast<long long>(offset) * 1000000 / rate));
        }
        return sink.write(body->data() + offset, count);
      });
}

}  // namespace

class StandinServer::HttpFront : public httplib::Server {
 public:
  explicit HttpFront(StandinServer& owner) : owner_(owner) {
    new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    auto serve = [this](const httplib::Request& req, httplib::Response& res) { Serve(req, res); };
    // Every path, even one whose decoded form holds a line break, reaches Serve and the log.
    Get(R"([\s\S]*)", serve);
    Post(R"([\s\S]*)", serve);
  }

 // Closes the listening socket even before the accept loop has started, so a stop that comes
  // early still ends Run().
  void Shutdown() {
    socket_t sock = svr_sock_.exchange(INVALID_SOCKET);
    if (sock != INVALID_SOCKET) CloseConnection(sock, false);
  }

 private:
  // One request per connection, read and answered through a stream of ours, so that a request
  // can end its connection without a reply.
  bool process_and_close_socket(socket_t sock) override {
    ConnectionStream stream(sock, kReadTimeoutMs, kWriteTimeoutMs);
    bool served = false;
    {
      ConnectionStream::Scope scope(stream);
      bool connectionClosed = false;
      served = process_request(stream, true, connectionClosed, {});
    }
    CloseConnection(sock, stream.abandoned());
    return served;
  }

  void Serve(const httplib::Request& req, httplib::Response& res) {
    const RawTarget target = SplitTarget(req.target);
    if (req.path == kControlPath) {
      ServeControl(req, res);
      return;
    }
    Fault fault = owner_.faults_.For(req.path);
    Record(req, target, fault);
    if (fault.kind == FaultKind::kStall) {
      if (!owner_.faults_.AwaitStallEnd(req.path)) {
        AbandonConnection();
        return;
      }
      fault = owner_.faults_.For(req.path);
      if (fault.kind == FaultKind::kStall) fault = Fault{};  // released, answered normally
    }
    switch (fault.kind) {
      case FaultKind::kRefuse:
        AbandonConnection();
        return;
      case FaultKind::kStatus:
        WriteReply(res, StatusReply(fault.status), false);
        return;
      case FaultKind::kGarbage:
        WriteReply(res, GarbageReply(), false);
        return;
      case FaultKind::kEmpty:
        WriteReply(res, EmptyReply(), false);
        return;
      case FaultKind::kZero:
        WriteReply(res, Reply{200, "text/plain", "0"}, false);
        return;
      case FaultKind::kNone:
      case FaultKind::kStall:
      case FaultKind::kTruncate:
      case FaultKind::kForeignCharset:
        break;
    }
    IncomingRequest request{req.method, req.path, ParseQuery(target.query), req.body};
    Reply reply = owner_.routes_.Handle(request, owner_.charset_.load());
    if (fault.kind == FaultKind::kForeignCharset) reply = ForeignCharsetReply(std::move(reply));
    WriteReply(res, std::move(reply), fault.kind == FaultKind::kTruncate);
  }

  void Record(const httplib::Request& req, const RawTarget& target, const Fault& fault) {
    RequestRecord record;
    record.method = req.method;
    record.path = target.path;
    record.query = target.query;
    record.version = req.version;
    for (const auto& [name, value] : req.headers) {
      // The library adds the peer's address as headers of its own; they were not sent.
      if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
          name == "LOCAL_PORT") {
        continue;
      }
      record.headers.emplace_back(name, value);
    }
    record.body = req.body;
    if (ConnectionStream* connection = ConnectionStream::Current()) record.head = connection->RawHead();
    record.fault = FaultName(fault);
    owner_.recorder_.Record(std::move(record));
  }

  void ServeControl(const httplib::Request& req, httplib::Response& res) {
    if (req.method != "POST") {
      WriteReply(res, StatusReply(405), false);
      return;
    }
    const std::string error = owner_.control_.Apply(req.body);
    Reply reply{error.empty() ? 200 : 400, "text/plain", error.empty() ? "ok\n" : error + "\n"};
    WriteReply(res, std::move(reply), false);
  }

  StandinServer& owner_;
};

StandinServer::StandinServer(const StandinOptions& options)
    : options_(options),
      charset_(options.charset),
      installer_({options.service.updateVersion, options.service.updatePackage, InstallerOffer::kDefaultDownloadPath}),
      control_(faults_, charset_, installer_, [this](int stamp) { routes_.SetTopListStamp(stamp); },
               [this](std::string adverts) { routes_.SetAdverts(std::move(adverts)); },
               [this](int seconds) { routes_.SetAdTime(seconds); },
               [this](std::string notices) { routes_.SetNotices(std::move(notices)); }),
      routes_(options.service, members_, installer_),
      front_(std::make_unique<HttpFront>(*this)) {
  const std::vector<Account> accounts = options.accounts.empty() ? DefaultAccounts() : options.accounts;
  for (const Account& account : accounts) members_.AddAccount(Utf8ToGbk(account.name), account.password);
  members_.SetStarterAlbums(StarterAlbumsGbk());
  for (const auto& [path, fault] : options.faults) faults_.Set(path, fault);
}

StandinServer::~StandinServer() { Stop(); }

int StandinServer::Bind() {
  if (!recorder_.Open(options_.logPath)) {
    error_ = "cannot create the request log " + options_.logPath;
    return -1;
  }
  int port = options_.port;
  if (port == 0) {
    port = front_->bind_to_any_port(options_.host);
  } else if (!front_->bind_to_port(options_.host, port)) {
    port = -1;
  }
  if (port < 0) {
    error_ = "cannot listen on " + options_.host + ":" + std::to_string(options_.port);
    return -1;
  }
  base_ = "http://" + options_.host + ":" + std::to_string(port);
  routes_.SetBase(base_);
  return port;
}

bool StandinServer::Run() { return front_->listen_after_bind(); }

void StandinServer::Stop() {
  faults_.Stop();
  front_->Shutdown();
}

}  // namespace standin
