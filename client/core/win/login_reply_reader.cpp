#include "client/core/win/login_reply_reader.h"

#include "client/core/client_config.h"
#include "client/core/win/xml_document.h"

namespace mb {

bool ReadLoginReplyTexts(const std::string& xml, LoginReplyTexts& texts) {
  XmlDocument document;
  if (!document.LoadXmlDocument(xml)) return false;
  ComPtr<IXMLDOMElement> root = document.GetDocumentElement();
  if (!root) return false;

  ComPtr<IXMLDOMNode> child;
  root->get_firstChild(child.Out());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    if (SUCCEEDED(child->get_nodeType(&type)) && type == NODE_ELEMENT) {
      BStr name;
      std::string text;
      if (SUCCEEDED(child->get_nodeName(name.Out())) && XmlDocument::GetFirstTextChild(child.Get(), text)) {
        texts.elements.emplace(name.ToGbk(), text);  // the first element of a name counts
      }
    }
    ComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Out());
    child = next;
  }

  if (ComPtr<IXMLDOMNodeList> sorts = document.GetElementsByTagName("root/uploadsort")) {
    long count = 0;
    sorts->get_length(&count);
    for (long i = 0; i < count; ++i) {
      ComPtr<IXMLDOMNode> item;
      std::string text;
      if (SUCCEEDED(sorts->get_item(i, item.Out())) && XmlDocument::GetFirstTextChild(item.Get(), text)) {
        texts.uploadSorts.push_back(text);
      }
    }
  }
  return true;
}

bool ParseLoginReply(const std::string& xml) {
  LoginReplyTexts texts;
  if (!ReadLoginReplyTexts(xml, texts)) return false;
  return ApplyLoginReply(texts, *GetClientConfig());
}

}  // namespace mb
