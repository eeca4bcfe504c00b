// Commands by which a running test switches the stand-in service's behaviour (the body of
// POST /__control), one per line:
//   fault PATH MODE   MODE as ParseFault reads it; PATH "*" for every path without its own
//   clear             every fault off, stalled requests released
//   release           stalled requests go on; a path still set to stall stalls new requests
//   charset NAME      gbk, utf-8 or undeclared
//   toplist-stamp N   the stamp the recommended list carries from now on
//   installer VERSION FILE PATH   the update check offers VERSION, served from FILE at PATH
//   installer none    no update is offered
//   adverts LIST      the advert list served from now on: the rest of the line, UTF-8, with '|'
//                     between its lines; "adverts" alone serves an empty list (the default)
//   adtime N          the report interval handed out by logins from now on
//   notices LIST      the notice list served from now on, in the form of the advert list;
//                     "notices" alone serves an empty list
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "tools/standin/fault_injector.h"
#include "tools/standin/installer_offer.h"
#include "tools/standin/reply_builders.h"

namespace standin {

class ControlChannel {
 public:
  ControlChannel(FaultInjector& faults, std::atomic<ReplyCharset>& charset, InstallerOffer& installer,
                 std::function<void(int)> setTopListStamp = {},
                 std::function<void(std::string)> setAdverts = {}, std::function<void(int)> setAdTime = {},
                 std::function<void(std::string)> setNotices = {})
      : faults_(faults), charset_(charset), installer_(installer),
        setTopListStamp_(std::move(setTopListStamp)), setAdverts_(std::move(setAdverts)),
        setAdTime_(std::move(setAdTime)), setNotices_(std::move(setNotices)) {}

  // Applies the commands in order. Stops at the first bad line and returns its error; an empty
  // text when every line was applied.
  std::string Apply(std::string_view commands);

 private:
  std::string ApplyLine(std::string_view line);

  FaultInjector& faults_;
  std::atomic<ReplyCharset>& charset_;
  InstallerOffer& installer_;
  std::function<void(int)> setTopListStamp_;
  std::function<void(std::string)> setAdverts_;
  std::function<void(int)> setAdTime_;
  std::function<void(std::string)> setNotices_;
};

}  // namespace standin
