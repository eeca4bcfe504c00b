// The stand-in picture service: HTTP front, request log, fault switches and the routes table.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "tools/standin/control_channel.h"
#include "tools/standin/fault_injector.h"
#include "tools/standin/member_store.h"
#include "tools/standin/reply_builders.h"
#include "tools/standin/request_recorder.h"
#include "tools/standin/service_routes.h"
#include "tools/standin/standin_options.h"

namespace standin {

// Path of the control endpoint; its requests are neither recorded nor faulted.
extern const char kControlPath[];

class StandinServer {
 public:
  explicit StandinServer(const StandinOptions& options);
  ~StandinServer();
  StandinServer(const StandinServer&) = delete;
  StandinServer& operator=(const StandinServer&) = delete;

  // Opens the request log and binds the port. Returns the port, or -1 with error() set.
  int Bind();
  // Serves until Stop(); false when it could not serve.
  bool Run();
  // Ends Run() from any thread; stalled requests are dropped unanswered.
  void Stop();

  const std::string& error() const { return error_; }
  const std::string& base() const { return base_; }
  FaultInjector& faults() { return faults_; }

 private:
  class HttpFront;

  StandinOptions options_;
  MemberStore members_;
  RequestRecorder recorder_;
  FaultInjector faults_;
  std::atomic<ReplyCharset> charset_;
  InstallerOffer installer_;
  ControlChannel control_;
  ServiceRoutes routes_;
  std::unique_ptr<HttpFront> front_;
  std::string base_;
  std::string error_;
};

}  // namespace standin
