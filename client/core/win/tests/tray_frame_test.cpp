// The tray frame's life in-process: one frame, reachable until the start-up code releases it; the
// notices start for a member who has logged in, never once the shut-down has begun; the
// shut-down's last requests come before the frame's window goes.
#include "client/core/win/tray_frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "client/core/client_config.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

class RecordingServices : public FrameServices {
 public:
  explicit RecordingServices(std::vector<std::string>& calls) : calls_(calls) {}
  void StartPopups() override { calls_.push_back("start notices"); }
  void StopPopups() override { calls_.push_back("stop notices"); }
  void SendReports(bool atExit) override {
    if (atExit) calls_.push_back("last reports");
  }
  void SendLogoutNotice() override { calls_.push_back("logout notice"); }

 private:
  std::vector<std::string>& calls_;
};

TEST(TrayFrame, StaysTheOneFrameUntilReleasedAndStartsNothingOnceItsShutDownBegan) {
  winkit::TempFolder folder;
  CreateClientConfig({folder.Root(), "http://127.0.0.1:9"});
  std::vector<std::string> calls;
  TrayFrameParts parts;
  parts.services = std::make_unique<RecordingServices>(calls);
  TrayFrame* frame = TrayFrame::CreateTrayFrame(std::move(parts));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(calls.empty()) << "logged out: no notices when the frame is made";

  frame->StartPopups();  // a login made after the frame
  frame->OnExit();
  MSG quit = {};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(calls, (std::vector<std::string>{"start notices", "last reports", "logout notice", "stop notices"}));
  EXPECT_FALSE(frame->IsWindow());

  // Until it is released the frame is there, and nothing takes its place or starts again.
  EXPECT_TRUE(ClientShuttingDown());
  EXPECT_EQ(GetTrayFrame(), frame);
  EXPECT_EQ(TrayFrame::CreateTrayFrame({}), frame);
  frame->StartPopups();
  frame->OnExit();
  EXPECT_EQ(calls.size(), 4u);
  TrayFrame::ReleaseTrayFrame();
  EXPECT_EQ(GetTrayFrame(), nullptr);
  EXPECT_FALSE(ClientShuttingDown());
  DestroyClientConfig();
}

}  // namespace
}  // namespace mb
