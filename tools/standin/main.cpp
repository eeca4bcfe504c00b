// The stand-in picture service as a program: serves until SIGTERM or SIGINT.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tools/standin/standin_server.h"

int main(int argc, char** argv) {
  standin::StandinOptions options;
  options.port = MB_SERVICE_HTTP_PORT;
  const std::string error = standin::ParseOptions(argc, argv, options);
  if (!error.empty() || options.showHelp) {
    std::fprintf(error.empty() ? stdout : stderr, "%s%s%s", error.c_str(), error.empty() ? "" : "\n",
                 standin::UsageText(argv[0]).c_str());
    return error.empty() ? 0 : 2;
  }

  // The signals are taken by one thread of ours; every other thread, the library's included,
  // inherits the blocked mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  standin::StandinServer server(options);
  const int port = server.Bind();
  if (port < 0) {
    std::fprintf(stderr, "standin: %s\n", server.error().c_str());
    return 1;
  }

  std::atomic<bool> serving{true};
  std::thread signalWaiter([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    if (serving) server.Stop();
  });

  std::fprintf(stderr, "standin: listening on %s, request log %s\n", server.base().c_str(),
               options.logPath.c_str());
  std::printf("ready\n");
  std::fflush(stdout);

  const bool served = server.Run();
  // Run can also end on its own (a failed accept); wake the waiter then.
  serving = false;
  pthread_kill(signalWaiter.native_handle(), SIGTERM);
  signalWaiter.join();
  return served ? 0 : 1;
}
