#include "client/core/win/xml_document.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "client/core/win/msxml_support.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr DOMNodeType kTextNode = NODE_TEXT;

std::mutex errorFolderLock;
std::string& ErrorFolder() {
  static std::string folder = "e:\\info\\";
  return folder;
}
std::atomic<int> parseFailures{0};

// Appends the text that failed to parse, and a line end, to the next error file.
void KeepUnparsedText(const std::string& text) {
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(errorFolderLock);
    folder = ErrorFolder();
  }
  const int number = parseFailures++;
  if (!folder.empty() && !GbkEndsWith(folder, '\\')) folder += '\\';
  const std::string path = folder + "error" + std::to_string(number) + ".xml";
  if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputs("\r\n", file);
    std::fclose(file);
  }
}

}  // namespace

void SetXmlErrorFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(errorFolderLock);
  ErrorFolder() = folder;
}

bool XmlDocument::LoadXmlDocument(const std::string& text) {
  ComPtr<IXMLDOMDocument> document;
  if (FAILED(CoCreateInstance(kClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IXMLDOMDocument, document.OutVoid())) ||
      !document) {
    KeepUnparsedText(text);
    return false;
  }
  document->put_async(VARIANT_FALSE);
  const BStr xml = BStr::FromGbk(text);
  VARIANT_BOOL parsed = VARIANT_FALSE;
  if (FAILED(document->loadXML(xml.Get(), &parsed)) || parsed != VARIANT_TRUE) {
    KeepUnparsedText(text);
    return false;
  }
  document_ = document;
  return true;
}

ComPtr<IXMLDOMElement> XmlDocument::GetDocumentElement() const {
  ComPtr<IXMLDOMElement> root;
  if (document_) document_->get_documentElement(root.Out());
  return root;
}

ComPtr<IXMLDOMNodeList> XmlDocument::GetElementsByTagName(const std::string& pattern) const {
  ComPtr<IXMLDOMNodeList> list;
  if (!document_) return list;
  const BStr name = BStr::FromGbk(pattern);
  document_->getElementsByTagName(name.Get(), list.Out());
  return list;
}

bool XmlDocument::GetNodeText(IXMLDOMNode* parent, const std::string& name, std::string& text) {
  text.clear();
  if (!parent) return false;
  const BStr query = BStr::FromGbk(name);
  ComPtr<IXMLDOMNode> node;
  if (parent->selectSingleNode(query.Get(), node.Out()) != S_OK || !node) return false;
  return GetFirstTextChild(node.Get(), text);
}

bool XmlDocument::GetFirstTextChild(IXMLDOMNode* node, std::string& text) {
  text.clear();
  if (!node) return false;
  ComPtr<IXMLDOMNode> child;
  node->get_firstChild(child.Out());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    if (SUCCEEDED(child->get_nodeType(&type)) && type == kTextNode) {
      BStr value;
      if (FAILED(child->get_text(value.Out()))) return false;
      text = value.ToGbk();
      return true;
    }
    ComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Out());
    child = next;
  }
  return false;
}

}  // namespace mb
