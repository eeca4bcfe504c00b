// A small program that uses Conf.dll from its own folder, so that the files the library writes
// beside itself stay in the test's folder. It runs the command given on its command line and
// writes what it found, one "key=value" line each, to probe.out beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

#include "conf/win/config.h"

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.find_last_of('\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  CConfig* config = CConfig::GetConfig();
  std::string out;
  auto put = [&out](const std::string& key, const std::string& value) { out += key + "=" + value + "\n"; };
  auto number = [&put](const std::string& key, int value) { put(key, std::to_string(value)); };

  if (command == "dump") {
    number("listview", config->GetListView());
    number("showfilename", config->GetShowFileName());
    number("showpk", config->GetShowPK());
    number("exittip", config->GetExitTip());
    number("classifyversion", config->GetClassifyVersion());
    number("autologin", config->GetAutoLogin());
    number("login", config->GetLogin());
  } else if (command == "change") {
    // Saved by the singleton at exit, not here.
    config->SetListView(1);
    config->SetShowPK(1);
    config->SetExitTip(1);
    config->SetClassifyVersion(7);
    config->SetDefaultUserName("张三");
  } else if (command == "paths") {
    std::string frame, ad;
    config->GetDefaultFrameFilePath(frame);
    config->GetDefaultAdFilePath(ad);
    put("program", config->GetProgramPath());
    put("frame", frame);
    put("ad", ad);
    put("watermark", config->GetWatermarkFilePath());
    put("startmenu", config->GetStartMenuPath());
    number("win98", config->IsWin98());
    number("nullexists", config->isFileExist(nullptr));
    number("selfexists", config->isFileExist(config->GetProgramPath().c_str()));
  } else if (command == "link") {
    number("create1", config->CreateLink(1));
    number("create2", config->CreateLink(1));
    number("exists", config->isFileExist((config->GetStartMenuPath() + "墨岚屏上传.lnk").c_str()));
    number("delete1", config->CreateLink(0));
    number("delete2", config->CreateLink(0));
  } else {
    return 2;
  }
  FILE* file = std::fopen((Folder() + "probe.out").c_str(), "wb");
  if (!file) return 3;
  std::fwrite(out.data(), 1, out.size(), file);
  std::fclose(file);
  return 0;
}
