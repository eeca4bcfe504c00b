// The running client's windows in each skin layout, walked as a member would: every control and
// every skin element with a command is seen (visible, inside its window), reached (the window at
// its centre is the control, or the element's own window) and clicked with real input, and what
// the click does is looked for: the window it opens, the picture it repaints, the check it sets,
// the box it drops, the page it shows. Labels are seen and reached only. Screenshots of every
// window walked stay in the screenshots folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "client/core/password_cipher.h"
#include "client/tests/installed_client.h"
#include "client/ui/skin/skin_layouts.h"
#include "tests/winkit/member_input.h"
#include "tests/winkit/png_writer.h"
#include "tests/winkit/screenshot.h"

namespace {

using mb::skin::SkinElementKind;
using mb::skin::SkinElementSpec;
using mb::skin::SkinWindow;

constexpr int kCategoryTreeId = 1101;
constexpr int kPreviewListId = 1102;
constexpr int kUploadStartId = 1008;
constexpr int kSettingsMinutesId = 1016;
constexpr int kSettingsAutoLoginId = 1031;
const char kPanelClass[] = "mb.ThumbnailPanel";
const std::string kCategory = "风景";  // GBK at run time
constexpr int kPictures = 25;          // two pages of layout 1's list, seven of the others'

// What a click on a control or an element must bring about.
enum class Effect {
  kSeen,         // a label, a disabled control, or a button that starts another program
  kOpensWindow,  // a new window of the client (dialog, message box, preview), then closed by Esc
  kRepaints,     // the picture of a watched window changes
  kChecks,       // a radio button becomes checked
  kToggles,      // a check box changes its state, and a second click puts it back
  kFocuses,      // an edit box takes the keyboard focus
  kDropsDown,    // a drop-down list opens, then closed by Esc
  kShowsPage,    // the main window shows another page
  kWallpaper,    // the desktop's wallpaper changes
  kMinimises,    // the main window goes to the task bar
  kHides,        // the element's window closes (the main window to the tray)
};

// One thing to walk: a control (element empty) or an element of owner's skin.
struct Target {
  std::string name;
  HWND window = nullptr;  // the control, or the element's owner
  RECT element = {};      // owner's client coordinates
  Effect effect = Effect::kSeen;
  HWND watched = nullptr;  // kRepaints: the window whose picture changes
  RECT watchedPart = {};   // in watched's client coordinates
  std::function<void()> scene;  // messages that set the scene before the click
  std::function<void(HWND)> inside;  // kOpensWindow: the walk of the window opened, before Esc
};

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

struct ProcessWindows {
  DWORD process;
  std::set<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM data) {
  auto* windows = reinterpret_cast<ProcessWindows*>(data);
  if (IsWindowVisible(window) && winkit::WindowProcessId(window) == windows->process) windows->found.insert(window);
  return TRUE;
}

std::set<HWND> VisibleWindowsOf(DWORD process) {
  ProcessWindows windows{process, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  return children;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

template <typename Fn>
bool WaitFor(Fn&& done, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (done()) return true;
    winkit::PumpMessages(50);
  }
  return done();
}

winkit::RgbImage Crop(const winkit::RgbImage& all, const RECT& cut) {
  winkit::RgbImage picture(cut.right - cut.left, cut.bottom - cut.top);
  for (int y = cut.top; y < cut.bottom; ++y) {
    for (int x = cut.left; x < cut.right; ++x) picture.SetPixel(x - cut.left, y - cut.top, all.Pixel(x, y));
  }
  return picture;
}

// The part of a window's client area as it looks now, cut from its top-level window's picture.
winkit::RgbImage PictureOf(HWND window, const RECT& part) {
  const HWND top = GetAncestor(window, GA_ROOT);
  RECT cut = part;
  if (IsEmpty(cut)) GetClientRect(window, &cut);
  MapWindowPoints(window, top, reinterpret_cast<POINT*>(&cut), 2);
  return Crop(winkit::CaptureClientArea(top), cut);
}

bool SamePicture(const winkit::RgbImage& a, const winkit::RgbImage& b) {
  return a.Width() == b.Width() && a.Bytes() == b.Bytes();
}

// The shown pages of the main window: its dialog children that are visible.
std::set<HWND> ShownPages(HWND main) {
  std::set<HWND> shown;
  for (HWND child : ChildrenOf(main)) {
    if (ClassOf(child) == "#32770" && IsWindowVisible(child)) shown.insert(child);
  }
  return shown;
}

// The page the main window shows: the largest of its visible dialog children.
HWND LargestShownPage(HWND main) {
  HWND largest = nullptr;
  long largestArea = 0;
  for (HWND page : ShownPages(main)) {
    RECT r = {};
    GetClientRect(page, &r);
    const long area = static_cast<long>(r.right) * r.bottom;
    if (area > largestArea) largest = page, largestArea = area;
  }
  return largest;
}

RECT PlaceIn(HWND control, HWND parent) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND PageWith(HWND main, int controlId) {
  for (HWND child : ChildrenOf(main)) {
    if (ClassOf(child) == "#32770" && GetDlgItem(child, controlId)) return child;
  }
  return nullptr;
}

class Walk {
 public:
  Walk(int layout, DWORD process, HWND main) : layout_(layout), process_(process), main_(main) {}

  // The elements of a window's table with the window's client size; kinds that take no click
  // (labels without an icon) are seen only, the others take their effect from effects.
  std::vector<Target> Elements(SkinWindow window, HWND owner, const std::map<int, Target>& effects) const {
    RECT client = {};
    GetClientRect(owner, &client);
    std::vector<Target> targets;
    for (const SkinElementSpec& spec : mb::skin::SkinLayoutElements(window, layout_)) {
      if (spec.kind == SkinElementKind::kTabBar) continue;  // walked tab by tab (MainTabs)
      const mb::skin::Rect r = mb::skin::AnchorRect(spec.rect, client.right, client.bottom);
      Target t;
      auto found = effects.find(spec.id);
      if (found != effects.end()) t = found->second;
      t.name = std::string(mb::skin::SkinWindowName(window)) + " element " + std::to_string(spec.id);
      t.window = owner;
      t.element = {r.left, r.top, r.right, r.bottom};
      if (spec.kind == SkinElementKind::kText && spec.icon.rfind("conf_", 0) == 0) {
        // The settings' buttons made of their icon alone: the member sees and clicks the picture,
        // drawn from the rectangle's right edge less the spacing (the skin's button pictures are
        // 70 x 22).
        const int middle = (r.top + r.bottom) / 2;
        t.element = {r.right - 12, middle - 11, r.right - 12 + 70, middle + 11};
      }
      // A label is seen only, unless it takes a click (the upload page's "上传须知").
      const bool label = spec.kind == SkinElementKind::kText && spec.icon.empty() && found == effects.end();
      if (!label && found == effects.end()) ADD_FAILURE() << t.name << " has a command but no effect to look for";
      if (spec.text.empty() && label) continue;  // an empty label shows nothing to see
      targets.push_back(t);
    }
    return targets;
  }

  // Every direct child control of a dialog page, its effect by its kind; overrides by id.
  std::vector<Target> Controls(HWND page, const std::string& name, const std::map<int, Target>& overrides) const {
    std::vector<Target> targets;
    for (HWND control : ChildrenOf(page)) {
      if (!IsWindowVisible(control)) continue;
      const int id = GetDlgCtrlID(control);
      Target t;
      auto found = overrides.find(id);
      if (found != overrides.end()) {
        t = found->second;
      } else {
        const std::string kind = ClassOf(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const LONG type = style & BS_TYPEMASK;
        if (kind == "Edit") t.effect = Effect::kFocuses;
        if (kind == "ComboBox") t.effect = Effect::kDropsDown;
        if (kind == "Button") {
          t.effect = Effect::kOpensWindow;
          if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) t.effect = Effect::kChecks;
          if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) t.effect = Effect::kToggles;
          if (type == BS_GROUPBOX) t.effect = Effect::kSeen;
        }
      }
      if (!IsWindowEnabled(control)) t.effect = Effect::kSeen;
      t.name = name + " control " + std::to_string(id) + " (" + ClassOf(control) + ")";
      t.window = control;
      targets.push_back(t);
    }
    return targets;
  }

  void Check(const Target& t) {
    SCOPED_TRACE(t.name);
    if (t.scene) {
      t.scene();
      winkit::PumpMessages(1000);  // a page's thumbnails arrive from a worker
    }
    const bool isElement = !IsEmpty(t.element);
    ASSERT_TRUE(IsWindowVisible(t.window)) << "hidden";
    winkit::BringToFront(t.window);
    // Inside its window: a control within its parent's client area, an element within its owner's.
    RECT inside = {}, place = t.element;
    if (isElement) {
      GetClientRect(t.window, &inside);
    } else {
      const HWND parent = GetParent(t.window);
      GetClientRect(parent, &inside);
      GetWindowRect(t.window, &place);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    }
    EXPECT_TRUE(place.left >= inside.left && place.top >= inside.top && place.right <= inside.right &&
                place.bottom <= inside.bottom)
        << "(" << place.left << "," << place.top << "," << place.right << "," << place.bottom << ") outside (0,0,"
        << inside.right << "," << inside.bottom << ")";
    const POINT centre = isElement ? winkit::ScreenCentreOf(t.window, t.element) : winkit::ScreenCentre(t.window);
    const HWND found = winkit::WindowAt(centre);
    // A disabled control is seen, not reached: the point passes to the window behind it.
    const bool reached = isElement ? found == t.window
                                   : !IsWindowEnabled(t.window) || winkit::PointReaches(centre, t.window, true);
    EXPECT_TRUE(reached) << "covered by control " << GetDlgCtrlID(found) << " (" << ClassOf(found) << ")";
    if (!reached || t.effect == Effect::kSeen) return;

    winkit::MoveMouseTo(centre);
    winkit::PumpMessages(150);
    const std::set<HWND> before = VisibleWindowsOf(process_);
    const winkit::RgbImage picture = t.watched ? PictureOf(t.watched, t.watchedPart) : winkit::RgbImage();
    const std::set<HWND> pages = ShownPages(main_);
    const std::string wallpaper = DesktopWallpaper();
    const LRESULT checked = SendMessageA(t.window, BM_GETCHECK, 0, 0);
    winkit::ClickAt(centre);

    switch (t.effect) {
      case Effect::kOpensWindow: {
        HWND opened = nullptr;
        EXPECT_TRUE(WaitFor(
            [&] {
              for (HWND w : VisibleWindowsOf(process_)) {
                if (!before.count(w)) opened = w;
              }
              return opened != nullptr;
            },
            8000))
            << "no window opened";
        if (opened) CloseByEscape(opened, t);
        break;
      }
      case Effect::kRepaints:
        EXPECT_TRUE(WaitFor([&] { return !SamePicture(picture, PictureOf(t.watched, t.watchedPart)); }, 5000))
            << "nothing changed";
        break;
      case Effect::kChecks:
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(t.window, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 3000));
        break;
      case Effect::kToggles:
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(t.window, BM_GETCHECK, 0, 0) != checked; }, 3000));
        winkit::ClickAt(centre);
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(t.window, BM_GETCHECK, 0, 0) == checked; }, 3000));
        break;
      case Effect::kFocuses:
        EXPECT_TRUE(WaitFor([&] { return FocusOf(t.window) == t.window; }, 3000)) << "no focus";
        break;
      case Effect::kDropsDown:
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(t.window, CB_GETDROPPEDSTATE, 0, 0) != 0; }, 3000));
        winkit::PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return SendMessageA(t.window, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 2000))
            << "Esc closes the dropped list";
        break;
      case Effect::kShowsPage:
        EXPECT_TRUE(WaitFor([&] { return ShownPages(main_) != pages; }, 5000)) << "same page";
        break;
      case Effect::kWallpaper:
        EXPECT_TRUE(WaitFor([&] { return DesktopWallpaper() != wallpaper; }, 8000)) << "wallpaper stays " << wallpaper;
        break;
      case Effect::kMinimises:
        EXPECT_TRUE(WaitFor([&] { return IsIconic(main_) != FALSE; }, 3000));
        ShowWindow(main_, SW_RESTORE);
        break;
      case Effect::kHides:
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(GetAncestor(t.window, GA_ROOT)); }, 3000));
        break;
      case Effect::kSeen:
        break;
    }
    winkit::PumpMessages(100);
    if (::testing::Test::HasFailure() && !failedShot_) {
      failedShot_ = true;
      Screenshot(main_, "walk_first_failure");
    }
  }

  void CheckAll(const std::vector<Target>& targets) {
    for (const Target& t : targets) Check(t);
  }

  void Screenshot(HWND window, const std::string& name) {
    winkit::PumpMessages(300);
    // A child window of the client is cut out of its top-level window's picture.
    const std::string file = name + "_layout" + std::to_string(layout_);
    EXPECT_TRUE(winkit::WritePngFile(PictureOf(window, {}), winkit::ScreenshotPath(file))) << file;
  }

 private:
  static HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
  }

  void CloseByEscape(HWND opened, const Target& t) {
    const std::string& name = t.name;
    winkit::PumpMessages(400);
    // Named by the target: "opened_<window>_<id>".
    std::string file = "opened_" + name;
    std::replace(file.begin(), file.end(), ' ', '_');
    file.erase(std::remove_if(file.begin(), file.end(), [](char c) { return c == '(' || c == ')'; }), file.end());
    Screenshot(opened, file);
    if (t.inside) t.inside(opened);
    if (!IsWindow(opened) || !IsWindowVisible(opened)) return;  // its own walk closed it
    winkit::BringToFront(opened);
    winkit::PressKey(VK_ESCAPE);
    const bool closed = WaitFor([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }, 3000);
    EXPECT_TRUE(closed) << "Esc leaves the window of " << name << " open";
    if (!closed) PostMessageA(opened, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(opened) || !IsWindowVisible(opened); }, 3000);
  }

  int layout_;
  DWORD process_;
  HWND main_;
  bool failedShot_ = false;
};

