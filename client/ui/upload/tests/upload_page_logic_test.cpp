// The upload page's decisions: the form's refusals in their order, the category levels and
// album lines, the registration address and how the service's replies count.
#include <gtest/gtest.h>
#include <iconv.h>

#include <functional>

#include "client/ui/upload/upload_form.h"
#include "client/ui/upload/upload_registration.h"

namespace mb {
namespace {

// The client's texts are GBK; this tree's literals are UTF-8.
std::string G(const std::string& utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* to = out.data();
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &to, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

const char kClassify[] =
    "1:风景:NULL\r\n"
    "2:动漫:NULL \n"
    "3:山水:风景\n"
    "4:风景画:风景区\n"    // parent only begins like a top-level name
    "5:NULLA:NULLX\n"      // parent only holds "NULL"
    "6:晨雾:山水\n"
    "7:坏行\n";

class UploadFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    categories_.Parse(G(kClassify));
    albums_.Parse(G("12|旅行 \r\n7|\r\nbad line\r\n 9 | 家人\r\n"));
    in_.path = G("C:\\图片\\a.b\\海边.JPG");
    in_.fileExists = in_.fileReadable = true;
    in_.fileSize = 2097152;
    in_.width = 1024;
    in_.height = 768;
    in_.title = G("海边日落");
    in_.sourceIndex = 0;
    in_.sourceText = "原创";
    in_.category1 = G(" 风景 ");
    in_.category2 = G("山水");
    in_.category3 = G("晨雾");
    in_.album = G("家人");
    in_.tag = G("  海 ");
    in_.user = "zhang.san";
    in_.uploadUrl = "http://u/";
  }
  std::string Message(const UploadFormInput& in) {
    return ValidateUploadForm(in, UploadLimits(), categories_, albums_).message;
  }
  UploadCategoryList categories_;
  AlbumList albums_;
  UploadFormInput in_;
};

TEST_F(UploadFormTest, RefusesInTheOrderTheMemberIsTold) {
  const FormCheck good = ValidateUploadForm(in_, UploadLimits(), categories_, albums_);
  ASSERT_TRUE(good.ok()) << good.message;
  EXPECT_EQ(good.form.source, "1");
  EXPECT_FALSE(good.form.reprint);
  EXPECT_EQ(good.form.visibility, "0");
  EXPECT_EQ(good.form.category1, "1");
  EXPECT_EQ(good.form.category2, "3");
  EXPECT_EQ(good.form.category3, "6");
  EXPECT_EQ(good.form.album, "9");
  EXPECT_EQ(good.form.tag, G("海"));

  std::vector<std::pair<std::function<void(UploadFormInput&)>, std::string>> cases = {
      {[](UploadFormInput& i) { i.path.clear(); }, "请选择上传文件"},
      {[](UploadFormInput& i) { i.fileExists = false; }, "上传文件不存在"},
      {[](UploadFormInput& i) { i.fileReadable = false; }, "该文件不存在，或被其他文件锁定"},
      {[](UploadFormInput& i) { i.fileSize = 2097153; }, "该文件大小超过2048K,请选择其他文件上传"},
      {[](UploadFormInput& i) { i.width = 1023; }, "该图片文件的分辨率没有达到1024 X 768 的要求"},
      {[](UploadFormInput& i) { i.height = 767; }, "该图片文件的分辨率没有达到1024 X 768 的要求"},
      {[](UploadFormInput& i) { i.title.clear(); }, "请填写标题"},
      // The title's star is found before an overlong description is looked at.
      {[](UploadFormInput& i) { i.title = "a*"; i.description = std::string(101, 'x'); },
       "标题、描述、和标签信息不能包含星号!"},
      {[](UploadFormInput& i) { i.description = G("说*明"); }, "标题、描述、和标签信息不能包含星号! "},
      {[](UploadFormInput& i) { i.tag = "*"; }, "标题、描述、和标签信息不能包含星号! "},
      {[](UploadFormInput& i) { i.user.clear(); }, "游客不能上传"},
      {[](UploadFormInput& i) { i.uploadUrl.clear(); }, "上传服务器地址不正确"},
  };
  for (auto& [change, expected] : cases) {
    UploadFormInput in = in_;
    change(in);
    EXPECT_EQ(Message(in), expected);
  }
  // A hundred characters pass, double-byte ones counted once; 101 do not.
  UploadFormInput in = in_;
  in.description.clear();
  for (int i = 0; i < 50; ++i) in.description += G("说a");
  EXPECT_EQ(Message(in), "");
  in.description += "b";
  const FormCheck longer = ValidateUploadForm(in, UploadLimits(), categories_, albums_);
  EXPECT_EQ(longer.message, "简介超过最大字数限制");
  EXPECT_EQ(longer.focus, FormFocus::kDescription);

  // The second source, the private choice, unknown categories and albums, no album at all.
  in = in_;
  in.sourceIndex = 1;
  in.sourceText = "转载";  // as the code's own text
  in.visibilityIndex = 1;
  in.category1 = G("风景区");
  in.category2 = G("风景");  // number 1: a lower level left at its default
  in.category3 = "";
  in.album.reset();
  const FormCheck other = ValidateUploadForm(in, UploadLimits(), categories_, albums_);
  EXPECT_EQ(other.form.source, "2");
  EXPECT_TRUE(other.form.reprint);
  EXPECT_EQ(other.form.visibility, "1");
  EXPECT_EQ(other.form.category1, "-1");
  EXPECT_EQ(other.form.category2, "");
  EXPECT_EQ(other.form.category3, "-1");
  EXPECT_EQ(other.form.album, "0");
  in.album = G("没有");
  EXPECT_EQ(ValidateUploadForm(in, UploadLimits(), categories_, albums_).form.album, "0");
}

TEST_F(UploadFormTest, CategoryLevelsMatchParentsExactlyAndAlbumLinesNeedANameAfterTheBar) {
  EXPECT_EQ(categories_.TopLevel(), (std::vector<std::string>{G("风景"), G("动漫")}));
  EXPECT_EQ(categories_.ChildrenOf(G("风景")), std::vector<std::string>{G("山水")});
  EXPECT_EQ(categories_.ChildrenOf(G("山水")), std::vector<std::string>{G("晨雾")});
  EXPECT_TRUE(categories_.ChildrenOf(G("景")).empty());
  EXPECT_FALSE(categories_.NumberOf(G("坏行")));
  ASSERT_EQ(albums_.Items().size(), 2u);
  EXPECT_EQ(albums_.Items()[0].name, G("旅行"));
  EXPECT_EQ(albums_.Items()[1].number, 9);
  EXPECT_EQ(albums_.Items()[1].name, G("家人"));
  EXPECT_TRUE(albums_.Contains(G("旅行")));
  EXPECT_FALSE(albums_.Contains(G("旅")));
  EXPECT_EQ(albums_.NumberOf(G("旅行")), 12);
}

TEST(UploadRegistration, AddressHoldsFourteenEncodedValuesAndRepliesCountOnlyWithStatus200) {
  upload::UploadStamp stamp{2024, 3, 5, 9, 7, 8, 123456};
  const UploadTarget target = MakeUploadTarget(G("C:\\a.b\\海边.JPG"), "zhang.san", stamp);
  EXPECT_EQ(target.dateFolder, "2024-3-5");
  EXPECT_EQ(target.minuteFolder, "7");
  EXPECT_EQ(target.wireUser, "zhangsan");
  EXPECT_EQ(target.remoteName, "zhangsan202435978123456.JPG");
  EXPECT_EQ(target.remotePath, "2024-3-5/7");
  EXPECT_EQ(MakeUploadTarget("C:\\a.b\\noext", "u", stamp).remoteName, "u202435978123456");

  UploadForm form;
  form.user = "zhang.san";
  form.title = G("海 & =");
  form.source = "1";
  form.description = "";
  form.category1 = "1";
  form.category2 = "";
  form.category3 = "-1";
  form.album = "9";
  form.tag = "t";
  form.width = 1024;
  form.height = 768;
  form.visibility = "0";
  EXPECT_EQ(RegistrationUrl("http://h:1/", form, target),
            "http://h:1/muralbox2/douploadauthor_client.jsp?username=zhang.san&title=%BA%A3%20%26%20%3D&srctype=1"
            "&desc=&pictype1=1&pictype2=&pictype3=-1&special=9&tag=t&width=1024&height=768"
            "&remotepath=2024-3-5%2F7&filename=zhangsan202435978123456.JPG&pub=0");
  form.reprint = true;
  EXPECT_EQ(RegistrationUrl("http://h:1", form, target).rfind("http://h:1/muralbox2/douploadgo.jsp?username=", 0), 0u);
  EXPECT_EQ(AddAlbumUrl("http://h", "a b", G("旅行")), "http://h/common/upload/addalbum_client.jsp?userid=a%20b&v=%C2%C3%D0%D0");
  EXPECT_EQ(AlbumListUrl("http://h", "u"), "http://h/common/upload/albumlist_client.jsp?userid=u");

  EXPECT_FALSE(RegistrationAccepted(200, "0"));
  EXPECT_FALSE(RegistrationAccepted(200, ""));
  EXPECT_FALSE(RegistrationAccepted(200, "-3"));
  EXPECT_TRUE(RegistrationAccepted(200, " 12"));
  EXPECT_TRUE(RegistrationAccepted(200, "\r\n7\r\n"));
  EXPECT_FALSE(RegistrationAccepted(404, "12"));
  EXPECT_EQ(NewAlbumNumber(200, " 12"), 12);
  EXPECT_EQ(NewAlbumNumber(200, "0"), -1);
  EXPECT_EQ(NewAlbumNumber(200, ""), -1);
  EXPECT_EQ(NewAlbumNumber(200, "-1"), -1);
  EXPECT_EQ(NewAlbumNumber(404, "12"), -1);
}

}  // namespace
}  // namespace mb
