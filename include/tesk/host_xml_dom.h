// A small reference-counted XML DOM: the document, node, node-list and
// attribute-map interfaces that CXMLParser drives. Texts are UTF-16.
//
//   IXMLDOMDocument* doc = nullptr;
//   TeskUtility::CreateXMLDOMDocument(&doc);
//   VARIANT_BOOL ok = VARIANT_FALSE;
//   doc->loadXML(u"<a><b>1</b></a>", &ok);
//   IXMLDOMNode* b = nullptr;
//   if (doc->selectSingleNode(u"//b", &b) == S_OK) { std::u16string t; b->get_text(&t); b->Release(); }
//   doc->Release();
//
// Objects handed out through out-parameters carry one reference that the
// caller releases. A node keeps its document alive. One document and its nodes
// are used from one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tesk/types.h"

using VARIANT_BOOL = short;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;


class IXMLDOMNodeList;
class IXMLDOMNamedNodeMap;

class IXMLDOMNode {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // "#text", "#comment", "#cdata-section", "#document" or the qualified name.
    virtual HRESULT get_nodeName(std::u16string* name) = 0;
    // Elements and documents: the text of all descendant text and CDATA nodes.
    virtual HRESULT get_text(std::u16string* text) = 0;
    // Replaces the node's children (or content) by the text.
    virtual HRESULT put_text(std::u16string_view text) = 0;
    virtual HRESULT get_xml(std::u16string* xml) = 0;
    virtual HRESULT hasChildNodes(VARIANT_BOOL* has) = 0;
    virtual HRESULT get_childNodes(IXMLDOMNodeList** list) = 0;
    // Elements only; other nodes answer S_FALSE and a null map.
    virtual HRESULT get_attributes(IXMLDOMNamedNodeMap** map) = 0;
    // S_FALSE and null for documents and nodes outside the tree.
    virtual HRESULT get_parentNode(IXMLDOMNode** parent) = 0;
    // Moves newChild (of the same document) to the end of this node's children.
    virtual HRESULT appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) = 0;
    virtual HRESULT removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) = 0;
    // The first node of an XPath node set, in document order; S_FALSE when empty.
    virtual HRESULT selectSingleNode(std::u16string_view xpath, IXMLDOMNode** node) = 0;
    // Elements only.
    virtual HRESULT setAttribute(std::u16string_view name, std::u16string_view value) = 0;
    virtual HRESULT setAttributeNode(IXMLDOMNode* attribute, IXMLDOMNode** replaced) = 0;
    // Descendant elements of that qualified name ("*": all), in document order; a live list.
    virtual HRESULT getElementsByTagName(std::u16string_view tagName, IXMLDOMNodeList** list) = 0;

protected:
    ~IXMLDOMNode() = default;
};

class IXMLDOMNodeList {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;
    virtual HRESULT get_length(std::int32_t* length) = 0;
    // S_FALSE and null past the end. Walking the indexes in order costs O(1) per call.
    virtual HRESULT get_item(std::int32_t index, IXMLDOMNode** item) = 0;

protected:
    ~IXMLDOMNodeList() = default;
};

class IXMLDOMNamedNodeMap {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;
    virtual HRESULT get_length(std::int32_t* length) = 0;
    virtual HRESULT get_item(std::int32_t index, IXMLDOMNode** item) = 0;
    // S_FALSE and null when no attribute has that qualified name.
    virtual HRESULT getNamedItem(std::u16string_view name, IXMLDOMNode** item) = 0;

protected:
    ~IXMLDOMNamedNodeMap() = default;
};

class IXMLDOMDocument : public IXMLDOMNode {
public:
    // Replaces the content. Documents that declare entities, reach for
    // external resources or nest too deep are refused: S_FALSE, *ok false,
    // and the document is left empty.
    virtual HRESULT loadXML(std::u16string_view xml, VARIANT_BOOL* ok) = 0;
    // Accepted for compatibility; loading from text is always synchronous.
    virtual HRESULT put_async(VARIANT_BOOL async) = 0;
    // E_FAIL for a name that is not an XML qualified name.
    virtual HRESULT createElement(std::u16string_view tagName, IXMLDOMNode** element) = 0;
    virtual HRESULT createAttribute(std::u16string_view name, IXMLDOMNode** attribute) = 0;
    virtual HRESULT createTextNode(std::u16string_view text, IXMLDOMNode** node) = 0;

protected:
    ~IXMLDOMDocument() = default;
};

namespace TeskUtility {

// A new empty document with one reference; E_POINTER for a null out-parameter.
HRESULT CreateXMLDOMDocument(IXMLDOMDocument** document);

}  // namespace TeskUtility