Target Repaints(HWND watched, RECT part = {}, std::function<void()> scene = nullptr) {
  Target t;
  t.effect = Effect::kRepaints;
  t.watched = watched;
  t.watchedPart = part;
  t.scene = std::move(scene);
  return t;
}

Target Does(Effect effect) {
  Target t;
  t.effect = effect;
  return t;
}

Target Opens(std::function<void(HWND)> inside, std::function<void()> scene = nullptr) {
  Target t = Does(Effect::kOpensWindow);
  t.inside = std::move(inside);
  t.scene = std::move(scene);
  return t;
}

// Walks a dialog's controls with the one that closes it last.
void CheckDialog(Walk& walk, HWND dialog, const std::string& name, std::map<int, Target> overrides, int closing) {
  std::vector<Target> controls = walk.Controls(dialog, name, overrides);
  std::stable_partition(controls.begin(), controls.end(), [closing](const Target& t) { return GetDlgCtrlID(t.window) != closing; });
  walk.CheckAll(controls);
}

std::function<void()> Command(HWND window, int id) {
  return [window, id] { PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0); };
}

// Where the main window's tabs are: layout 1's six tabs share one strip, 66 pixels each.
std::vector<Target> MainTabs(int layout, HWND main) {
  std::vector<Target> tabs;
  const int order[] = {20001, 20002, 20003, 20004, 20005, 20000};
  for (int tab : order) {
    Target t = Does(Effect::kShowsPage);
    t.name = "main window tab " + std::to_string(tab);
    t.window = main;
    const int index = tab - 20000;
    if (layout == 1) {
      t.element = {65 + index * 67, 107, 65 + index * 67 + 66, 135};
    } else {
      for (const SkinElementSpec& spec : mb::skin::SkinLayoutElements(SkinWindow::kMainWindow, layout)) {
        if (spec.id == 10000 + index) t.element = {spec.rect.left, spec.rect.top, spec.rect.right, spec.rect.bottom};
      }
    }
    tabs.push_back(t);
  }
  return tabs;
}

