// The client's XML reader over the system's MSXML DOM document. Texts in and out are GBK.
// A text that does not parse is appended to "error<n>.xml" in the error folder (n counts the
// failures of the process from 0), when that folder exists.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>

#include "common/win/com_ptr.h"

namespace mb {

class XmlDocument {
 public:
  XmlDocument() = default;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // True when the text parsed; the holder then owns the new document (the old one is released).
  // On failure the previous document is kept.
  bool LoadXmlDocument(const std::string& text);

  // The root element; null when no document is held.
  ComPtr<IXMLDOMElement> GetDocumentElement() const;

  // The node list of the document's own tag-name search (the pattern may hold a path such as
  // "root/uploadsort"); null when no document is held.
  ComPtr<IXMLDOMNodeList> GetElementsByTagName(const std::string& pattern) const;

  // Selects the first node matching name (an XPath step relative to parent) and gives the text of
  // its first text child. False with an empty text when nothing matches or there is no text child.
  static bool GetNodeText(IXMLDOMNode* parent, const std::string& name, std::string& text);

  // The text of the node's first child of type text; false with an empty text when it has none.
  static bool GetFirstTextChild(IXMLDOMNode* node, std::string& text);

 private:
  ComPtr<IXMLDOMDocument> document_;
};

// Where texts that failed to parse are kept; "e:\\info\\" unless changed. Any thread.
void SetXmlErrorFolder(const std::string& folder);

}  // namespace mb
