// CZELSocket against the stand-in servers: the raw port rule, fresh sockets after a refusal, and
// waits that end.
#include <gtest/gtest.h>

#include <thread>

#include "upload/win/tests/standin_control.h"
#include "upload/win/zel_socket.h"

namespace {

class UploadSocket : public ::testing::Test {
 protected:
  void SetUp() override { standin_.Reset(); }
  void TearDown() override { standin_.Reset(); }
  uploadtest::StandinControl standin_;
};

// The stand-in counts a connection when it accepts it, a moment after connect() returned here.
bool CounterReaches(uploadtest::StandinControl& standin, const std::string& name, std::uint64_t value) {
  for (int i = 0; i < 100; ++i) {
    if (standin.Counter(name) == value) return true;
    Sleep(10);
  }
  return false;
}

unsigned char PortByte(const CZELSocket& socket, int index) {
  return reinterpret_cast<const unsigned char*>(&socket.Address().sin_port)[index];
}

TEST_F(UploadSocket, PortsAreWrittenRawAndReachTheByteSwappedWirePorts) {
  CZELSocket blocks;
  EXPECT_EQ(PortByte(blocks, 0), 0x8D);
  EXPECT_EQ(PortByte(blocks, 1), 0x13);
  EXPECT_EQ(ntohs(blocks.Address().sin_port), 36115);

  CZELSocket records(5006);
  CZELSocket moved;
  moved.SetPort(5006);
  EXPECT_EQ(ntohs(records.Address().sin_port), 36371);
  EXPECT_EQ(ntohs(moved.Address().sin_port), 36371);

  ASSERT_EQ(blocks.Connect(1), 0);
  ASSERT_EQ(records.Connect(1), 0);
  ASSERT_EQ(moved.Connect(1), 0);
  EXPECT_TRUE(CounterReaches(standin_, "block_connections", 1));
  EXPECT_TRUE(CounterReaches(standin_, "record_connections", 2));
}

TEST_F(UploadSocket, RefusedConnectIsRetriedOnAFreshSocket) {
  CZELSocket socket;
  EXPECT_EQ(socket.Connect(0), -1);
  EXPECT_EQ(socket.Handle(), INVALID_SOCKET);

  standin_.Set("block", "refuse");
  const DWORD start = GetTickCount();
  EXPECT_EQ(socket.Connect(3), -1);
  EXPECT_GE(GetTickCount() - start, 290u);  // 100 ms after each of three attempts
  EXPECT_EQ(socket.Handle(), INVALID_SOCKET);

  standin_.Set("block", "normal");
  ASSERT_EQ(socket.Connect(1), 0);
  std::string packet(6504, '\0');
  packet[4] = 1;
  packet.replace(69, 5, "a.jpg");
  packet[352] = 1;  // count 1
  char reply[4];
  EXPECT_EQ(socket.Send(packet.data(), 6504), 6504);
  EXPECT_EQ(socket.Recv(reply, 4), 4);
  EXPECT_EQ(socket.Send(packet.data(), 0), 0);
  EXPECT_EQ(socket.Recv(reply, -1), 0);
}

TEST_F(UploadSocket, ConnectEndsAtOnceWhenNoSocketCanBeMade) {
  CZELSocket socket;
  ASSERT_TRUE(socket.CleanSocket());  // the process's socket library is closed: socket() fails
  const DWORD start = GetTickCount();
  EXPECT_EQ(socket.Connect(3), -1);
  EXPECT_LT(GetTickCount() - start, 90u) << "no pause after an attempt that could not make a socket";
  EXPECT_EQ(socket.Handle(), INVALID_SOCKET);
}

TEST_F(UploadSocket, SilentServerCannotHoldAReceiveBeyondItsTimeOut) {
  standin_.Set("block", "stall");
  CZELSocket socket;
  socket.SetTimeouts(2000, 300);
  ASSERT_EQ(socket.Connect(1), 0);
  std::string packet(6504, '\0');
  char reply[4];
  ASSERT_EQ(socket.Send(packet.data(), 6504), 6504);
  DWORD start = GetTickCount();
  EXPECT_EQ(socket.Recv(reply, 4), -1);
  const DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 250u);
  EXPECT_LT(waited, 2000u);

  // An abort from another thread ends a long wait at once, and every later one.
  CZELSocket patient;
  patient.SetTimeouts(2000, 60000);
  ASSERT_EQ(patient.Connect(1), 0);
  ASSERT_EQ(patient.Send(packet.data(), 6504), 6504);
  std::thread stopper([&patient] {
    Sleep(200);
    patient.Abort();
  });
  start = GetTickCount();
  EXPECT_EQ(patient.Recv(reply, 4), -1);
  EXPECT_LT(GetTickCount() - start, 2000u);
  stopper.join();
  start = GetTickCount();
  EXPECT_EQ(patient.Connect(3), -1);
  EXPECT_LT(GetTickCount() - start, 200u);
}

TEST_F(UploadSocket, ShortAnswerIsAFailedReceive) {
  standin_.Set("block", "short");
  CZELSocket socket;
  socket.SetTimeouts(2000, 2000);
  ASSERT_EQ(socket.Connect(1), 0);
  std::string packet(6504, '\0');
  char reply[4];
  ASSERT_EQ(socket.Send(packet.data(), 6504), 6504);
  EXPECT_EQ(socket.Recv(reply, 4), -1);
}

TEST_F(UploadSocket, CopiesShareTheAddressButNeverTheConnection) {
  CZELSocket original(5006);
  ASSERT_EQ(original.Connect(1), 0);
  {
    CZELSocket copy(original);
    EXPECT_EQ(copy.Handle(), INVALID_SOCKET);
    EXPECT_EQ(copy.Address().sin_port, original.Address().sin_port);
    CZELSocket assigned;
    assigned = original;
    EXPECT_EQ(assigned.Handle(), INVALID_SOCKET);
  }
  // The copies are gone; the original's connection still works.
  std::string record(800, '\0');
  char reply[4];
  EXPECT_EQ(original.Send(record.data(), 800), 800);
  EXPECT_EQ(original.Recv(reply, 4), 4);
  EXPECT_TRUE(original.CleanSocket());
  EXPECT_EQ(original.Handle(), INVALID_SOCKET);
  EXPECT_TRUE(original.CleanSocket());  // a second clean-up has nothing left to end
}

TEST_F(UploadSocket, ListenOnAnAddressInUseFails) {
  CZELSocket busy;  // the stand-in's block server holds the wire port
  EXPECT_EQ(busy.Listen(5), -1);
  CZELSocket free(12345);  // raw 12345 is wire port 14640
  ASSERT_EQ(free.Listen(5), 0);
  CZELSocket client(12345);
  ASSERT_EQ(client.Connect(1), 0);
  const SOCKET accepted = free.Accept(nullptr, nullptr);
  EXPECT_NE(accepted, INVALID_SOCKET);
  CZELSocket adopted(accepted);
  EXPECT_EQ(client.Send("ping", 4), 4);
  char received[4];
  EXPECT_EQ(adopted.Recv(received, 4), 4);
  EXPECT_EQ(std::string(received, 4), "ping");
}

}  // namespace
