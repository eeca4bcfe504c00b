// Editor benchmark: a 12-megapixel JPEG handed over the client's way (WM_SETTEXT with the path,
// then message 2023, to a stand-in of the picture view that opens the editor on it) until the
// editor and its canvas have painted for the first time, against the image layer's decode of
// the same file alone. Rounds alternate; prints each run, the best of each and the ratio.
//   editor_bench.exe <folder> [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "editor/win/edit_image_dlg.h"
#include "editor/win/member_prompt.h"
#include "framework/module.h"
#include "image/picture.h"

namespace {

constexpr UINT kOpenHandedPicture = 2023;

// The picture view's part of the road: keeps the path sent by WM_SETTEXT, opens the editor on
// 2023 over its whole client area and paints it.
class ViewStandIn : public fw::Window {
 public:
  ViewStandIn() {
    Handle(WM_SETTEXT, &ViewStandIn::OnSetText);
    Handle(kOpenHandedPicture, &ViewStandIn::OnOpen);
  }
  std::unique_ptr<CEditImageDlg> editor;
  double createMs = 0, paintMs = 0;  // the editor made (picture loaded), then shown and painted

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "editor.bench.View";
    return spec;
  }

 private:
  LRESULT OnSetText(const fw::Message& m) {
    path_ = reinterpret_cast<const char*>(m.lParam);
    return TRUE;
  }
  LRESULT OnOpen(const fw::Message&) {
    const auto start = std::chrono::steady_clock::now();
    editor = std::make_unique<CEditImageDlg>(path_, nullptr, Handle());
    if (!editor->Create()) return 0;
    const auto created = std::chrono::steady_clock::now();
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(*editor, 0, 0, client.right, client.bottom, FALSE);
    ShowWindow(*editor, SW_SHOW);
    RedrawWindow(*editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    createMs = Milliseconds(created - start);
    paintMs = Milliseconds(std::chrono::steady_clock::now() - created);
    return 1;
  }
  std::string path_;
  static double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  }
};

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool MakePhoto(const std::string& path) {
  mb::Picture photo;
  if (!photo.Create(4000, 3000, mb::Rgba{0, 0, 0, 255})) return false;
  for (int y = 0; y < 3000; ++y)
    for (int x = 0; x < 4000; ++x)
      photo.SetPixelColor(x, y, mb::Rgba{static_cast<std::uint8_t>(x * 255 / 4000), static_cast<std::uint8_t>(y * 255 / 3000),
                                         static_cast<std::uint8_t>((x ^ y) & 0xFF), 255});
  return photo.Save(path, mb::PictureFormat::kJpeg);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: editor_bench <folder> [rounds]\n");
    return 2;
  }
  const std::string path = std::string(argv[1]) + "\\photo12mp.jpg";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  fw::Module::Init(GetModuleHandleA(nullptr));
  mb::editor::SetPromptFunction([](HWND, const std::string& text, UINT) {
    std::fprintf(stderr, "box: %s\n", text.c_str());
    return IDOK;
  });
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && !MakePhoto(path)) {
    std::fprintf(stderr, "cannot make %s\n", path.c_str());
    return 1;
  }
  ViewStandIn view;
  view.Create(nullptr, "view", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
  SetWindowPos(view, nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_SHOWWINDOW);

  double bestDecode = 1e12, bestEditor = 1e12;
  for (int round = 0; round < rounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    mb::Picture decoded;
    if (!decoded.Load(path)) {
      std::fprintf(stderr, "decode failed: %s\n", decoded.LastError().c_str());
      return 1;
    }
    const double decode = Milliseconds(std::chrono::steady_clock::now() - start);
    decoded.Clear();

    start = std::chrono::steady_clock::now();
    SendMessageA(view, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (!SendMessageA(view, kOpenHandedPicture, 0, 0)) return 1;
    const double editor = Milliseconds(std::chrono::steady_clock::now() - start);
    view.editor.reset();

    std::printf("round %d: decode %.1f ms, handed over to first paint %.1f ms (editor made %.1f, shown and painted %.1f)\n",
                round + 1, decode, editor, view.createMs, view.paintMs);
    bestDecode = std::min(bestDecode, decode);
    bestEditor = std::min(bestEditor, editor);
  }
  std::printf("best: decode %.1f ms, editor %.1f ms, ratio %.2f (goal 1.5 at most)\n", bestDecode, bestEditor,
              bestEditor / bestDecode);
  view.Destroy();
  return 0;
}
