// Every element of every skinned window in each of the three skin layouts, written out here by
// hand as the skin's designers laid them out: id, kind, stored rectangle, images, text, colour,
// icon. A change to any one entry of the layout tables fails this test.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "client/ui/skin/skin_layouts.h"

namespace mb::skin {
namespace {

using Kind = SkinElementKind;
using Images = std::array<const char*, 4>;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kGrey = 0x2F2F2F;
constexpr Colour kPink = 0x6464FF;
constexpr Colour kBlue = 0xFF0000;
constexpr int kAny = -1;

struct Want {
  int id = 0;
  Kind kind = Kind::kText;
  Rect rect;
  Images images = {"", "", "", ""};
  const char* text = "";  // nullptr: a sample text, any but empty
  Colour colour = kWhite;
  const char* icon = "";
  bool iconOnRight = false;
  bool underlineWhenHot = false;
  bool enabled = true;
  // Tab bars.
  int margin = kAny;
  int gap = kAny;
  std::vector<SkinTabSpec> tabs;
};

Want Button(int id, Rect r, Images images) {
  Want w;
  w.id = id;
  w.kind = Kind::kButton;
  w.rect = r;
  w.images = images;
  return w;
}

Want Push(int id, Rect r, const char* label) {
  Want w;
  w.id = id;
  w.kind = Kind::kPushButton;
  w.rect = r;
  w.text = label;
  return w;
}

Want Text(int id, Rect r, const char* text, Colour colour) {
  Want w;
  w.id = id;
  w.rect = r;
  w.text = text;
  w.colour = colour;
  return w;
}

Want IconText(int id, Rect r, Colour colour, const char* icon, bool onRight) {
  Want w = Text(id, r, "", colour);
  w.icon = icon;
  w.iconOnRight = onRight;
  return w;
}

Want PageIcon(int id, Rect r, const char* icon, bool onRight) {
  Want w = IconText(id, r, kWhite, icon, onRight);
  w.underlineWhenHot = true;
  return w;
}

Want SingleTabBar(int barId, int tabId, Rect r, Images normalHotSelectedSelectedHot) {
  Want w;
  w.id = barId;
  w.kind = Kind::kTabBar;
  w.rect = r;
  w.images = normalHotSelectedSelectedHot;
  w.margin = 0;
  w.tabs = {{tabId, ""}};
  return w;
}

using Table = std::vector<Want>;

Table MainWindow(int layout) {
  if (layout == 1) {
    Want strip;
    strip.id = 10000;
    strip.kind = Kind::kTabBar;
    strip.rect = {65, 105, 479, 135};
    strip.images = {"tab_normal", "tab_mousemove", "selecttab_normal", "selecttab_mousemove"};
    strip.margin = 0;
    strip.gap = 1;
    strip.tabs = {{20000, "壁纸设置"}, {20001, "壁纸下载"}, {20002, "壁纸上传"},
                  {20003, "壁纸排行"}, {20004, "参数设置"}, {20005, "个人管理"}};
    return {strip,
            Button(20006, {488, 6, 514, 32},
                   {"close_button_normal", "close_button_focus", "close_button_down", "close_button_normal"}),
            Button(20007, {516, 19, 535, 38},
                   {"min_button_normal", "min_button_focus", "min_button_down", "min_button_normal"})};
  }
  const bool two = layout == 2;
  Table t = {
      SingleTabBar(10000, 20000, two ? Rect{133, 26, 207, 66} : Rect{80, 36, 172, 73},
                   {"selecttab_mousemove", "selecttab_normal", "tab_normal", "tab_mousemove"}),
      SingleTabBar(10001, 20001, two ? Rect{208, 26, 282, 66} : Rect{173, 36, 265, 73},
                   {"selecttab_normal_download", "selecttab_mousemove_download", "tab_normal_download",
                    "tab_mousemove_download"}),
      SingleTabBar(10002, 20002, two ? Rect{283, 26, 357, 66} : Rect{266, 36, 358, 73},
                   {"selecttab_normal_upload", "selecttab_mousemove_upload", "tab_normal_upload",
                    "tab_mousemove_upload"}),
      SingleTabBar(10003, 20003, two ? Rect{358, 26, 432, 66} : Rect{359, 36, 451, 73},
                   {"selecttab_normal_sort", "selecttab_mousemove_sort", "tab_normal_sort", "tab_mousemove_sort"}),
      SingleTabBar(10004, 20004, two ? Rect{433, 26, 507, 66} : Rect{452, 36, 544, 73},
                   {"selecttab_normal_set", "selecttab_mousemove_set", "tab_normal_set", "tab_mousemove_set"}),
      SingleTabBar(10005, 20005, two ? Rect{508, 26, 582, 66} : Rect{545, 36, 637, 73},
                   {"selecttab_normal_personalinfo", "selecttab_mousemove_personalinfo", "tab_normal_personalinfo",
                    "tab_mousemove_personalinfo"}),
  };
  if (two) {
    t.push_back(Button(20006, {663, 46, 703, 73},
                       {"close_button_normal2", "close_button_focus2", "close_button_focus2", "close_button_focus2"}));
    t.push_back(Button(20007, {624, 46, 664, 73},
                       {"min_button_normal2", "min_button_focus2", "min_button_focus2", "min_button_focus2"}));
    t.push_back(Button(20008, {670, 388, 681, 399},
                       {"main_leftarrow", "main_leftarrow", "main_leftarrow", "main_leftarrow"}));
    t.push_back(Button(20009, {690, 388, 701, 399},
                       {"main_rightarrow", "main_rightarrow", "main_rightarrow", "main_rightarrow"}));
    t.push_back(Text(20010, {15, 385, 600, 402}, "", kGrey));
  } else {
    t.push_back(Button(20006, {614, 5, 647, 26},
                       {"close_button_normal", "close_button_focus", "close_button_down", "close_button_move"}));
    t.push_back(Button(20007, {580, 5, 613, 26},
                       {"min_button_normal", "min_button_focus", "min_button_down", "min_button_move"}));
    t.push_back(Text(20010, {96, 400, 620, 420}, "", kWhite));
  }
  return t;
}

Table LoginDialog(int layout) {
  const Images close = {"close_button_normal", "close_button_focus", "close_button_down", "close_button_normal"};
  const Images minimize = {"min_button_normal", "min_button_focus", "min_button_down", "min_button_normal"};
  if (layout == 1) return {Button(20006, {295, 18, 321, 44}, close), Button(20007, {319, 38, 338, 57}, minimize)};
  if (layout == 2) return {Button(20006, {290, 6, 308, 24}, close), Button(20007, {270, 6, 288, 24}, minimize)};
  return {Button(20006, {214, 5, 247, 26}, close)};
}

Table WallpaperManagerPage(int layout) {
  if (layout != 1) return {};
  return {
      Push(20100, {112, 149, 152, 167}, "搜索"),
      PageIcon(20101, {160, 149, 176, 167}, "first_icon", false),
      PageIcon(20102, {180, 149, 196, 167}, "previous_icon", false),
      PageIcon(20103, {200, 149, 216, 167}, "next_icon", true),
      PageIcon(20104, {220, 149, 236, 167}, "last_icon", true),
      Push(20105, {460, 149, 490, 167}, "GO"),
      Button(20106, {30, 225, 60, 255}, {"left_normal", "left_focus", "left_down", "left_normal"}),
      Button(20107, {456, 225, 486, 255}, {"right_normal", "right_focus", "right_down", "right_normal"}),
      Push(20110, {165, 184, 269, 202}, "壁纸参数设置"),
      Push(20111, {273, 184, 397, 202}, "轮播预览"),
      Push(20108, {401, 184, 444, 202}, "应用"),
      Push(20109, {448, 184, 484, 202}, "停止"),
  };
}

Table ThumbnailPanel(int layout) {
  const Images left = {"left_normal", "left_focus", "left_down", "left_normal"};
  const Images right = {"right_normal", "right_focus", "right_down", "right_normal"};
  if (layout == 3) {
    return {
        Button(20121, {15, 65, 27, 118}, left),
        Button(20122, {650, 65, 662, 118}, right),
        Text(20125, {502, 11, 531, 31}, "分", kWhite),
        Text(20113, {560, 11, 572, 31}, "秒", kWhite),
        Push(20108, {582, 12, 622, 30}, "应用"),
        Push(20111, {622, 12, 662, 30}, "预览"),
    };
  }
  return {
      Button(20121, {6, 53, 18, 105}, left),
      Button(20122, {660, 53, 672, 105}, right),
      Text(20114, {10, 3, 65, 23}, "壁纸轮播", kWhite),
      Text(20123, {85, 3, 168, 23}, "开启轮播功能", kWhite),
      Text(20124, {196, 3, 280, 23}, "关闭轮播功能", kWhite),
      Text(20112, {382, 3, 460, 23}, "轮播时间设置", kWhite),
      Text(20125, {510, 3, 531, 23}, "分", kWhite),
      Text(20113, {567, 3, 585, 23}, "秒", kWhite),
      Push(20108, {595, 3, 630, 23}, "应用"),
      Push(20111, {635, 3, 670, 23}, "预览"),
  };
}

Table ThumbnailPreviewList(int layout) {
  if (layout == 2) {
    return {
        Button(20115, {430, 9, 444, 21},
               {"pannel_leftarrow", "pannel_leftarrow", "pannel_leftarrow", "pannel_leftarrow"}),
        Button(20116, {515, 9, 530, 21},
               {"pannel_rightarrow", "pannel_rightarrow", "pannel_rightarrow", "pannel_rightarrow"}),
        Text(20011, {10, 4, 400, 23}, nullptr, kWhite),
    };
  }
  if (layout == 3) {
    return {
        Button(20115, {407, 11, 428, 34},
               {"pannel_leftarrow", "pannel_leftarrow_focus", "pannel_leftarrow", "pannel_leftarrow"}),
        Button(20116, {498, 11, 519, 34},
               {"pannel_rightarrow", "pannel_rightarrow_focus", "pannel_rightarrow", "pannel_rightarrow"}),
        Text(20011, {10, 11, 400, 30}, nullptr, kWhite),
    };
  }
  return {};
}

Table SettingsDialog(int layout) {
  if (layout == 1) {
    Want wallpaper = Button(20200, {15, 54, 156, 78},
                            {"vertab_selected", "vertab_selected", "vertab_selected", "vertab_selected"});
    wallpaper.text = "壁纸参数";
    wallpaper.enabled = false;
    const Images tab = {"vertab_normal", "vertab_focus", "vertab_down", "vertab_normal"};
    Want system = Button(20201, {15, 81, 156, 105}, tab);
    system.text = "系统设置";
    Want about = Button(20202, {15, 108, 156, 132}, tab);
    about.text = "关于墨岚屏Pelora";
    return {wallpaper, system, about};
  }
  if (layout == 3) {
    return {
        IconText(20027, {360, 251, 429, 275}, kGrey, "conf_ok_btn_bk", true),
        IconText(20028, {436, 251, 504, 275}, kPink, "conf_cancel_btn_bk", true),
        IconText(20030, {512, 251, 581, 275}, kPink, "conf_apply_btn_bk", true),
    };
  }
  return {};
}

Table TrayMenu(int layout, const SkinLayoutState& state) {
  const char* floatText = state.floatWindowShown ? "关拖拽框" : "开拖拽框";
  if (layout == 1) {
    const char* login = state.loggedIn ? "注销" : "登录";
    return {
        Text(20300, {48, 96, 114, 116}, "壁纸下载", kBlack),
        Text(20301, {48, 120, 114, 140}, "壁纸上传", kBlack),
        Text(20306, {48, 144, 114, 164}, "个人管理", kBlack),
        Text(20303, {48, 168, 114, 188}, "壁纸设置", kBlack),
        Text(20304, {48, 192, 114, 212}, "壁纸排行", kBlack),
        Text(20305, {48, 216, 114, 236}, "参数设置", kBlack),
        Text(20311, {121, 96, 182, 116}, "更换皮肤", kBlack),
        Text(20308, {121, 120, 182, 140}, "网站主页", kBlack),
        Text(20302, {121, 144, 182, 164}, floatText, kBlack),
        Text(20307, {121, 168, 182, 188}, "帮助", kBlack),
        Text(20309, {121, 192, 182, 212}, login, kBlack),
        Text(20310, {121, 216, 182, 236}, "退出", kBlack),
        Button(20006, {185, 227, 211, 253},
               {"close_button_normal", "close_button_focus", "close_button_down", "close_button_normal"}),
        Button(20007, {174, 253, 193, 272},
               {"min_button_normal", "min_button_focus", "min_button_down", "min_button_normal"}),
        Button(20008, {178, 102, 182, 109}, {"menuarrow_bk", "menuarrow_bk", "menuarrow_bk", "menuarrow_bk"}),
    };
  }
  const char* login = state.loggedIn ? "注  销" : "登  录";
  const Images arrow = {"menuarrow_bk", "menuarrow_bk", "menuarrow_bk", "menuarrow_bk"};
  if (layout == 2) {
    return {
        Text(20300, {36, 10, 114, 34}, "壁纸下载", kBlack),
        Text(20301, {36, 34, 114, 58}, "壁纸上传", kBlack),
        Text(20306, {36, 58, 114, 82}, "个人管理", kBlack),
        Text(20303, {36, 82, 114, 106}, "壁纸设置", kBlack),
        Text(20304, {36, 106, 114, 130}, "壁纸排行", kBlack),
        Text(20305, {36, 136, 114, 160}, "参数设置", kBlack),
        Text(20311, {36, 160, 114, 184}, "更换皮肤", kBlack),
        Text(20308, {36, 184, 114, 208}, "网站主页", kBlack),
        Text(20302, {36, 208, 114, 232}, floatText, kBlack),
        Text(20307, {36, 238, 114, 262}, "帮  助", kBlack),
        Text(20309, {36, 262, 114, 286}, login, kBlack),
        Text(20310, {36, 286, 114, 310}, "退  出", kBlack),
        Button(20008, {90, 169, 94, 176}, arrow),
    };
  }
  return {
      Text(20300, {47, 38, 115, 56}, "壁纸下载", kGrey),
      Text(20301, {47, 56, 115, 74}, "壁纸上传", kGrey),
      Text(20306, {47, 74, 115, 92}, "个人管理", kGrey),
      Text(20303, {47, 92, 115, 110}, "壁纸设置", kGrey),
      Text(20304, {47, 110, 115, 128}, "壁纸排行", kGrey),
      Text(20305, {47, 134, 115, 152}, "参数设置", kGrey),
      Text(20311, {47, 152, 115, 170}, "更换皮肤", kGrey),
      Text(20308, {47, 170, 115, 188}, "网站主页", kGrey),
      Text(20302, {47, 188, 115, 206}, floatText, kGrey),
      Text(20307, {47, 212, 115, 230}, "帮  助", kGrey),
      Text(20309, {47, 230, 115, 248}, login, kGrey),
      Text(20310, {47, 248, 115, 266}, "退  出", kGrey),
      Button(20008, {97, 157, 101, 164}, arrow),
  };
}

Table FloatWindow(int layout) {
  if (layout == 3) return {};
  const Images left = {"float_left_normal", "float_left_focus", "float_left_down", "float_left_normal"};
  const Images right = {"float_right_normal", "float_right_focus", "float_right_down", "float_right_disable"};
  if (layout == 1) return {Button(20400, {0, 14, 8, 22}, left), Button(20401, {47, 14, 53, 22}, right)};
  return {Button(20400, {0, 10, 12, 31}, left), Button(20401, {50, 10, 62, 31}, right)};
}

Table PopupWindow() {
  return {Button(20006, {377, 17, 403, 43},
                 {"close_button_normal", "close_button_focus", "close_button_down", "close_button_disable"})};
}

Table UploadPage(int layout) {
  if (layout == 2) return {Text(20031, {10, 208, 74, 226}, "上传须知", kBlue)};
  if (layout != 3) return {};
  return {
      Text(20022, {26, 33, 74, 45}, "壁纸路径", kGrey),
      Text(20032, {26, 53, 74, 66}, "分 类 一", kGrey),
      Text(20033, {26, 75, 74, 88}, "分 类 二", kGrey),
      Text(20034, {26, 98, 74, 108}, "分 类 三", kGrey),
      Text(20020, {26, 118, 74, 130}, "壁纸标题", kGrey),
      Text(20021, {26, 140, 74, 152}, "壁纸来源", kGrey),
      Text(20038, {136, 140, 188, 152}, "壁纸类型", kGrey),
      Text(20035, {26, 158, 74, 180}, "所属专辑", kGrey),
      Text(20023, {26, 190, 74, 202}, "内容描述", kGrey),
      Text(20024, {26, 206, 74, 218}, "最多50字", kPink),
      Text(20031, {26, 222, 74, 234}, "上传须知", kBlue),
      Text(20036, {26, 241, 74, 259}, "添加标签", kGrey),
      Text(20037, {155, 241, 305, 259}, "(如:风景,可爱)", kBlue),
  };
}

Table Expected(SkinWindow window, int layout, const SkinLayoutState& state) {
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

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kButton: return "button";
    case Kind::kPushButton: return "push";
    case Kind::kText: return "text";
    case Kind::kTabBar: return "tab bar";
  }
  return "";
}

void ExpectElement(const Want& want, const SkinElementSpec& got) {
  EXPECT_STREQ(KindName(got.kind), KindName(want.kind));
  EXPECT_EQ(got.rect, want.rect) << "(" << got.rect.left << ", " << got.rect.top << ", " << got.rect.right << ", "
                                 << got.rect.bottom << ")";
  for (int i = 0; i < 4; ++i) EXPECT_EQ(got.images[i], want.images[i]) << "image " << i;
  if (want.text) {
    EXPECT_EQ(got.text, want.text);
  } else {
    EXPECT_FALSE(got.text.empty());
  }
  EXPECT_TRUE(got.visible);
  EXPECT_EQ(got.enabled, want.enabled);
  if (want.kind == Kind::kText) {
    EXPECT_EQ(got.colour, want.colour);
    EXPECT_EQ(got.underlineWhenHot, want.underlineWhenHot);
  }
  if (want.kind == Kind::kText || want.kind == Kind::kPushButton) {
    EXPECT_EQ(got.icon, want.icon);
    if (*want.icon) {
      EXPECT_EQ(got.iconOnRight, want.iconOnRight);
    }
  }
  if (want.kind == Kind::kTabBar) {
    EXPECT_TRUE(got.leftAligned);
    EXPECT_EQ(got.margin, want.margin);
    if (want.gap != kAny) {
      EXPECT_EQ(got.gap, want.gap);
    }
    ASSERT_EQ(got.tabs.size(), want.tabs.size());
    for (std::size_t i = 0; i < want.tabs.size(); ++i) {
      EXPECT_EQ(got.tabs[i].id, want.tabs[i].id);
      EXPECT_EQ(got.tabs[i].label, want.tabs[i].label);
    }
  }
}

TEST(SkinLayoutTables, EveryElementOfEveryWindowMatchesItsLayoutTable) {
  const SkinLayoutState states[] = {{false, false}, {true, true}};
  for (SkinWindow window : AllSkinWindows()) {
    for (int layout = 1; layout <= 3; ++layout) {
      for (const SkinLayoutState& state : states) {
        SCOPED_TRACE(std::string(SkinWindowName(window)) + ", layout " + std::to_string(layout) +
                     (state.loggedIn ? ", logged in, float window shown" : ""));
        const Table want = Expected(window, layout, state);
        const std::vector<SkinElementSpec> got = SkinLayoutElements(window, layout, state);
        std::map<int, const SkinElementSpec*> byId;
        for (const SkinElementSpec& spec : got) byId[spec.id] = &spec;
        EXPECT_EQ(got.size(), want.size()) << "elements";
        for (const Want& w : want) {
          SCOPED_TRACE("element " + std::to_string(w.id));
          const auto found = byId.find(w.id);
          if (found == byId.end()) {
            ADD_FAILURE() << "missing";
            continue;
          }
          ExpectElement(w, *found->second);
        }
      }
    }
    EXPECT_TRUE(SkinLayoutElements(window, 4).empty()) << "no layout 4";
  }
}

TEST(SkinLayoutTables, TrayMenuItemsComeInMenuOrder) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    const Table want = TrayMenu(layout, {});
    const std::vector<SkinElementSpec> got = SkinLayoutElements(SkinWindow::kTrayMenu, layout, {});
    ASSERT_GE(got.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(got[i].id, want[i].id) << "item " << i;
  }
}

}  // namespace
}  // namespace mb::skin
