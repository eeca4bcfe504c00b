// The pictures themselves. Every painter works in its image's own coordinates; anything that
// sits on varying backgrounds keeps its see-through parts in the key colour.
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "skin/art/skin_art.h"
#include "skin/art/skin_theme.h"
#include "skin/format/keyed_region.h"

namespace mb::skinart {
namespace {

enum class State { kNormal, kHot, kDown, kDisabled };

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
bool StartsWith(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }
bool Contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

State StateOf(const std::string& name) {
  if (EndsWith(name, "_down")) return State::kDown;
  if (EndsWith(name, "_disable") || EndsWith(name, "_move")) return State::kDisabled;
  if (Contains(name, "_focus") || Contains(name, "_mousemove")) return State::kHot;
  return State::kNormal;
}

const Rgb kWhite{255, 255, 255};
const Rgb kGreyTop{226, 226, 226};
const Rgb kGreyBottom{196, 196, 196};
const Rgb kGreyEdge{150, 150, 150};

// Top and bottom colours of a button face in a state.
struct Face {
  Rgb top, bottom;
};

Face StateFace(Rgb top, Rgb bottom, State state) {
  switch (state) {
    case State::kHot: return {Lighten(top, 0.25), Lighten(bottom, 0.2)};
    case State::kDown: return {Darken(bottom, 0.15), Darken(top, 0.05)};
    case State::kDisabled: return {kGreyTop, kGreyBottom};
    case State::kNormal: break;
  }
  return {top, bottom};
}

class Painter {
 public:
  Painter(int layout, TextPainter& text) : layout_(layout), t_(ThemeFor(layout)), text_(text) {}

  void Paint(const ImagePlan& plan, Raster& r) {
    const std::string& n = plan.name;
    if (n == "main_bk") return MainBackground(r);
    if (n == "login_dlg") return LoginBackground(r);
    if (n == "float_bk") return FloatBackground(r);
    if (n == "tray_menu") return TrayMenuBackground(r);
    if (n == "popup_bk") return PopupBackground(r);
    if (n == "conf_bk") return SettingsPanel(r);
    if (n == "upload_bk") return UploadPanel(r);
    if (n == "tree_bk") return LightPanel(r, 6);
    if (n == "thumbpanel") return Strip(r);
    if (n == "thumbpanel_bk") return SlotFrame(r);
    if (n == "thumbpanel2_bk") return PanelWithHeader(r, true);
    if (n == "thumbpreview" || n == "thumbPreview2_bk") return PanelWithHeader(r, false);
    // Layout 3's list writes its white caption on a band, as layout 2's does.
    if (n == "wallpaperpreview_bk") return PanelWithHeader(r, false);
    if (StartsWith(n, "progress_") || StartsWith(n, "dlgprogress_")) return ProgressBar(r, EndsWith(n, "_step"));
    if (StartsWith(n, "button_")) return PushButton(r, StateOf(n));
    if (StartsWith(n, "vertab_")) return VerticalTab(r, n);
    if (StartsWith(n, "conf_") && EndsWith(n, "_btn_bk")) return CaptionedButton(r, n);
    if (StartsWith(n, "tab_") || StartsWith(n, "selecttab_")) return Tab(r, n);
    if (StartsWith(n, "close_button") || StartsWith(n, "min_button")) return CaptionButton(r, n);
    if (EndsWith(n, "_icon")) return PageIcon(r, n);
    if (Contains(n, "left") || Contains(n, "right") || n == "menuarrow_bk") return Arrow(r, n);
    throw std::logic_error("no picture for skin image " + n);
  }

 private:
  // Frames ------------------------------------------------------------------------------------

  double Radius() const { return layout_ == 1 ? 10 : layout_ == 2 ? 8 : 6; }

  void Frame(Raster& r, Rgb top, Rgb bottom) {
    r.VerticalGradient(r.Bounds(), top, bottom);
    r.StrokeRoundRect(r.Bounds(), Radius(), 1, t_.frameEdge);
  }

