// Which images a layout needs and how large they are. Image buttons take the size of their
// element rectangle (the first window that names an image decides), so they are drawn once and
// unscaled; the other sizes follow the windows that draw them.
#include <map>
#include <set>

#include "client/ui/skin/skin_layouts.h"
#include "skin/art/skin_art.h"

namespace mb::skinart {
namespace {

using skin::SkinElementKind;
using skin::SkinElementSpec;

class PlanBuilder {
 public:
  void Add(const std::string& name, int width, int height) {
    if (!names_.insert(name).second) return;
    plans_.push_back({name, width, height, "", 0, 0});
  }
  void AddPart(const std::string& name, const std::string& parent, int x, int y, int width, int height) {
    if (!names_.insert(name).second) return;
    plans_.push_back({name, width, height, parent, x, y});
  }
  std::vector<ImagePlan> Take() { return std::move(plans_); }

 private:
  std::vector<ImagePlan> plans_;
  std::set<std::string> names_;
};

struct Sizes {
  int w, h;
};

Sizes ByLayout(int layout, Sizes one, Sizes two, Sizes three) {
  return layout == 1 ? one : layout == 2 ? two : three;
}

void AddBackgrounds(PlanBuilder& plan, int layout) {
  const Sizes main = ByLayout(layout, {540, 460}, {732, 460}, {732, 460});
  plan.Add("main_bk", main.w, main.h);
  // The page area inside the main window's background.
  struct Area {
    int x, y, w, h;
  };
  const Area page = layout == 1 ? Area{6, 136, 528, 318} : layout == 2 ? Area{9, 73, 689, 298} : Area{18, 73, 679, 318};
  plan.AddPart("dlg_bk", "main_bk", page.x, page.y, page.w, page.h);
  plan.AddPart("confdlg_bk", "main_bk", page.x, page.y, page.w, page.h);

  const Sizes login = ByLayout(layout, {350, 170}, {320, 170}, {280, 176});
  plan.Add("login_dlg", login.w, login.h);
  const Sizes floatBox = ByLayout(layout, {56, 34}, {64, 40}, {48, 40});
  plan.Add("float_bk", floatBox.w, floatBox.h);
  const Sizes tray = ByLayout(layout, {220, 282}, {132, 322}, {132, 282});
  plan.Add("tray_menu", tray.w, tray.h);
  plan.Add("popup_bk", 420, 300);
  const Sizes conf = ByLayout(layout, {528, 280}, {679, 270}, {679, 318});
  plan.Add("conf_bk", conf.w, conf.h);
  const Sizes upload = ByLayout(layout, {528, 318}, {689, 298}, {679, 318});
  plan.Add("upload_bk", upload.w, upload.h);
  const Sizes tree = ByLayout(layout, {160, 130}, {150, 150}, {150, 160});
  plan.Add("tree_bk", tree.w, tree.h);
  plan.Add("thumbpanel", 400, 60);
  const Sizes slotFrame = ByLayout(layout, {75, 54}, {120, 94}, {120, 94});
  plan.Add("thumbpanel_bk", slotFrame.w, slotFrame.h);
  const Sizes panel = ByLayout(layout, {675, 140}, {675, 140}, {679, 150});
  plan.Add("thumbpanel2_bk", panel.w, panel.h);
  const Sizes preview = ByLayout(layout, {345, 140}, {540, 150}, {540, 160});
  for (const char* name : {"thumbpreview", "thumbPreview2_bk", "wallpaperpreview_bk"}) {
    plan.Add(name, preview.w, preview.h);
  }
}

void AddBars(PlanBuilder& plan, int layout) {
  plan.Add("progress_bk", 60, layout == 1 ? 18 : 16);
  plan.Add("progress_step", 60, layout == 1 ? 14 : 12);
  plan.Add("dlgprogress_bk", 60, 16);
  plan.Add("dlgprogress_step", 60, 12);
  const int buttonHeight = layout == 2 ? 20 : 18;
  for (const std::string& name : skin::SkinPushButtonElement::BackgroundImages()) plan.Add(name, 60, buttonHeight);
}

// Icons of text elements, drawn whole beside (or as) the label.
Sizes IconSize(const std::string& name) {
  if (name.rfind("conf_", 0) == 0) return {70, 22};
  return {12, 12};
}

void AddElementImages(PlanBuilder& plan, int layout) {
  for (skin::SkinWindow window : skin::AllSkinWindows()) {
    for (const SkinElementSpec& spec : skin::SkinLayoutElements(window, layout)) {
      const int w = spec.rect.Width();
      const int h = spec.rect.Height();
      switch (spec.kind) {
        case SkinElementKind::kButton:
          for (const std::string& image : spec.images) plan.Add(image, w, h);
          break;
        case SkinElementKind::kTabBar:
          if (layout == 1) {
            // Six tabs share the strip: normal 66 x 28, selected 2 pixels taller.
            plan.Add(spec.images[0], 66, 28);
            plan.Add(spec.images[1], 66, 28);
            plan.Add(spec.images[2], 66, 30);
            plan.Add(spec.images[3], 66, 30);
          } else {
            for (const std::string& image : spec.images) plan.Add(image, w, h);
          }
          break;
        case SkinElementKind::kText:
          if (!spec.icon.empty()) {
            const Sizes icon = IconSize(spec.icon);
            plan.Add(spec.icon, icon.w, icon.h);
          }
          break;
        case SkinElementKind::kPushButton:
          break;
      }
    }
  }
}

}  // namespace

std::vector<ImagePlan> PlanSkinImages(int layout) {
  PlanBuilder plan;
  AddBackgrounds(plan, layout);
  AddBars(plan, layout);
  AddElementImages(plan, layout);
  return plan.Take();
}

std::string SkinPictureFileName(int layout) {
  return layout == 1 ? "default.bmp" : "default" + std::to_string(layout) + ".bmp";
}

std::string SkinConfigFileName(int layout) {
  return layout == 1 ? "default.config" : "default" + std::to_string(layout) + ".config";
}

std::string WaitingAnimationFileName(int layout) {
  return layout == 1 ? "waitting.gif" : "waitting" + std::to_string(layout) + ".gif";
}

}  // namespace mb::skinart
