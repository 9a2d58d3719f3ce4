// The DOM behind IXMLDOMDocument, over a libxml2 tree.
//
// Ownership: XmlDocument owns the libxml2 document, every node created or
// removed but not (yet) in the tree (the orphans), and every earlier tree that
// a reload replaced while wrappers still pointed into it. Its count holds one
// reference per caller reference, per live node wrapper and per live list, so
// the trees outlive everything that can reach them. A node has at most one
// wrapper, kept in the libxml2 node's _private field; a subtree that holds a
// wrapper is never freed before the document.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "tesk/host_xml_dom.h"

struct _xmlNode;
struct _xmlDoc;

namespace TeskUtility::detail {

using XmlNodePtr = _xmlNode*;

class XmlDocument;

// The node operations, forwarded to the owning document; shared by node
// wrappers and the document itself.
template <typename Interface>
class XmlNodeFacade : public Interface {
public:
    HRESULT get_nodeName(std::u16string* name) override;
    HRESULT get_text(std::u16string* text) override;
    HRESULT put_text(std::u16string_view text) override;
    HRESULT get_xml(std::u16string* xml) override;
    HRESULT hasChildNodes(VARIANT_BOOL* has) override;
    HRESULT get_childNodes(IXMLDOMNodeList** list) override;
    HRESULT get_attributes(IXMLDOMNamedNodeMap** map) override;
    HRESULT get_parentNode(IXMLDOMNode** parent) override;
    HRESULT appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override;
    HRESULT removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) override;
    HRESULT selectSingleNode(std::u16string_view xpath, IXMLDOMNode** node) override;
    HRESULT setAttribute(std::u16string_view name, std::u16string_view value) override;
    HRESULT setAttributeNode(IXMLDOMNode* attribute, IXMLDOMNode** replaced) override;
    HRESULT getElementsByTagName(std::u16string_view tagName, IXMLDOMNodeList** list) override;

protected:
    ~XmlNodeFacade() = default;
    virtual XmlDocument& Owner() = 0;
    virtual XmlNodePtr Self() = 0;
};

class XmlDocument final : public XmlNodeFacade<IXMLDOMDocument> {
public:
    XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    std::uint32_t AddRef() override { return ++refs_; }
    std::uint32_t Release() override;

    HRESULT loadXML(std::u16string_view xml, VARIANT_BOOL* ok) override;
    HRESULT put_async(VARIANT_BOOL async) override;
    HRESULT createElement(std::u16string_view tagName, IXMLDOMNode** element) override;
    HRESULT createAttribute(std::u16string_view name, IXMLDOMNode** attribute) override;
    HRESULT createTextNode(std::u16string_view text, IXMLDOMNode** node) override;

    // The node's one wrapper, with a new reference (the document itself for its own node).
    IXMLDOMNode* Wrap(XmlNodePtr node);
    // The libxml2 node behind a wrapper of this document's current tree, or null.
    XmlNodePtr Unwrap(IXMLDOMNode* node);
    void WrapperGone(XmlNodePtr node);

    // Bumped by every change of the tree, so lists know when their caches are stale.
    std::uint64_t Version() const { return version_; }
    void Changed() { ++version_; }
    _xmlDoc* Tree() { return tree_; }

    // Takes a node that left the tree (or never joined it); the document frees it last.
    void Adopt(XmlNodePtr node) { orphans_.insert(node); }
    void Disown(XmlNodePtr node) { orphans_.erase(node); }
    // Frees a detached subtree now unless a wrapper points into it.
    void Discard(XmlNodePtr node);

    // Node operations (node belongs to this document's current tree).
    HRESULT NodeName(XmlNodePtr node, std::u16string* name);
    HRESULT NodeText(XmlNodePtr node, std::u16string* text);
    HRESULT PutNodeText(XmlNodePtr node, std::u16string_view text);
    HRESULT NodeXml(XmlNodePtr node, std::u16string* xml);
    HRESULT HasChildren(XmlNodePtr node, VARIANT_BOOL* has);
    HRESULT ChildNodes(XmlNodePtr node, IXMLDOMNodeList** list);
    HRESULT Attributes(XmlNodePtr node, IXMLDOMNamedNodeMap** map);
    HRESULT ParentNode(XmlNodePtr node, IXMLDOMNode** parent);
    HRESULT AppendChild(XmlNodePtr node, IXMLDOMNode* newChild, IXMLDOMNode** outNewChild);
    HRESULT RemoveChild(XmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** oldChild);
    HRESULT SelectSingleNode(XmlNodePtr node, std::u16string_view xpath, IXMLDOMNode** found);
    HRESULT SetAttribute(XmlNodePtr node, std::u16string_view name, std::u16string_view value);
    HRESULT SetAttributeNode(XmlNodePtr node, IXMLDOMNode* attribute, IXMLDOMNode** replaced);
    HRESULT ElementsByTagName(XmlNodePtr node, std::u16string_view tagName, IXMLDOMNodeList** list);

private:
    ~XmlDocument();
    XmlDocument& Owner() override { return *this; }
    XmlNodePtr Self() override { return reinterpret_cast<XmlNodePtr>(tree_); }
    void ReplaceTree(_xmlDoc* tree);

    std::atomic<std::uint32_t> refs_{1};
    _xmlDoc* tree_ = nullptr;
    std::uint64_t version_ = 0;
    std::size_t wrappers_ = 0;
    std::unordered_set<XmlNodePtr> orphans_;
    std::vector<_xmlDoc*> retired_;  // replaced trees that wrappers may still reach
};

// A caller's view of one libxml2 node.
class XmlNode final : public XmlNodeFacade<IXMLDOMNode> {
public:
    XmlNode(XmlDocument& owner, XmlNodePtr node) : owner_(owner), node_(node) { owner_.AddRef(); }
    std::uint32_t AddRef() override { return ++refs_; }
    std::uint32_t Release() override;
    XmlDocument& Document() const { return owner_; }
    XmlNodePtr Node() const { return node_; }

private:
    ~XmlNode() = default;
    XmlDocument& Owner() override { return owner_; }
    XmlNodePtr Self() override { return node_; }

    std::atomic<std::uint32_t> refs_{1};
    XmlDocument& owner_;
    XmlNodePtr node_;
};

// List factories (xml_node_lists.cpp). A list keeps its parent's wrapper (or, for the
// document node, the document) alive; a null parent stands for the current document node.
IXMLDOMNodeList* NewChildList(XmlDocument& owner, XmlNodePtr parent);
IXMLDOMNamedNodeMap* NewAttributeMap(XmlDocument& owner, XmlNodePtr element);
IXMLDOMNodeList* NewTagList(XmlDocument& owner, XmlNodePtr root, std::string utf8Name);

// True when the node's qualified name ("prefix:local" or "local") is `qname`.
bool QualifiedNameIs(XmlNodePtr node, std::string_view qname);

// The node after `cur` in document order within `root`'s subtree, entering the children of
// elements only (not of DTDs or entity references). Iterative: trees may be deep.
//   for (XmlNodePtr n = root->children; n != nullptr; n = NextInSubtree(n, root)) ...
XmlNodePtr NextInSubtree(XmlNodePtr cur, XmlNodePtr root);

void EnsureLibxml();

}  // namespace TeskUtility::detail