  void Brand(Raster& r, const Box& box, int size, Rgb colour, bool centred = false) {
    text_.Draw(r, "墨岚屏 Pelora", box, size, colour, true, centred);
  }

  void Panel(Raster& r, const Box& b, Rgb fill, Rgb edge, double radius = 4) {
    r.FillRoundRect(b, radius, edge);
    r.FillRoundRect({b.x + 1, b.y + 1, b.w - 2, b.h - 2}, std::max(0.0, radius - 1), fill);
  }

  void Band(Raster& r, const Box& b, Rgb colour) { r.VerticalGradient(b, Lighten(colour, 0.12), Darken(colour, 0.08)); }

  void MainBackground(Raster& r) {
    const double w = r.Width();
    const double h = r.Height();
    Frame(r, t_.frameTop, t_.frameBottom);
    if (layout_ == 1) {
      Band(r, {1, 1, w - 2, 44}, t_.band);
      Brand(r, {18, 8, 240, 28}, 16, t_.brandText);
      Panel(r, {226, 70, 83, 24}, Lighten(t_.band, 0.15), Darken(t_.band, 0.2), 5);  // caption plate
      r.Fill({60, 135, 428, 1}, Darken(t_.band, 0.2));                                // foot of the tab strip
      Page(r, {6, 136, 528, 318});
    } else if (layout_ == 2) {
      Band(r, {1, 1, w - 2, 22}, t_.band);
      Brand(r, {14, 2, 300, 18}, 13, kWhite);
      text_.Draw(r, "墨岚屏", {12, 30, 112, 36}, 22, t_.band, true);
      Page(r, {9, 73, 689, 298});
      Panel(r, {9, 380, 714, 28}, t_.strip, t_.pageEdge, 4);  // status strip
    } else {
      Brand(r, {14, 6, 240, 22}, 14, t_.brandText);
      r.Fill({14, 33, w - 28, 1}, Lighten(t_.frameTop, 0.2));
      Page(r, {18, 73, 679, 318});
      Panel(r, {18, 396, 679, 28}, t_.strip, Darken(t_.strip, 0.3), 4);
    }
    r.StrokeRoundRect(r.Bounds(), Radius(), 1, t_.frameEdge);
    r.KeyOutsideRoundRect({0, 0, w, h}, Radius(), kKey);
  }

  void Page(Raster& r, const Box& b) {
    r.VerticalGradient(b, t_.page, Darken(t_.page, 0.04));
    r.Fill({b.x, b.y, b.w, 1}, t_.pageEdge);
    r.Fill({b.x, b.y + b.h - 1, b.w, 1}, t_.pageEdge);
    r.Fill({b.x, b.y, 1, b.h}, t_.pageEdge);
    r.Fill({b.x + b.w - 1, b.y, 1, b.h}, t_.pageEdge);
  }

  void LoginBackground(Raster& r) {
    const double w = r.Width();
    Frame(r, t_.frameTop, t_.frameBottom);
    const double band = layout_ == 1 ? 48 : 30;
    Band(r, {1, 1, w - 2, band}, t_.band);
    Brand(r, {14, 1, 200, band}, layout_ == 1 ? 15 : 13, kWhite);
    text_.Draw(r, "用户登录", {140, 1, 70, band}, 12, Lighten(t_.band, 0.7), false, false);
    // Behind the account and password boxes and the buttons.
    const Box panel = layout_ == 1 ? Box{44, 54, 270, 96} : layout_ == 2 ? Box{88, 64, 226, 98} : Box{28, 72, 246, 96};
    Panel(r, panel, t_.light, t_.lightEdge, 5);
    r.StrokeRoundRect(r.Bounds(), Radius(), 1, t_.frameEdge);
    r.KeyOutsideRoundRect(r.Bounds(), Radius(), kKey);
  }

