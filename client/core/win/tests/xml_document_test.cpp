#include "client/core/win/xml_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winkit/winkit.h"

namespace mb {
namespace {

// A login reply as the service sends it, in GBK.
const std::string kLoginReply =
    "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n"
    "<root><login>1</login><name>张三</name><adTime>600</adTime>"
    "<uploadsort>1,风景</uploadsort><uploadsort>2,动漫</uploadsort>"
    "<wrapped><inner>x</inner></wrapped><empty></empty>"
    "<mixed><!--note--><b>bold</b>tail</mixed></root>";

std::vector<std::string> ListTexts(IXMLDOMNodeList* list) {
  std::vector<std::string> texts;
  long length = 0;
  if (!list || FAILED(list->get_length(&length))) return texts;
  for (long i = 0; i < length; ++i) {
    ComPtr<IXMLDOMNode> node;
    list->get_item(i, node.Out());
    std::string text;
    XmlDocument::GetFirstTextChild(node.Get(), text);
    texts.push_back(text);
  }
  return texts;
}

class XmlDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { SetXmlErrorFolder(errors_.Root()); }
  void TearDown() override { SetXmlErrorFolder("e:\\info\\"); }

  ComApartment com_;
  winkit::TempFolder errors_;
};

TEST_F(XmlDocumentTest, ReadsTheFirstTextChildOfNamedElements) {
  XmlDocument document;
  ASSERT_TRUE(document.LoadXmlDocument(kLoginReply));
  ComPtr<IXMLDOMElement> root = document.GetDocumentElement();
  ASSERT_TRUE(root);

  std::string text;
  EXPECT_TRUE(XmlDocument::GetNodeText(root.Get(), "login", text));
  EXPECT_EQ(text, "1");
  EXPECT_TRUE(XmlDocument::GetNodeText(root.Get(), "name", text));
  EXPECT_EQ(text, "张三");
  EXPECT_TRUE(XmlDocument::GetNodeText(root.Get(), "mixed", text));
  EXPECT_EQ(text, "tail") << "the first child of type text, past a comment and an element";
}

TEST_F(XmlDocumentTest, ElementsWithoutTextAndMissingElementsReadAsAbsent) {
  XmlDocument document;
  ASSERT_TRUE(document.LoadXmlDocument(kLoginReply));
  ComPtr<IXMLDOMElement> root = document.GetDocumentElement();
  std::string text = "left over";
  EXPECT_FALSE(XmlDocument::GetNodeText(root.Get(), "wrapped", text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(XmlDocument::GetNodeText(root.Get(), "empty", text));
  EXPECT_FALSE(XmlDocument::GetNodeText(root.Get(), "popURL", text));
  EXPECT_FALSE(XmlDocument::GetNodeText(nullptr, "login", text));
}

TEST_F(XmlDocumentTest, TagNameSearchTakesAPath) {
  XmlDocument document;
  ASSERT_TRUE(document.LoadXmlDocument(kLoginReply));
  ComPtr<IXMLDOMNodeList> sorts = document.GetElementsByTagName("root/uploadsort");
  ASSERT_TRUE(sorts);
  EXPECT_EQ(ListTexts(sorts.Get()), (std::vector<std::string>{"1,风景", "2,动漫"}));
  EXPECT_EQ(ListTexts(document.GetElementsByTagName("root/missing").Get()), std::vector<std::string>{});
}

TEST_F(XmlDocumentTest, EmptyHolderGivesNothing) {
  XmlDocument document;
  EXPECT_FALSE(document.GetDocumentElement());
  EXPECT_FALSE(document.GetElementsByTagName("root/uploadsort"));
}

TEST_F(XmlDocumentTest, FailedParsesKeepThePreviousDocumentAndWriteNumberedErrorFiles) {
  XmlDocument document;
  ASSERT_TRUE(document.LoadXmlDocument(kLoginReply));
  const std::string broken = "<root><login>1</rot>";
  EXPECT_FALSE(document.LoadXmlDocument(broken));
  EXPECT_FALSE(document.LoadXmlDocument(""));

  std::string text;
  EXPECT_TRUE(XmlDocument::GetNodeText(document.GetDocumentElement().Get(), "login", text));
  EXPECT_EQ(text, "1") << "the held document is still the first one";

  EXPECT_EQ(winkit::ReadTextFile(errors_.Path("error0.xml")), broken + "\r\n");
  EXPECT_EQ(winkit::ReadTextFile(errors_.Path("error1.xml")), "\r\n");
  EXPECT_FALSE(winkit::FileExists(errors_.Path("error2.xml")));
}

TEST_F(XmlDocumentTest, MissingErrorFolderIsSkippedSilently) {
  SetXmlErrorFolder(errors_.Path("missing"));
  XmlDocument document;
  EXPECT_FALSE(document.LoadXmlDocument("not xml"));
  EXPECT_FALSE(winkit::FileExists(errors_.Path("missing")));
}

}  // namespace
}  // namespace mb
