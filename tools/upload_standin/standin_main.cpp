// upload_standin: the stand-in block and record servers for tests and the demo.
//   upload_standin --store DIR [--host 127.0.0.1] [--block-port 36115] [--record-port 36371]
//                  [--control-port 36390] [--ready-file FILE]
// Control commands (see upload_standin.h) are read line by line from connections to the control
// port. The ready file is written once every port listens.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "tools/upload_standin/upload_standin.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: upload_standin --store DIR [--host H] [--block-port P] [--record-port P]"
               " [--control-port P] [--ready-file F]\n");
  return 2;
}

int OpenControl(const std::string& host, std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, host.c_str(), &address.sin_addr);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0) {
    std::fprintf(stderr, "upload_standin: control port %u: %s\n", port, std::strerror(errno));
    ::close(fd);
    return -1;
  }
  return fd;
}

// Serves one control connection; true when a command asked the program to end.
bool ServeControl(int fd, mb::standin::UploadStandin& standin) {
  std::string pending;
  char buffer[1024];
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    pending.append(buffer, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
      std::string command = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (!command.empty() && command.back() == '\r') command.pop_back();
      bool quit = false;
      std::string answer;
      for (const std::string& line : standin.Execute(command, quit)) answer += line + "\n";
      ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
      if (quit) return true;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  mb::standin::StandinOptions options;
  std::uint16_t controlPort = 36390;
  std::string readyFile;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (flag == "--store") options.storeFolder = value;
    else if (flag == "--host") options.host = value;
    else if (flag == "--block-port") options.blockPort = static_cast<std::uint16_t>(std::atoi(value.c_str()));
    else if (flag == "--record-port") options.recordPort = static_cast<std::uint16_t>(std::atoi(value.c_str()));
    else if (flag == "--control-port") controlPort = static_cast<std::uint16_t>(std::atoi(value.c_str()));
    else if (flag == "--ready-file") readyFile = value;
    else return Usage();
  }
  if (options.storeFolder.empty()) return Usage();

  mb::standin::UploadStandin standin(options);
  std::string error;
  if (!standin.Start(error)) {
    std::fprintf(stderr, "upload_standin: %s\n", error.c_str());
    return 1;
  }
  const int control = OpenControl(options.host, controlPort);
  if (control < 0) return 1;
  if (!readyFile.empty()) std::ofstream(readyFile) << ::getpid() << "\n";
  std::printf("upload_standin: blocks on %u, records on %u, control on %u\n", standin.BlockServer().Port(),
              standin.RecordServer().Port(), controlPort);
  std::fflush(stdout);

  for (bool quit = false; !quit;) {
    const int fd = ::accept4(control, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      break;
    }
    quit = ServeControl(fd, standin);
    ::close(fd);
  }
  ::close(control);
  standin.Stop();
  return 0;
}