  void FloatBackground(Raster& r) {
    const Rgb top = layout_ == 2 ? t_.band : t_.frameTop;
    const Rgb bottom = layout_ == 2 ? Darken(t_.band, 0.2) : t_.frameBottom;
    r.Fill(r.Bounds(), bottom);
    r.FillRoundRect(r.Bounds(), 7, t_.frameEdge);
    r.FillRoundRect({1, 1, r.Width() - 2.0, r.Height() - 2.0}, 6, top, bottom);
    text_.Draw(r, "墨岚屏", r.Bounds(), 11, kWhite, true);
    r.KeyOutsideRoundRect(r.Bounds(), 7, kKey);
  }

  void TrayMenuBackground(Raster& r) {
    const double w = r.Width();
    const double h = r.Height();
    r.VerticalGradient(r.Bounds(), t_.light, Darken(t_.light, 0.06));
    if (layout_ == 1) {
      Band(r, {0, 0, w, 86}, t_.band);
      text_.Draw(r, "墨岚屏", {0, 14, w, 34}, 24, kWhite, true);
      text_.Draw(r, "Pelora", {0, 50, w, 22}, 14, Lighten(t_.band, 0.6), false);
      r.Fill({117, 96, 1, 140}, t_.lightEdge);  // between the columns
      Band(r, {0, 222, w, h - 222}, t_.band);
    } else if (layout_ == 2) {
      Band(r, {0, 0, 28, h}, t_.band);
      const char* chars[] = {"墨", "岚", "屏"};
      for (int i = 0; i < 3; ++i) text_.Draw(r, chars[i], {0, 12.0 + i * 24, 28, 22}, 15, kWhite, true);
      r.Fill({34, 133, w - 40, 1}, t_.lightEdge);
      r.Fill({34, 235, w - 40, 1}, t_.lightEdge);
    } else {
      Band(r, {0, 0, w, 32}, t_.band);
      Brand(r, {0, 0, w, 32}, 13, kWhite, true);
      r.Fill({40, 131, w - 50, 1}, t_.lightEdge);
      r.Fill({40, 209, w - 50, 1}, t_.lightEdge);
    }
    r.StrokeRoundRect(r.Bounds(), 6, 1, t_.frameEdge);
    r.KeyOutsideRoundRect(r.Bounds(), 6, kKey);
  }

  void PopupBackground(Raster& r) {
    const double w = r.Width();
    Frame(r, t_.frameTop, t_.frameBottom);
    Band(r, {1, 1, w - 2, 58}, t_.band);
    Brand(r, {20, 6, 300, 26}, 15, kWhite);
    text_.Draw(r, "消息提示", {20, 32, 200, 20}, 12, Lighten(t_.band, 0.7), false, false);
    Panel(r, {20, 71, w - 40, 172}, kWhite, t_.lightEdge, 3);  // behind the page
    r.StrokeRoundRect(r.Bounds(), Radius(), 1, t_.frameEdge);
    r.KeyOutsideRoundRect(r.Bounds(), Radius(), kKey);
  }

  // Panels ------------------------------------------------------------------------------------

  void LightPanel(Raster& r, double radius) {
    r.Fill(r.Bounds(), layout_ == 1 ? t_.page : t_.light);
    const Rgb fill = layout_ == 1 ? Lighten(t_.page, 0.9) : t_.light;
    Panel(r, r.Bounds(), fill, layout_ == 1 ? t_.pageEdge : t_.lightEdge, radius);
  }

  void SettingsPanel(Raster& r) {
    const double w = r.Width();
    r.VerticalGradient(r.Bounds(), t_.page, Darken(t_.page, 0.04));
    if (layout_ == 1) {
      // White labels on blue: a column for the vertical tabs and one for the group shown.
      text_.Draw(r, "参数设置", {12, 4, 200, 22}, 13, kWhite, true, false);
      Panel(r, {8, 32, 155, 92}, Darken(t_.page, 0.18), t_.pageEdge, 5);
      Panel(r, {170, 32, w - 178, 190}, Lighten(t_.page, 0.08), t_.pageEdge, 5);
      return;
    }
    const double top = layout_ == 2 ? 28 : 44;
    const double height = layout_ == 2 ? 140 : 136;
    for (const auto& group : {std::pair<double, const char*>{20, "系统设置"}, {350, "壁纸参数"}}) {
      Panel(r, {group.first, top, 310, height}, t_.light, t_.lightEdge, 5);
      text_.Draw(r, group.second, {group.first + 10, top - 22, 200, 20}, 12, t_.band, true, false);
    }
    if (layout_ == 3) Panel(r, {350, 240, 310, 46}, Darken(t_.light, 0.03), t_.lightEdge, 5);
  }

