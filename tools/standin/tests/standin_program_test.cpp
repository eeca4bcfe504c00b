// The program as tests and the demo start it: "ready" once it listens, a clean end on SIGTERM.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/tests/temp_folder.h"

namespace {

class Program {
 public:
  explicit Program(std::vector<std::string> args) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv{const_cast<char*>(MB_STANDIN_PROGRAM)};
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(MB_STANDIN_PROGRAM, argv.data());
      _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
  }
  ~Program() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

  // Reads stdout until a full line arrives or the time is up.
  std::string ReadLine(std::chrono::milliseconds limit) {
    std::string line;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      pollfd pfd{stdout_, POLLIN, 0};
      if (poll(&pfd, 1, 50) <= 0) continue;
      char c;
      if (read(stdout_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line.push_back(c);
    }
    return line;
  }

  void Signal(int sig) { kill(pid_, sig); }

  // The exit code, or -1 when it did not end in time or ended by a signal.
  int Wait(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10000);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  bool exited_ = false;
};

using namespace std::chrono_literals;

TEST(StandinProgramTest, SaysReadyAndEndsCleanlyOnSigterm) {
  mb::TempFolder folder;
  Program program({"--port", "0", "--log", folder.Path("log.jsonl")});
  EXPECT_EQ(program.ReadLine(10s), "ready");
  program.Signal(SIGTERM);
  EXPECT_EQ(program.Wait(10s), 0);
}

TEST(StandinProgramTest, BadArgumentsAndABusyPortFail) {
  Program bad({"--fault", "/a=sometimes"});
  EXPECT_EQ(bad.Wait(10s), 2);

  int sock = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(listen(sock, 1), 0);
  socklen_t length = sizeof addr;
  getsockname(sock, reinterpret_cast<sockaddr*>(&addr), &length);
  mb::TempFolder folder;
  Program busy({"--port", std::to_string(ntohs(addr.sin_port)), "--log", folder.Path("log.jsonl")});
  EXPECT_EQ(busy.Wait(10s), 1);
  close(sock);
}

}  // namespace
