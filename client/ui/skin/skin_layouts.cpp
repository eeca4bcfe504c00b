#include "client/ui/skin/skin_layouts.h"

#include "client/ui/skin/skin_tab_bar.h"

namespace mb::skin {
namespace {

using Specs = std::vector<SkinElementSpec>;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kDarkGrey = 0x2F2F2F;
constexpr Colour kSoftRed = 0x6464FF;
constexpr Colour kBlueText = 0xFF0000;

SkinElementSpec Button(int id, Rect r, std::string normal, std::string focus, std::string down, std::string disable) {
  SkinElementSpec s;
  s.kind = SkinElementKind::kButton;
  s.id = id;
  s.rect = r;
  s.images = {std::move(normal), std::move(focus), std::move(down), std::move(disable)};
  return s;
}

// The usual image button family: "<base>_normal", "_focus", "_down" and a fourth image.
SkinElementSpec FamilyButton(int id, Rect r, const std::string& base, const std::string& disable) {
  return Button(id, r, base + "_normal", base + "_focus", base + "_down", disable);
}

SkinElementSpec SameImageButton(int id, Rect r, const std::string& image) {
  return Button(id, r, image, image, image, image);
}

SkinElementSpec Push(int id, Rect r, std::string text) {
  SkinElementSpec s;
  s.kind = SkinElementKind::kPushButton;
  s.id = id;
  s.rect = r;
  s.text = std::move(text);
  return s;
}

SkinElementSpec Text(int id, Rect r, std::string text, Colour colour) {
  SkinElementSpec s;
  s.kind = SkinElementKind::kText;
  s.id = id;
  s.rect = r;
  s.text = std::move(text);
  s.colour = colour;
  return s;
}

SkinElementSpec IconText(int id, Rect r, Colour colour, std::string icon, bool onRight) {
  SkinElementSpec s = Text(id, r, "", colour);
  s.icon = std::move(icon);
  s.iconOnRight = onRight;
  return s;
}

// Main window --------------------------------------------------------------------------------

struct PageTab {
  int barId;
  int tabId;
  const char* label;
  const char* suffix;
  Rect layout2;
  Rect layout3;
};

const PageTab kPageTabs[] = {
    {10000, 20000, "壁纸设置", "", {133, 26, 207, 66}, {80, 36, 172, 73}},
    {10001, 20001, "壁纸下载", "_download", {208, 26, 282, 66}, {173, 36, 265, 73}},
    {10002, 20002, "壁纸上传", "_upload", {283, 26, 357, 66}, {266, 36, 358, 73}},
    {10003, 20003, "壁纸排行", "_sort", {358, 26, 432, 66}, {359, 36, 451, 73}},
    {10004, 20004, "参数设置", "_set", {433, 26, 507, 66}, {452, 36, 544, 73}},
    {10005, 20005, "个人管理", "_personalinfo", {508, 26, 582, 66}, {545, 36, 637, 73}},
};

SkinElementSpec MainTabStrip() {
  SkinElementSpec s;
  s.kind = SkinElementKind::kTabBar;
  s.id = 10000;
  s.rect = {65, 105, 479, 135};
  s.images = {"tab_normal", "tab_mousemove", "selecttab_normal", "selecttab_mousemove"};
  s.leftAligned = true;
  s.margin = 0;
  s.gap = 1;
  for (const PageTab& t : kPageTabs) s.tabs.push_back({t.tabId, t.label});
  return s;
}

// In layouts 2 and 3 each page has a bar of its own whose single tab carries its caption in the
// images; the bar's selected images are the "tab_" ones.
SkinElementSpec PageTabBar(const PageTab& t, int layout) {
  SkinElementSpec s;
  s.kind = SkinElementKind::kTabBar;
  s.id = t.barId;
  s.rect = layout == 2 ? t.layout2 : t.layout3;
  const std::string suffix = t.suffix;
  if (suffix.empty()) {
    s.images = {"selecttab_mousemove", "selecttab_normal", "tab_normal", "tab_mousemove"};
  } else {
    s.images = {"selecttab_normal" + suffix, "selecttab_mousemove" + suffix, "tab_normal" + suffix,
                "tab_mousemove" + suffix};
  }
  s.leftAligned = true;
  s.margin = 0;
  s.tabs.push_back({t.tabId, ""});
  return s;
}

Specs MainWindow(int layout) {
  Specs specs;
  if (layout == 1) {
    specs.push_back(MainTabStrip());
    specs.push_back(FamilyButton(20006, {488, 6, 514, 32}, "close_button", "close_button_normal"));
    specs.push_back(FamilyButton(20007, {516, 19, 535, 38}, "min_button", "min_button_normal"));
    return specs;
  }
  for (const PageTab& t : kPageTabs) specs.push_back(PageTabBar(t, layout));
  if (layout == 2) {
    specs.push_back(Button(20006, {663, 46, 703, 73}, "close_button_normal2", "close_button_focus2",
                           "close_button_focus2", "close_button_focus2"));
    specs.push_back(Button(20007, {624, 46, 664, 73}, "min_button_normal2", "min_button_focus2",
                           "min_button_focus2", "min_button_focus2"));
    specs.push_back(SameImageButton(20008, {670, 388, 681, 399}, "main_leftarrow"));
    specs.push_back(SameImageButton(20009, {690, 388, 701, 399}, "main_rightarrow"));
    specs.push_back(Text(20010, {15, 385, 600, 402}, "", kDarkGrey));
  } else {
    specs.push_back(FamilyButton(20006, {614, 5, 647, 26}, "close_button", "close_button_move"));
    specs.push_back(FamilyButton(20007, {580, 5, 613, 26}, "min_button", "min_button_move"));
    specs.push_back(Text(20010, {96, 400, 620, 420}, "", kWhite));
  }
  return specs;
}

// Other windows ------------------------------------------------------------------------------

Specs LoginDialog(int layout) {
  Specs specs;
  if (layout == 1) {
    specs.push_back(FamilyButton(20006, {295, 18, 321, 44}, "close_button", "close_button_normal"));
    specs.push_back(FamilyButton(20007, {319, 38, 338, 57}, "min_button", "min_button_normal"));
  } else if (layout == 2) {
    specs.push_back(FamilyButton(20006, {290, 6, 308, 24}, "close_button", "close_button_normal"));
    specs.push_back(FamilyButton(20007, {270, 6, 288, 24}, "min_button", "min_button_normal"));
  } else {
    specs.push_back(FamilyButton(20006, {214, 5, 247, 26}, "close_button", "close_button_normal"));
  }
  return specs;
}

Specs WallpaperManagerPage(int layout) {
  if (layout != 1) return {};
  Specs specs;
  specs.push_back(Push(20100, {112, 149, 152, 167}, "搜索"));
  const struct {
    int id;
    Rect r;
    const char* icon;
    bool onRight;
  } pageIcons[] = {{20101, {160, 149, 176, 167}, "first_icon", false},
                   {20102, {180, 149, 196, 167}, "previous_icon", false},
                   {20103, {200, 149, 216, 167}, "next_icon", true},
                   {20104, {220, 149, 236, 167}, "last_icon", true}};
  for (const auto& p : pageIcons) {
    SkinElementSpec s = IconText(p.id, p.r, kWhite, p.icon, p.onRight);
    s.underlineWhenHot = true;
    specs.push_back(s);
  }
  specs.push_back(Push(20105, {460, 149, 490, 167}, "GO"));
  specs.push_back(FamilyButton(20106, {30, 225, 60, 255}, "left", "left_normal"));
  specs.push_back(FamilyButton(20107, {456, 225, 486, 255}, "right", "right_normal"));
  specs.push_back(Push(20110, {165, 184, 269, 202}, "壁纸参数设置"));
  specs.push_back(Push(20111, {273, 184, 397, 202}, "轮播预览"));
  specs.push_back(Push(20108, {401, 184, 444, 202}, "应用"));
  specs.push_back(Push(20109, {448, 184, 484, 202}, "停止"));
  return specs;
}

Specs ThumbnailPanel(int layout) {
  Specs specs;
  if (layout == 3) {
    specs.push_back(FamilyButton(20121, {15, 65, 27, 118}, "left", "left_normal"));
    specs.push_back(FamilyButton(20122, {650, 65, 662, 118}, "right", "right_normal"));
    specs.push_back(Text(20125, {502, 11, 531, 31}, "分", kWhite));
    specs.push_back(Text(20113, {560, 11, 572, 31}, "秒", kWhite));
    specs.push_back(Push(20108, {582, 12, 622, 30}, "应用"));
    specs.push_back(Push(20111, {622, 12, 662, 30}, "预览"));
    return specs;
  }
  specs.push_back(FamilyButton(20121, {6, 53, 18, 105}, "left", "left_normal"));
  specs.push_back(FamilyButton(20122, {660, 53, 672, 105}, "right", "right_normal"));
  specs.push_back(Text(20114, {10, 3, 65, 23}, "壁纸轮播", kWhite));
  specs.push_back(Text(20123, {85, 3, 168, 23}, "开启轮播功能", kWhite));
  specs.push_back(Text(20124, {196, 3, 280, 23}, "关闭轮播功能", kWhite));
  specs.push_back(Text(20112, {382, 3, 460, 23}, "轮播时间设置", kWhite));
  specs.push_back(Text(20125, {510, 3, 531, 23}, "分", kWhite));
  specs.push_back(Text(20113, {567, 3, 585, 23}, "秒", kWhite));
  specs.push_back(Push(20108, {595, 3, 630, 23}, "应用"));
  specs.push_back(Push(20111, {635, 3, 670, 23}, "预览"));
  return specs;
}

// The caption of the preview list until the page sets the category's caption.
constexpr const char* kPreviewSampleCaption = "壁纸预览";

Specs ThumbnailPreviewList(int layout) {
  Specs specs;
  if (layout == 2) {
    specs.push_back(SameImageButton(20115, {430, 9, 444, 21}, "pannel_leftarrow"));
    specs.push_back(SameImageButton(20116, {515, 9, 530, 21}, "pannel_rightarrow"));
    specs.push_back(Text(20011, {10, 4, 400, 23}, kPreviewSampleCaption, kWhite));
  } else if (layout == 3) {
    specs.push_back(Button(20115, {407, 11, 428, 34}, "pannel_leftarrow", "pannel_leftarrow_focus",
                           "pannel_leftarrow", "pannel_leftarrow"));
    specs.push_back(Button(20116, {498, 11, 519, 34}, "pannel_rightarrow", "pannel_rightarrow_focus",
                           "pannel_rightarrow", "pannel_rightarrow"));
    specs.push_back(Text(20011, {10, 11, 400, 30}, kPreviewSampleCaption, kWhite));
  }
  return specs;
}

Specs SettingsDialog(int layout) {
  Specs specs;
  if (layout == 1) {
    SkinElementSpec wallpaper = SameImageButton(20200, {15, 54, 156, 78}, "vertab_selected");
    wallpaper.text = "壁纸参数";
    wallpaper.enabled = false;
    specs.push_back(wallpaper);
    SkinElementSpec system = FamilyButton(20201, {15, 81, 156, 105}, "vertab", "vertab_normal");
    system.text = "系统设置";
    specs.push_back(system);
    SkinElementSpec about = FamilyButton(20202, {15, 108, 156, 132}, "vertab", "vertab_normal");
    about.text = "关于墨岚屏Pelora";
    specs.push_back(about);
  } else if (layout == 3) {
    specs.push_back(IconText(20027, {360, 251, 429, 275}, kDarkGrey, "conf_ok_btn_bk", true));
    specs.push_back(IconText(20028, {436, 251, 504, 275}, kSoftRed, "conf_cancel_btn_bk", true));
    specs.push_back(IconText(20030, {512, 251, 581, 275}, kSoftRed, "conf_apply_btn_bk", true));
  }
  return specs;
}

struct TrayItem {
  int id;
  const char* layout1;
  const char* others;
};

// In menu order; 20302 and 20309 get their texts from the state.
const TrayItem kTrayItems[] = {
    {20300, "壁纸下载", "壁纸下载"}, {20301, "壁纸上传", "壁纸上传"}, {20306, "个人管理", "个人管理"},
    {20303, "壁纸设置", "壁纸设置"}, {20304, "壁纸排行", "壁纸排行"}, {20305, "参数设置", "参数设置"},
    {20311, "更换皮肤", "更换皮肤"}, {20308, "网站主页", "网站主页"}, {20302, "", ""},
    {20307, "帮助", "帮  助"},       {20309, "", ""},                 {20310, "退出", "退  出"},
};

std::string TrayItemText(const TrayItem& item, int layout, const SkinLayoutState& state) {
  if (item.id == 20302) return state.floatWindowShown ? "关拖拽框" : "开拖拽框";
  if (item.id == 20309) {
    if (layout == 1) return state.loggedIn ? "注销" : "登录";
    return state.loggedIn ? "注  销" : "登  录";
  }
  return layout == 1 ? item.layout1 : item.others;
}

Specs TrayMenu(int layout, const SkinLayoutState& state) {
  Specs specs;
  const int count = static_cast<int>(sizeof kTrayItems / sizeof kTrayItems[0]);
  const Colour colour = layout == 3 ? kDarkGrey : kBlack;
  if (layout == 1) {
    // Two columns of six, 24 pixels apart.
    for (int i = 0; i < count; ++i) {
      const Rect first = i < 6 ? Rect{48, 96, 114, 116} : Rect{121, 96, 182, 116};
      const Rect r = first.Offset(0, (i % 6) * 24);
      specs.push_back(Text(kTrayItems[i].id, r, TrayItemText(kTrayItems[i], layout, state), colour));
    }
    specs.push_back(FamilyButton(20006, {185, 227, 211, 253}, "close_button", "close_button_normal"));
    specs.push_back(FamilyButton(20007, {174, 253, 193, 272}, "min_button", "min_button_normal"));
    specs.push_back(SameImageButton(20008, {178, 102, 182, 109}, "menuarrow_bk"));
    return specs;
  }
  // One column; a wider step opens the groups that start at 参数设置 and at 帮助.
  const Rect first = layout == 2 ? Rect{36, 10, 114, 34} : Rect{47, 38, 115, 56};
  const int step = layout == 2 ? 24 : 18;
  const int groupStep = layout == 2 ? 30 : 24;
  int top = first.top;
  for (int i = 0; i < count; ++i) {
    if (i > 0) top += (kTrayItems[i].id == 20305 || kTrayItems[i].id == 20307) ? groupStep : step;
    const Rect r{first.left, top, first.right, top + first.Height()};
    specs.push_back(Text(kTrayItems[i].id, r, TrayItemText(kTrayItems[i], layout, state), colour));
  }
  const Rect arrow = layout == 2 ? Rect{90, 169, 94, 176} : Rect{97, 157, 101, 164};
  specs.push_back(SameImageButton(20008, arrow, "menuarrow_bk"));
  return specs;
}

Specs FloatWindow(int layout) {
  if (layout == 3) return {};
  const Rect left = layout == 1 ? Rect{0, 14, 8, 22} : Rect{0, 10, 12, 31};
  const Rect right = layout == 1 ? Rect{47, 14, 53, 22} : Rect{50, 10, 62, 31};
  return {FamilyButton(20400, left, "float_left", "float_left_normal"),
          FamilyButton(20401, right, "float_right", "float_right_disable")};
}

Specs PopupWindow() {
  return {FamilyButton(20006, {377, 17, 403, 43}, "close_button", "close_button_disable")};
}

Specs UploadPage(int layout) {
  if (layout == 2) return {Text(20031, {10, 208, 74, 226}, "上传须知", kBlueText)};
  if (layout != 3) return {};
  return {
      Text(20022, {26, 33, 74, 45}, "壁纸路径", kDarkGrey),
      Text(20032, {26, 53, 74, 66}, "分 类 一", kDarkGrey),
      Text(20033, {26, 75, 74, 88}, "分 类 二", kDarkGrey),
      Text(20034, {26, 98, 74, 108}, "分 类 三", kDarkGrey),
      Text(20020, {26, 118, 74, 130}, "壁纸标题", kDarkGrey),
      Text(20021, {26, 140, 74, 152}, "壁纸来源", kDarkGrey),
      Text(20038, {136, 140, 188, 152}, "壁纸类型", kDarkGrey),
      Text(20035, {26, 158, 74, 180}, "所属专辑", kDarkGrey),
      Text(20023, {26, 190, 74, 202}, "内容描述", kDarkGrey),
      Text(20024, {26, 206, 74, 218}, "最多50字", kSoftRed),
      Text(20031, {26, 222, 74, 234}, "上传须知", kBlueText),
      Text(20036, {26, 241, 74, 259}, "添加标签", kDarkGrey),
      Text(20037, {155, 241, 305, 259}, "(如:风景,可爱)", kBlueText),
  };
}

}  // namespace

const std::vector<SkinWindow>& AllSkinWindows() {
  static const std::vector<SkinWindow> windows = {
      SkinWindow::kMainWindow,          SkinWindow::kLoginDialog,          SkinWindow::kWallpaperManagerPage,
      SkinWindow::kThumbnailPanel,      SkinWindow::kThumbnailPreviewList, SkinWindow::kSettingsDialog,
      SkinWindow::kTrayMenu,            SkinWindow::kFloatWindow,          SkinWindow::kPopupWindow,
      SkinWindow::kUploadPage,
  };
  return windows;
}

const char* SkinWindowName(SkinWindow window) {
  switch (window) {
    case SkinWindow::kMainWindow: return "main window";
    case SkinWindow::kLoginDialog: return "login dialog";
    case SkinWindow::kWallpaperManagerPage: return "wallpaper manager page";
    case SkinWindow::kThumbnailPanel: return "thumbnail panel";
    case SkinWindow::kThumbnailPreviewList: return "thumbnail preview list";
    case SkinWindow::kSettingsDialog: return "settings dialog";
    case SkinWindow::kTrayMenu: return "tray menu";
    case SkinWindow::kFloatWindow: return "float window";
    case SkinWindow::kPopupWindow: return "popup window";
    case SkinWindow::kUploadPage: return "upload page";
  }
  return "";
}

std::vector<SkinElementSpec> SkinLayoutElements(SkinWindow window, int layout, const SkinLayoutState& state) {
  if (layout < 1 || layout > 3) return {};
  switch (window) {
    case SkinWindow::kMainWindow: return MainWindow(layout);
    case SkinWindow::kLoginDialog: return LoginDialog(layout);
    case SkinWindow::kWallpaperManagerPage: return WallpaperManagerPage(layout);
    case SkinWindow::kThumbnailPanel: return ThumbnailPanel(layout);
    case SkinWindow::kThumbnailPreviewList: return ThumbnailPreviewList(layout);
    case SkinWindow::kSettingsDialog: return SettingsDialog(layout);
    case SkinWindow::kTrayMenu: return TrayMenu(layout, state);
    case SkinWindow::kFloatWindow: return FloatWindow(layout);
    case SkinWindow::kPopupWindow: return PopupWindow();
    case SkinWindow::kUploadPage: return UploadPage(layout);
  }
  return {};
}

std::unique_ptr<SkinElement> MakeSkinElement(const SkinElementSpec& spec) {
  std::unique_ptr<SkinElement> element;
  switch (spec.kind) {
    case SkinElementKind::kButton: {
      auto button = std::make_unique<SkinButtonElement>(spec.id);
      button->SetImages(spec.images);
      element = std::move(button);
      break;
    }
    case SkinElementKind::kPushButton: {
      auto push = std::make_unique<SkinPushButtonElement>(spec.id);
      push->SetIcon(spec.icon, spec.iconOnRight);
      element = std::move(push);
      break;
    }
    case SkinElementKind::kText: {
      auto text = std::make_unique<SkinTextElement>(spec.id);
      text->SetColour(spec.colour);
      text->SetIcon(spec.icon, spec.iconOnRight);
      text->SetUnderlineWhenHot(spec.underlineWhenHot);
      element = std::move(text);
      break;
    }
    case SkinElementKind::kTabBar: {
      auto bar = std::make_unique<SkinTabBar>(spec.id);
      bar->SetImages(spec.images);
      bar->SetLeftAligned(spec.leftAligned);
      bar->SetMargin(spec.margin);
      bar->SetGap(spec.gap);
      for (const SkinTabSpec& tab : spec.tabs) bar->AddTab(tab.id, tab.label);
      element = std::move(bar);
      break;
    }
  }
  element->SetText(spec.text);
  element->SetStoredRect(spec.rect);
  element->SetHidden(!spec.visible);
  element->SetEnabled(spec.enabled);
  return element;
}

void AddSkinLayoutElements(SkinElementSet& set, SkinWindow window, int layout, const SkinLayoutState& state) {
  for (const SkinElementSpec& spec : SkinLayoutElements(window, layout, state)) set.Insert(MakeSkinElement(spec));
}

}  // namespace mb::skin