  void UploadPanel(Raster& r) {
    r.VerticalGradient(r.Bounds(), t_.page, Darken(t_.page, 0.04));
    const Rgb fill = layout_ == 1 ? Lighten(t_.page, 0.08) : t_.light;
    const Rgb edge = layout_ == 1 ? t_.pageEdge : t_.lightEdge;
    // The page writes the picture's size in white on the title row: the pale layouts give it a band.
    if (layout_ != 1) Band(r, {0, 0, r.Width(), 21}, t_.band);
    Panel(r, {10, 22, r.Width() - 20.0, r.Height() - 32.0}, fill, edge, 6);
    text_.Draw(r, "上传壁纸", {18, 2, 200, 18}, 12, kWhite, true, false);
  }

  void Strip(Raster& r) {
    r.Fill(r.Bounds(), t_.page);
    r.FillRoundRect(r.Bounds(), 6, Darken(t_.page, 0.15), Darken(t_.page, 0.3));
    r.KeyOutsideRoundRect(r.Bounds(), 6, kKey);
  }

  void SlotFrame(Raster& r) {
    const double w = r.Width();
    const double h = r.Height();
    r.Fill(r.Bounds(), kWhite);
    r.StrokeRoundRect(r.Bounds(), 4, 2, layout_ == 1 ? Lighten(t_.accent, 0.3) : t_.accent);
    r.KeyInside({2, 2, w - 4, h - 4}, kKey);
    r.KeyOutsideRoundRect(r.Bounds(), 4, kKey);
  }

  void PanelWithHeader(Raster& r, bool carouselPanel) {
    const double w = r.Width();
    const double h = r.Height();
    if (layout_ == 1 && !carouselPanel) return LightPanel(r, 4);
    r.VerticalGradient(r.Bounds(), t_.light, Darken(t_.light, 0.05));
    const double header = layout_ == 3 ? 40 : 28;
    Band(r, {0, 0, w, header}, t_.band);
    r.Fill({0, header, w, 1}, Darken(t_.band, 0.25));
    if (carouselPanel && layout_ == 3) {
      // Layout 3 has no label elements in the panel: the captions are part of the picture.
      text_.Draw(r, "开启轮播", {98, 12, 90, 18}, 12, kWhite, false, false);
      text_.Draw(r, "关闭轮播", {206, 12, 90, 18}, 12, kWhite, false, false);
      text_.Draw(r, "轮播时间设置", {380, 12, 100, 18}, 12, kWhite, false, false);
      r.FillCircle(87.5, 21.5, 6, kWhite);
      r.FillCircle(195, 21.5, 6, kWhite);
    }
    r.StrokeRoundRect({0, 0, w, h}, 4, 1, t_.lightEdge);
    r.KeyOutsideRoundRect(r.Bounds(), 4, kKey);
  }

  // Bars and buttons --------------------------------------------------------------------------

  void ProgressBar(Raster& r, bool fill) {
    const double h = r.Height();
    const double radius = h / 2;
    if (fill) {
      r.Fill(r.Bounds(), Darken(t_.page, 0.3));
      r.FillRoundRect(r.Bounds(), radius, Lighten(t_.accent, 0.25), t_.accentDark);
      r.Fill({radius, 2, r.Width() - 2 * radius, 1}, Lighten(t_.accent, 0.55));  // gloss
      r.KeyOutsideRoundRect(r.Bounds(), radius, kKey);
      return;
    }
    r.Fill(r.Bounds(), t_.page);
    r.FillRoundRect(r.Bounds(), radius, Darken(t_.pageEdge, 0.2));
    r.FillRoundRect({1, 1, r.Width() - 2.0, h - 2}, radius - 1, Darken(t_.page, 0.35), Darken(t_.page, 0.15));
    r.KeyOutsideRoundRect(r.Bounds(), radius, kKey);
  }

