#include "tools/standin/service_catalog.h"

#include "tools/standin/text_codec.h"

namespace standin {

const char kTopListLabel[] = "精品推荐";

std::vector<Account> DefaultAccounts() { return {{"demo", "demo"}, {"张三", "123456"}}; }

std::vector<Album> StarterAlbumsGbk() {
  return {{1, Utf8ToGbk("默认专辑")}, {2, Utf8ToGbk("我的收藏")}};
}

std::vector<UploadSort> UploadSorts() {
  return {{1, "风景"}, {2, "动漫"}, {3, "明星"}, {4, "游戏"}};
}

LoginAddresses ServiceAddresses(std::string_view base) {
  const std::string b(base);
  LoginAddresses a;
  a.registerUrl = b + "/kivane/register.html";
  a.lostPasswordUrl = b + "/kivane/findpass.html";
  a.hotListUrl = b + "/kivane/top10_2.html";
  a.searchUrl = b + "/kivane/search2.html";
  a.uploadUrl = b + "/kivane/upload.jsp";
  a.reportUrl = b + "/kivane/report.jsp";
  a.updateUrl = b + "/kivane/update.jsp";
  a.viewUploadsUrl = b + "/kivane/member/nowplist.jsp";
  a.noticeUrl = b + "/kivane/notice/1.html";
  return a;
}

std::vector<TopListPicture> TopListPictures(std::string_view base) {
  const std::string b(base);
  return {{b + "/samples/top-lake.jpg", "风景"},
          {b + "/samples/top-city.png", "城市建筑"},
          {b + "/samples/top-cartoon.bmp", "动漫"}};
}

std::vector<std::string> NoticePages(std::string_view base) {
  const std::string b(base);
  return {b + "/kivane/notice/1.html", b + "/kivane/notice/2.html"};
}

std::string NoticePageHtml(int number) {
  static const char* const kTexts[] = {"新的精品壁纸已经上架,欢迎下载!", "上传壁纸可获得积分。"};
  if (number < 1 || number > 2) return {};
  const std::string title = "系统公告 " + std::to_string(number);
  return "<html><head><title>" + title + "</title></head><body><p>" + kTexts[number - 1] +
         "</p></body></html>\r\n";
}

std::string ClientPageHtml(std::string_view path, std::string_view base) {
  struct Page {
    const char* path;
    const char* title;
  };
  static const Page kPages[] = {
      {"/kivane/search.html", "壁纸下载"},          {"/kivane/search2.html", "壁纸下载"},
      {"/kivane/search3.html", "壁纸下载"},         {"/kivane/top10.html", "壁纸排行"},
      {"/kivane/top10_2.html", "壁纸排行"},         {"/kivane/top10_3.html", "壁纸排行"},
      {"/kivane/member/usermodi.jsp", "个人管理"},  {"/kivane/member2/usermodi.jsp", "个人管理"},
      {"/kivane/member3/usermodi.jsp", "个人管理"},
  };
  const Page* page = nullptr;
  for (const Page& p : kPages) {
    if (path == p.path) page = &p;
  }
  if (!page) return {};
  const std::string b(base);
  std::string html = std::string("<html><head><title>") + page->title + "</title></head><body><h3>" + page->title +
                     "</h3>\r\n";
  for (const TopListPicture& picture : TopListPictures(base)) {
    const std::string call = "'" + picture.url + "','" + picture.category + "*1024x768*jpg*" + b + "*1'";
    html += "<p><a href=\"#\" onclick=\"window.external.downWallpaper('" + picture.category + "'," + call +
            ");return false;\">下载</a> <a href=\"#\" onclick=\"window.external.setWallpaper('" + picture.category +
            "'," + call + ");return false;\">设为壁纸</a></p>\r\n";
  }
  return html + "</body></html>\r\n";
}

std::string DataFileText(std::string_view fileName) {
  if (fileName == "classify.dat") {
    return "1:风景:NULL\r\n2:自然风光:风景\r\n3:城市建筑:风景\r\n4:动漫:NULL\r\n"
           "5:卡通人物:动漫\r\n6:明星:NULL\r\n";
  }
  if (fileName == "actives.dat") return "1:春季摄影大赛\r\n2:我的家乡\r\n";
  if (fileName == "themes.dat") return "1:春\r\n2:夏\r\n3:秋\r\n4:冬\r\n";
  return {};
}

std::vector<std::string> DataFileUrls(std::string_view base) {
  const std::string b(base);
  return {b + "/admin/classify.dat", b + "/admin/actives.dat", b + "/admin/themes.dat"};
}

}  // namespace standin