void WalkTheClient(int layout) {
  winkit::StandinSession standin;
  Client client(layout);
  ASSERT_TRUE(client.folder.Install(mb::skintest::LayoutFile("waitting", layout, ".gif"), "waitting.gif"));
  InstallPictures(client, kCategory, kPictures);
  // The recommended list of the service carries stamp 2: as already read, it downloads nothing.
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("top10.dat"), std::string("\x02\0\0\0", 4)));
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("classify.dat"), "1:风景:NULL\r\n2:山水:风景\r\n"));
  ASSERT_TRUE(winkit::WriteTextFile(
      client.folder.Path("conf.dat"),
      AutoLoginConf(mb::EncryptPasswordHex("demo", mb::PasswordStorageKey()), "wallpaperapply=0\r\nmin=0\r\nsec=30\r\n")));
  ASSERT_TRUE(client.Start());
  const HWND main = client.Main();
  ASSERT_NE(main, nullptr);
  if (!WaitVisible(main, true)) PostMessageA(client.Frame(), WM_COMMAND, 20303, 0);
  ASSERT_TRUE(WaitVisible(main, true));
  const HWND page = PageWith(main, kCategoryTreeId);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(page) != FALSE; }, 5000));
  const HWND panel = FindWindowExA(page, nullptr, kPanelClass, nullptr);
  const HWND list = GetDlgItem(page, kPreviewListId);
  ASSERT_TRUE(panel && list);
  Walk walk(layout, client.process.Id(), main);
  walk.Screenshot(main, "walk_main_window");

  // The manager page: what a member needs is there, what the layout leaves out is hidden.
  const bool first = layout == 1;
  for (int id : {1047, 1048}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, id))) << id;
  EXPECT_EQ(IsWindowVisible(GetDlgItem(page, 1022)) != FALSE, first);
  EXPECT_EQ(IsWindowVisible(GetDlgItem(page, 1017)) != FALSE, first);
  for (int id : {1035, 1036, 1016, 1018, 1045}) EXPECT_NE(IsWindowVisible(GetDlgItem(page, id)) != FALSE, first) << id;
  // The first slot of the strip and of the list show which pictures are there.
  const RECT panelSlot = first ? RECT{2, 2, 77, 56} : layout == 2 ? RECT{29, 36, 145, 126} : RECT{31, 47, 147, 137};
  const RECT listPart = first ? RECT{} : RECT{0, 40, 400, 120};
  walk.CheckAll(walk.Controls(page, "manager page", {{1045, Does(Effect::kDropsDown)}}));
  // The carousel time dialog: OK stores the time, says so and closes it; Cancel is reached only.
  const Target timeDialog = Opens([&walk](HWND dialog) {
    CheckDialog(walk, dialog, "carousel time dialog", {{IDCANCEL, Does(Effect::kSeen)}}, IDOK);
  });
  // The picture preview shows its view; the strip behind it keeps its thumbnails: the first
  // thumbnail's picture (within its focus mark), where the preview leaves it in sight.
  winkit::RgbImage strip;
  const Target preview = Opens(
      [&](HWND dialog) {
        walk.CheckAll(walk.Controls(dialog, "picture preview", {}));
        walk.Screenshot(main, "walk_strip_under_preview");
        RECT over = {}, thumbnail = {panelSlot.left + 4, panelSlot.top + 4, panelSlot.right - 4, panelSlot.bottom - 4};
        GetWindowRect(dialog, &over);
        MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&over), 2);
        if (over.left < thumbnail.right && over.right > thumbnail.left) thumbnail.top = std::max(thumbnail.top, over.bottom);
        if (IsEmpty(thumbnail)) return;
        const RECT inStrip = {thumbnail.left - panelSlot.left, thumbnail.top - panelSlot.top,
                              thumbnail.right - panelSlot.left, thumbnail.bottom - panelSlot.top};
        EXPECT_TRUE(SamePicture(Crop(strip, inStrip), PictureOf(panel, thumbnail))) << "the strip lost its thumbnail";
      },
      [&] { strip = PictureOf(panel, panelSlot); });
  std::vector<Target> pageElements = walk.Elements(SkinWindow::kWallpaperManagerPage, page,
                              {{20100, Repaints(list, listPart, Command(page, 20104))},
                               {20101, Repaints(list, listPart, Command(page, 20104))},
                               {20102, Repaints(list, listPart, Command(page, 20104))},
                               {20103, Repaints(list, listPart, Command(page, 20101))},
                               {20104, Repaints(list, listPart, Command(page, 20101))},
                               {20105, Does(Effect::kOpensWindow)},
                               {20106, Repaints(panel, panelSlot)},
                               {20107, Repaints(panel, panelSlot)},
                               {20108, Does(Effect::kWallpaper)},
                               {20109, Does(Effect::kWallpaper)},
                               {20110, timeDialog},
                               {20111, preview}});
  // The date filter ("搜索") last: the paging elements walk the whole category.
  std::stable_partition(pageElements.begin(), pageElements.end(),
                        [](const Target& t) { return t.name.find("20100") == std::string::npos; });
  walk.CheckAll(pageElements);
  if (!first) {
    // Layout 1's strip draws its own marks; its elements show in layouts 2 and 3.
    walk.CheckAll(walk.Elements(SkinWindow::kThumbnailPanel, panel,
                                {{20121, Repaints(panel, panelSlot)},
                                 {20122, Repaints(panel, panelSlot)},
                                 {20108, Does(Effect::kOpensWindow)},
                                 {20111, preview}}));
  }
  walk.CheckAll(walk.Elements(SkinWindow::kThumbnailPreviewList, list,
                              {{20115, Does(Effect::kOpensWindow)}, {20116, Repaints(list, listPart)}}));
  walk.Screenshot(page, "walk_manager_page");

  // A link handed over by a second start opens the link dialog.
  client.HandOver(std::string("muralbox://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT) +
                  "/samples/walk.bmp");
  const HWND link = winkit::WaitForWindow("#32770", "壁纸下载", kWaitMs, client.process.Id());
  ASSERT_NE(link, nullptr);
  ASSERT_TRUE(WaitVisible(link, true));
  walk.Screenshot(link, "walk_link_dialog");
  CheckDialog(walk, link, "link dialog", {{IDOK, Does(Effect::kSeen)}, {IDCANCEL, Does(Effect::kHides)}}, IDCANCEL);

  // The tabs show their pages; the upload page is walked when it shows.
  for (const Target& tab : MainTabs(layout, main)) {
    walk.Check(tab);
    const int index = tab.name.back() - '0';
    walk.Screenshot(main, "walk_tab" + std::to_string(index));
    const HWND shown = LargestShownPage(main);
    if (!shown || index == 0) continue;  // the manager page is walked above
    if (GetDlgItem(shown, kUploadStartId)) {
      // The batch uploader's two buttons start another program: seen and reached only.
      walk.CheckAll(walk.Controls(shown, "upload page", {{1013, Does(Effect::kSeen)}, {1014, Does(Effect::kSeen)}}));
      walk.CheckAll(walk.Elements(SkinWindow::kUploadPage, shown, {{20031, Does(Effect::kOpensWindow)}}));
      walk.Screenshot(shown, "walk_upload_page");
    } else if (GetDlgItem(shown, kSettingsAutoLoginId)) {
      // Cancel reloads the stored interval over a typed one.
      const HWND minutes = GetDlgItem(shown, kSettingsMinutesId);
      const auto typed = [minutes] { SendMessageA(minutes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7")); };
      const Target cancel = Repaints(shown, PlaceIn(minutes, shown), typed);
      walk.CheckAll(walk.Controls(shown, "settings page", {{IDCANCEL, cancel}}));
      std::vector<Target> elements = walk.Elements(
          SkinWindow::kSettingsDialog, shown,
          {{20200, Does(Effect::kSeen)},
           {20201, Repaints(shown, PlaceIn(minutes, shown))},
           {20202, Repaints(shown, {})},
           {20027, Does(Effect::kOpensWindow)},
           {20028, cancel},
           {20030, Does(Effect::kOpensWindow)}});
      // The tabs last: the system and about tabs hide the interval boxes.
      std::stable_partition(elements.begin(), elements.end(), [](const Target& t) { return t.effect != Effect::kRepaints || t.scene; });
      walk.CheckAll(elements);
      walk.Screenshot(shown, "walk_settings_page");
    } else {
      walk.CheckAll(walk.Controls(shown, "page of tab " + std::to_string(index), {}));
    }
  }

  // The main window's own elements last: the arrows scroll the strip, then minimise, and close.
  // The recommended list's label opens the member's browser: seen and reached only.
  std::vector<Target> own = walk.Elements(SkinWindow::kMainWindow, main,
                                          {{20010, Does(Effect::kSeen)},
                                           {20008, Repaints(panel, panelSlot)},
                                           {20009, Repaints(panel, panelSlot)},
                                           {20007, Does(Effect::kMinimises)},
                                           {20006, Does(Effect::kHides)}});
  std::stable_partition(own.begin(), own.end(), [](const Target& t) { return t.effect != Effect::kHides; });
  walk.CheckAll(own);

  // The tray menu, opened from the tray icon before each click: its page items bring the main
  // window back with their page, the skin item opens its menu. Help and the home page open the
  // member's browser, and logging out and exit end the session: those are seen only.
  const HWND menu = winkit::WaitForWindow("MuralboxTrayMenu", nullptr, kWaitMs, client.process.Id());
  ASSERT_NE(menu, nullptr);
  const HWND frame = client.Frame();
  const auto openMenu = [frame, menu] {
    PostMessageA(frame, RegisterWindowMessageA("WM_TRAYICON"), 4, WM_RBUTTONUP);
    WaitVisible(menu, true);
  };
  openMenu();
  Target shows = Does(Effect::kShowsPage), hides = Does(Effect::kHides), opens = Does(Effect::kOpensWindow);
  Target seen = Does(Effect::kSeen);
  // The float window's arrows step the carousel; the tray item closes it again.
  Target floatWindow = Opens([&](HWND window) {
    walk.CheckAll(walk.Elements(SkinWindow::kFloatWindow, window,
                                {{20400, Does(Effect::kWallpaper)}, {20401, Does(Effect::kWallpaper)}}));
    openMenu();
    for (const SkinElementSpec& spec : mb::skin::SkinLayoutElements(SkinWindow::kTrayMenu, layout)) {
      if (spec.id != 20302) continue;
      EXPECT_TRUE(winkit::ClickElement(menu, {spec.rect.left, spec.rect.top, spec.rect.right, spec.rect.bottom}));
    }
    EXPECT_TRUE(WaitVisible(window, false));
  });
  shows.scene = hides.scene = opens.scene = seen.scene = floatWindow.scene = openMenu;
  std::vector<Target> items =
      walk.Elements(SkinWindow::kTrayMenu, menu,
                    {{20303, shows}, {20300, shows}, {20301, shows}, {20306, shows}, {20304, shows}, {20305, shows},
                     {20311, opens}, {20302, floatWindow}, {20307, seen}, {20308, seen}, {20309, seen}, {20310, seen},
                     {20008, seen}, {20006, hides}, {20007, hides}});
  // The wallpaper item first: the main window is closed now, and each page item after it shows
  // another page.
  std::stable_partition(items.begin(), items.end(), [](const Target& t) { return t.name.find("20303") != std::string::npos; });
  walk.Screenshot(menu, "walk_tray_menu");
  walk.CheckAll(items);

  client.ExitAndWait();
}

TEST(SkinWalk, Layout1) { WalkTheClient(1); }
TEST(SkinWalk, Layout2) { WalkTheClient(2); }
TEST(SkinWalk, Layout3) { WalkTheClient(3); }

TEST(ShippedFiles, TheProgramFolderHoldsEveryLayoutsFiles) {
  for (const char* name : {"conf2.dat", "conf3.dat", "default.bmp", "default2.bmp", "default3.bmp", "default.config",
                           "default2.config", "default3.config", "waitting.gif", "waitting2.gif", "waitting3.gif"}) {
    EXPECT_TRUE(winkit::FileExists(winkit::BinFolder() + name)) << name;
  }
}

}  // namespace