  void PushButton(Raster& r, State state) {
    const Face face = StateFace(t_.buttonTop, t_.buttonBottom, state);
    const Rgb edge = state == State::kDisabled ? kGreyEdge : t_.buttonEdge;
    r.Fill(r.Bounds(), layout_ == 1 ? t_.page : t_.band);
    r.FillRoundRect(r.Bounds(), 4, edge);
    r.FillRoundRect({1, 1, r.Width() - 2.0, r.Height() - 2.0}, 3, face.top, face.bottom);
    if (state == State::kDown) r.Fill({4, 1, r.Width() - 8.0, 1}, Darken(face.top, 0.1));
  }

  void VerticalTab(Raster& r, const std::string& name) {
    const bool selected = EndsWith(name, "_selected");
    Face face = StateFace(Lighten(t_.band, 0.15), Darken(t_.band, 0.1), StateOf(name));
    if (selected) face = {kWhite, Lighten(t_.accent, 0.7)};
    r.Fill(r.Bounds(), t_.page);
    r.FillRoundRect(r.Bounds(), 5, Darken(t_.band, 0.3));
    r.FillRoundRect({1, 1, r.Width() - 2.0, r.Height() - 2.0}, 4, face.top, face.bottom);
    r.FillCircle(16, r.Height() / 2.0, 3.5, selected ? t_.accentDark : kWhite);
    r.KeyOutsideRoundRect(r.Bounds(), 5, kKey);
  }

  void CaptionedButton(Raster& r, const std::string& name) {
    const char* caption = Contains(name, "_ok_") ? "确 定" : Contains(name, "_cancel_") ? "取 消" : "应 用";
    r.Fill(r.Bounds(), t_.light);
    r.FillRoundRect(r.Bounds(), 5, t_.buttonEdge);
    r.FillRoundRect({1, 1, r.Width() - 2.0, r.Height() - 2.0}, 4, t_.buttonTop, t_.buttonBottom);
    text_.Draw(r, caption, r.Bounds(), 12, kWhite, true);
    r.KeyOutsideRoundRect(r.Bounds(), 5, kKey);
  }

  // Tabs: in layout 1 the bar writes the labels; in layouts 2 and 3 each page's tab carries
  // its caption, with the "tab_mousemove" images marking the current page.
  void Tab(Raster& r, const std::string& name) {
    const double w = r.Width();
    const double h = r.Height();
    const bool selectedImage = StartsWith(name, "selecttab_");
    const bool hot = Contains(name, "_mousemove");
    // Layout 1: "selecttab" is the selected tab, "mousemove" the hot one. Layouts 2 and 3 show
    // only the "tab" images (the "selecttab" ones give the width), "mousemove" for the page shown.
    const bool current = layout_ == 1 ? selectedImage : (!selectedImage && hot);
    const bool lighter = layout_ == 1 ? hot : selectedImage;
    Face face = current ? Face{t_.tabOnTop, t_.tabOnBottom} : Face{t_.tabTop, t_.tabBottom};
    if (lighter) face = {Lighten(face.top, 0.3), Lighten(face.bottom, 0.25)};
    const Rgb base = layout_ == 1 ? t_.frameBottom : t_.frameTop;
    r.Fill(r.Bounds(), base);
    const Box shape{0, 0, w, h + 6};  // rounded at the top only
    r.FillShape(shape, [&](double x, double y) { return InsideRoundRect(shape, 6, x, y); }, Darken(face.bottom, 0.35),
                Darken(face.bottom, 0.35));
    const Box inner{1, 1, w - 2, h + 4};
    r.FillShape(inner, [&](double x, double y) { return InsideRoundRect(inner, 5, x, y); }, face.top, face.bottom);
    if (layout_ != 1) {
      text_.Draw(r, TabCaption(name), {0, 0, w, h}, layout_ == 2 ? 13 : 14, current ? t_.tabOnText : t_.tabText, current);
    }
    for (int y = 0; y < r.Height(); ++y) {
      for (int x = 0; x < r.Width(); ++x) {
        if (!InsideRoundRect(shape, 6, x + 0.5, y + 0.5)) r.Set(x, y, kKey);
      }
    }
  }

