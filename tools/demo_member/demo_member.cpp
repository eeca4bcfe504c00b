// Prepares a client folder for the demo: conf.dat of a member who logs in automatically with the
// carousel on, and wallpaper.dat with the pictures to step through. Written by the client's own
// configuration code, so the files are exactly what the client writes itself.
//   demo_member [--typed] FOLDER SITE USER PASSWORD SECONDS PICTURE...
// --typed: the member types the account in at the login dialog (nothing is saved for it).
// FOLDER is the client's folder (a Linux path); SITE the service's address as the client was
// built with it ("http://127.0.0.1:18080"); each PICTURE is the path the client will open
// (a Windows path).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/password_cipher.h"

int main(int argc, char** argv) {
  const bool typed = argc > 1 && std::string(argv[1]) == "--typed";
  if (typed) {
    --argc;
    ++argv;
  }
  if (argc < 7) {
    std::fprintf(stderr, "usage: demo_member [--typed] FOLDER SITE USER PASSWORD SECONDS PICTURE...\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  const std::string site = argv[2];
  const std::string user = argv[3];
  const std::string password = argv[4];
  const int seconds = std::atoi(argv[5]);
  if (seconds <= 0) {
    std::fprintf(stderr, "demo_member: SECONDS must be above 0\n");
    return 2;
  }
  std::vector<std::string> pictures(argv + 6, argv + argc);

  mb::ClientConfig config({folder, site});
  config.user = user;
  config.autoLogin = 1;
  config.savePassword = 1;
  config.isFirstRun = 0;
  config.wallpaperApply = 1;
  config.minutes = 0;
  config.seconds = seconds;
  config.wallpapers.SetPaths(pictures);
  if (!typed) config.SaveAccount(user, mb::EncryptPasswordHex(password, mb::PasswordStorageKey()), 1, 1);
  config.autoLogin = typed ? 0 : 1;
  if (!config.SaveClientConfig()) {
    std::fprintf(stderr, "demo_member: cannot write %sconf.dat\n", folder.c_str());
    return 1;
  }
  return 0;
}