  static const char* TabCaption(const std::string& name) {
    static const std::map<std::string, const char*> captions = {
        {"_download", "壁纸下载"}, {"_upload", "壁纸上传"}, {"_sort", "壁纸排行"},
        {"_set", "参数设置"},      {"_personalinfo", "个人管理"}};
    for (const auto& entry : captions) {
      if (EndsWith(name, entry.first)) return entry.second;
    }
    return "壁纸设置";
  }

  void CaptionButton(Raster& r, const std::string& name) {
    const bool close = StartsWith(name, "close_");
    const State state = StateOf(name);
    const Face face = StateFace(close ? t_.closeTop : t_.captionTop, close ? t_.closeBottom : t_.captionBottom, state);
    const double w = r.Width();
    const double h = r.Height();
    const double radius = std::min(w, h) / 4;
    r.Fill(r.Bounds(), t_.frameBottom);
    r.FillRoundRect(r.Bounds(), radius, Darken(face.bottom, 0.3));
    r.FillRoundRect({1, 1, w - 2, h - 2}, radius - 1, face.top, face.bottom);
    const double s = std::min(w, h) * 0.26;
    const double cx = w / 2 + (state == State::kDown ? 0.5 : 0);
    const double cy = h / 2 + (state == State::kDown ? 0.5 : 0);
    const double stroke = std::max(1.6, std::min(w, h) / 9);
    const Rgb glyph = state == State::kDisabled ? kGreyEdge : t_.glyph;
    if (close) {
      r.DrawLine({cx - s, cy - s}, {cx + s, cy + s}, stroke, glyph);
      r.DrawLine({cx - s, cy + s}, {cx + s, cy - s}, stroke, glyph);
    } else {
      r.DrawLine({cx - s, cy + s * 0.6}, {cx + s, cy + s * 0.6}, stroke, glyph);
    }
    r.KeyOutsideRoundRect(r.Bounds(), radius, kKey);
  }

  void PageIcon(Raster& r, const std::string& name) {
    r.Fill(r.Bounds(), t_.page);
    const bool back = StartsWith(name, "first") || StartsWith(name, "previous");
    const bool end = StartsWith(name, "first") || StartsWith(name, "last");
    const double x0 = back ? 9.5 : 2.5;
    const double x1 = back ? 3.5 : 8.5;
    r.FillPolygon({{x0, 2}, {x1, 6}, {x0, 10}}, kWhite);
    if (end) r.Fill({back ? 2.0 : 9.0, 2, 1.5, 8}, kWhite);
    KeyBackground(r, t_.page);
  }

  // Arrows: small ones are a glyph on a see-through background; larger ones a slim button.
  void Arrow(Raster& r, const std::string& name) {
    const bool left = Contains(name, "left");
    const State state = StateOf(name);
    const double w = r.Width();
    const double h = r.Height();
    const bool button = w >= 12 && h >= 20 && !StartsWith(name, "pannel_");
    const Rgb base = ArrowBase(name);
    r.Fill(r.Bounds(), base);
    Rgb glyph = ArrowGlyph(name);
    if (button) {
      const Face face = StateFace(t_.captionTop, t_.captionBottom, state);
      r.FillRoundRect(r.Bounds(), std::min(w, h) / 3, Darken(face.bottom, 0.3));
      r.FillRoundRect({1, 1, w - 2, h - 2}, std::min(w, h) / 3 - 1, face.top, face.bottom);
      glyph = state == State::kDisabled ? kGreyEdge : t_.glyph;
    } else if (state == State::kHot) {
      glyph = Lighten(glyph, 0.35);
    } else if (state == State::kDown) {
      glyph = Darken(glyph, 0.25);
    } else if (state == State::kDisabled) {
      glyph = kGreyEdge;
    }
    const double gw = std::min(w * 0.55, h * 0.5);
    const double gh = std::min(h * 0.6, gw * 1.6);
    const double cx = w / 2;
    const double cy = h / 2;
    const double tip = left ? cx - gw / 2 : cx + gw / 2;
    const double back = left ? cx + gw / 2 : cx - gw / 2;
    r.FillPolygon({{tip, cy}, {back, cy - gh / 2}, {back, cy + gh / 2}}, glyph);
    if (button) {
      r.KeyOutsideRoundRect(r.Bounds(), std::min(w, h) / 3, kKey);
    } else {
      KeyBackground(r, base);
    }
  }

  // What an arrow sits on, and its glyph colour there.
  Rgb ArrowBase(const std::string& name) const {
    if (name == "menuarrow_bk") return t_.light;
    if (StartsWith(name, "pannel_")) return t_.band;
    if (StartsWith(name, "main_")) return t_.strip;
    if (StartsWith(name, "float_")) return layout_ == 2 ? t_.band : t_.frameTop;
    return t_.page;
  }
  Rgb ArrowGlyph(const std::string& name) const {
    if (name == "menuarrow_bk") return Darken(t_.band, 0.2);
    if (StartsWith(name, "main_")) return t_.band;
    return kWhite;
  }

  // Pixels still in the plain base colour become see-through; blended edges keep their colour.
  void KeyBackground(Raster& r, Rgb base) {
    for (int y = 0; y < r.Height(); ++y) {
      for (int x = 0; x < r.Width(); ++x) {
        if (r.At(x, y) == base) r.Set(x, y, kKey);
      }
    }
  }

  int layout_;
  const SkinTheme& t_;
  TextPainter& text_;
};

struct Placed {
  const ImagePlan* plan;
  int x;
  int y;
};

constexpr int kAtlasWidth = 1024;
constexpr int kGap = 2;

}  // namespace

SkinArt DrawSkinArt(int layout, TextPainter& text) {
  const std::vector<ImagePlan> plans = PlanSkinImages(layout);
  // Shelf packing, tallest first.
  std::vector<const ImagePlan*> order;
  for (const ImagePlan& p : plans) {
    if (p.parent.empty()) order.push_back(&p);
  }
  std::stable_sort(order.begin(), order.end(), [](const ImagePlan* a, const ImagePlan* b) { return a->height > b->height; });
  std::map<std::string, Placed> placed;
  int x = 0;
  int y = 0;
  int shelf = 0;
  for (const ImagePlan* p : order) {
    if (x > 0 && x + p->width > kAtlasWidth) {
      x = 0;
      y += shelf + kGap;
      shelf = 0;
    }
    placed[p->name] = {p, x, y};
    x += p->width + kGap;
    shelf = std::max(shelf, p->height);
  }
  SkinArt art;
  art.picture = skinfile::Bitmap24(kAtlasWidth, y + shelf, kKey);
  Painter painter(layout, text);
  for (const ImagePlan* p : order) {
    const Placed& at = placed[p->name];
    Raster raster(art.picture, at.x, at.y, p->width, p->height);
    painter.Paint(*p, raster);
  }
  art.catalog.SetTransparent(kKey);
  for (const ImagePlan& p : plans) {
    skinfile::ImageRect rect{0, 0, p.width, p.height};
    if (p.parent.empty()) {
      rect.x = placed[p.name].x;
      rect.y = placed[p.name].y;
    } else {
      rect.x = placed[p.parent].x + p.offsetX;
      rect.y = placed[p.parent].y + p.offsetY;
    }
    art.catalog.Add({p.name, rect, skinfile::HasTransparentPixels(art.picture, rect, kKey)});
  }
  return art;
}

}  // namespace mb::skinart
