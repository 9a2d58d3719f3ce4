// The node operations of the DOM over libxml2. Children are linked by hand:
// xmlAddChild merges adjacent text nodes and frees the one added, which would
// pull a node out from under its wrapper.
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <libxml/xpath.h>

#include <cstring>

#include "host/xml_document.h"
#include "host/xml_utf.h"

namespace TeskUtility::detail {
namespace {

bool IsContainer(XmlNodePtr n) {
    return n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE || n->type == XML_DOCUMENT_FRAG_NODE;
}

// Appends the text of every text and CDATA descendant of `root`, in document order.
void AppendDescendantText(XmlNodePtr root, std::string& out) {
    for (XmlNodePtr cur = root->children; cur != nullptr; cur = NextInSubtree(cur, root))
        if ((cur->type == XML_TEXT_NODE || cur->type == XML_CDATA_SECTION_NODE) && cur->content != nullptr)
            out += reinterpret_cast<const char*>(cur->content);
}

void LinkLast(XmlNodePtr parent, XmlNodePtr child) {
    child->parent = parent;
    child->next = nullptr;
    child->prev = parent->last;
    if (parent->last != nullptr)
        parent->last->next = child;
    else
        parent->children = child;
    parent->last = child;
}

void LinkLastAttribute(XmlNodePtr element, xmlAttrPtr attr) {
    attr->parent = element;
    attr->next = nullptr;
    attr->prev = nullptr;
    if (element->properties == nullptr) {
        element->properties = attr;
        return;
    }
    xmlAttrPtr last = element->properties;
    while (last->next != nullptr) last = last->next;
    last->next = attr;
    attr->prev = last;
}

// Puts `attr` where `old` was among the element's attributes; `old` leaves the element.
void ReplaceAttribute(xmlAttrPtr old, xmlAttrPtr attr) {
    XmlNodePtr element = old->parent;
    attr->parent = element;
    attr->prev = old->prev;
    attr->next = old->next;
    if (old->prev != nullptr)
        old->prev->next = attr;
    else
        element->properties = attr;
    if (old->next != nullptr) old->next->prev = attr;
    old->parent = nullptr;
    old->prev = old->next = nullptr;
}

xmlAttrPtr FindAttribute(XmlNodePtr element, std::string_view qname) {
    for (xmlAttrPtr a = element->properties; a != nullptr; a = a->next)
        if (QualifiedNameIs(reinterpret_cast<XmlNodePtr>(a), qname)) return a;
    return nullptr;
}

bool HasElementChild(XmlNodePtr n) {
    for (XmlNodePtr c = n->children; c != nullptr; c = c->next)
        if (c->type == XML_ELEMENT_NODE) return true;
    return false;
}

void Silent(void*, xmlErrorPtr) {}

// Bounds the work of one XPath evaluation; "//tag" over a large document stays far below.
constexpr unsigned long kXPathOpLimit = 100'000'000;

}  // namespace

XmlNodePtr NextInSubtree(XmlNodePtr cur, XmlNodePtr root) {
    if (cur->type == XML_ELEMENT_NODE && cur->children != nullptr) return cur->children;
    while (cur->next == nullptr) {
        cur = cur->parent;
        if (cur == root || cur == nullptr) return nullptr;
    }
    return cur->next;
}

bool QualifiedNameIs(XmlNodePtr node, std::string_view qname) {
    const char* local = reinterpret_cast<const char*>(node->name);
    if (local == nullptr) return false;
    const xmlNs* ns = (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) ? node->ns : nullptr;
    if (ns != nullptr && ns->prefix != nullptr) {
        const std::string_view prefix(reinterpret_cast<const char*>(ns->prefix));
        if (qname.size() <= prefix.size() || qname.substr(0, prefix.size()) != prefix || qname[prefix.size()] != ':')
            return false;
        qname.remove_prefix(prefix.size() + 1);
    }
    return qname == local;
}

HRESULT XmlDocument::NodeName(XmlNodePtr node, std::u16string* name) {
    if (name == nullptr) return E_POINTER;
    switch (node->type) {
        case XML_TEXT_NODE: *name = u"#text"; return S_OK;
        case XML_CDATA_SECTION_NODE: *name = u"#cdata-section"; return S_OK;
        case XML_COMMENT_NODE: *name = u"#comment"; return S_OK;
        case XML_DOCUMENT_NODE:
        case XML_HTML_DOCUMENT_NODE: *name = u"#document"; return S_OK;
        case XML_DOCUMENT_FRAG_NODE: *name = u"#document-fragment"; return S_OK;
        default: break;
    }
    const xmlNs* ns = (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) ? node->ns : nullptr;
    if (ns != nullptr && ns->prefix != nullptr) {
        std::string q(reinterpret_cast<const char*>(ns->prefix));
        q += ':';
        q += reinterpret_cast<const char*>(node->name);
        *name = FromUtf8(BAD_CAST q.c_str());
    } else {
        *name = FromUtf8(node->name);
    }
    return S_OK;
}

HRESULT XmlDocument::NodeText(XmlNodePtr node, std::u16string* text) {
    if (text == nullptr) return E_POINTER;
    std::string utf8;
    switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE:
            if (node->content != nullptr) utf8 = reinterpret_cast<const char*>(node->content);
            break;
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE:
        case XML_DOCUMENT_NODE:
        case XML_HTML_DOCUMENT_NODE:
        case XML_DOCUMENT_FRAG_NODE: AppendDescendantText(node, utf8); break;
        default: break;
    }
    *text = FromUtf8(BAD_CAST utf8.c_str());
    return S_OK;
}

HRESULT XmlDocument::PutNodeText(XmlNodePtr node, std::u16string_view text) {
    const std::string utf8 = ToUtf8(text);
    switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE: xmlNodeSetContent(node, BAD_CAST utf8.c_str()); break;
        case XML_ELEMENT_NODE:
        case XML_ATTRIBUTE_NODE: {
            while (node->children != nullptr) {
                XmlNodePtr c = node->children;
                xmlUnlinkNode(c);
                Discard(c);
            }
            if (!utf8.empty()) {
                XmlNodePtr t = xmlNewDocText(node->doc, BAD_CAST utf8.c_str());
                if (t == nullptr) return E_OUTOFMEMORY;
                LinkLast(node, t);
            }
            break;
        }
        default: return E_FAIL;
    }
    Changed();
    return S_OK;
}

HRESULT XmlDocument::NodeXml(XmlNodePtr node, std::u16string* xml) {
    if (xml == nullptr) return E_POINTER;
    xmlBufferPtr buf = xmlBufferCreate();
    if (buf == nullptr) return E_OUTOFMEMORY;
    // UTF-8 named explicitly: without an encoding libxml2 writes non-ASCII as character references.
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buf, "UTF-8", XML_SAVE_NO_DECL | XML_SAVE_AS_XML);
    if (save == nullptr) {
        xmlBufferFree(buf);
        return E_OUTOFMEMORY;
    }
    const long rc = xmlSaveTree(save, node);
    xmlSaveClose(save);
    const char* out = reinterpret_cast<const char*>(xmlBufferContent(buf));
    std::string_view text(out != nullptr ? out : "");
    if (node->type == XML_ATTRIBUTE_NODE && !text.empty() && text.front() == ' ') text.remove_prefix(1);
    *xml = Utf8ToWide(text);
    xmlBufferFree(buf);
    return rc < 0 ? E_FAIL : S_OK;
}

HRESULT XmlDocument::HasChildren(XmlNodePtr node, VARIANT_BOOL* has) {
    if (has == nullptr) return E_POINTER;
    const bool any = (IsContainer(node) || node->type == XML_ATTRIBUTE_NODE) && node->children != nullptr;
    *has = any ? VARIANT_TRUE : VARIANT_FALSE;
    return any ? S_OK : S_FALSE;
}

HRESULT XmlDocument::ChildNodes(XmlNodePtr node, IXMLDOMNodeList** list) {
    if (list == nullptr) return E_POINTER;
    *list = NewChildList(*this, node);
    return S_OK;
}

HRESULT XmlDocument::Attributes(XmlNodePtr node, IXMLDOMNamedNodeMap** map) {
    if (map == nullptr) return E_POINTER;
    *map = nullptr;
    if (node->type != XML_ELEMENT_NODE) return S_FALSE;
    *map = NewAttributeMap(*this, node);
    return S_OK;
}

HRESULT XmlDocument::ParentNode(XmlNodePtr node, IXMLDOMNode** parent) {
    if (parent == nullptr) return E_POINTER;
    *parent = node->type == XML_ATTRIBUTE_NODE ? nullptr : Wrap(node->parent);
    return *parent != nullptr ? S_OK : S_FALSE;
}

HRESULT XmlDocument::AppendChild(XmlNodePtr node, IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) {
    if (outNewChild != nullptr) *outNewChild = nullptr;
    if (newChild == nullptr) return E_INVALIDARG;
    XmlNodePtr child = Unwrap(newChild);
    if (child == nullptr || node->doc != tree_) return E_INVALIDARG;
    switch (child->type) {
        case XML_ELEMENT_NODE:
        case XML_COMMENT_NODE:
        case XML_PI_NODE: break;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            if (node->type == XML_DOCUMENT_NODE) return E_FAIL;  // no text beside the document element
            break;
        default: return E_FAIL;
    }
    if (!IsContainer(node)) return E_FAIL;
    if (node->type == XML_DOCUMENT_NODE && child->type == XML_ELEMENT_NODE && child->parent != node &&
        HasElementChild(node))
        return E_FAIL;  // one document element
    for (XmlNodePtr up = node; up != nullptr; up = up->parent)
        if (up == child) return E_FAIL;  // would hang a node below itself
    if (child->parent != nullptr)
        xmlUnlinkNode(child);
    else
        Disown(child);
    LinkLast(node, child);
    Changed();
    if (outNewChild != nullptr) *outNewChild = Wrap(child);
    return S_OK;
}

HRESULT XmlDocument::RemoveChild(XmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** oldChild) {
    if (oldChild != nullptr) *oldChild = nullptr;
    XmlNodePtr c = Unwrap(child);
    if (c == nullptr || c->type == XML_ATTRIBUTE_NODE || c->parent != node) return E_INVALIDARG;
    xmlUnlinkNode(c);
    Adopt(c);
    Changed();
    if (oldChild != nullptr) *oldChild = Wrap(c);
    return S_OK;
}

HRESULT XmlDocument::SelectSingleNode(XmlNodePtr node, std::u16string_view xpath, IXMLDOMNode** found) {
    if (found == nullptr) return E_POINTER;
    *found = nullptr;
    xmlXPathContextPtr ctx = xmlXPathNewContext(node->doc);
    if (ctx == nullptr) return E_OUTOFMEMORY;
    ctx->node = node;
    ctx->error = Silent;
    ctx->opLimit = kXPathOpLimit;
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST ToUtf8(xpath).c_str(), ctx);
    HRESULT hr = E_FAIL;
    if (result != nullptr && result->type == XPATH_NODESET) {
        hr = S_FALSE;
        const xmlNodeSet* set = result->nodesetval;
        for (int i = 0; set != nullptr && i < set->nodeNr; ++i) {
            // Namespace nodes of XPath are copies, not tree nodes.
            if (set->nodeTab[i]->type == XML_NAMESPACE_DECL) continue;
            *found = Wrap(set->nodeTab[i]);
            if (*found != nullptr) hr = S_OK;
            break;
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(ctx);
    return hr;
}

HRESULT XmlDocument::SetAttribute(XmlNodePtr node, std::u16string_view name, std::u16string_view value) {
    if (node->type != XML_ELEMENT_NODE) return E_FAIL;
    const std::string qname = ToUtf8(name);
    if (qname.empty() || xmlValidateQName(BAD_CAST qname.c_str(), 0) != 0) return E_FAIL;
    xmlAttrPtr attr = FindAttribute(node, qname);
    if (attr == nullptr) {
        attr = xmlNewDocProp(node->doc, BAD_CAST qname.c_str(), nullptr);
        if (attr == nullptr) return E_OUTOFMEMORY;
        LinkLastAttribute(node, attr);
    }
    return PutNodeText(reinterpret_cast<XmlNodePtr>(attr), value);
}

HRESULT XmlDocument::SetAttributeNode(XmlNodePtr node, IXMLDOMNode* attribute, IXMLDOMNode** replaced) {
    if (replaced != nullptr) *replaced = nullptr;
    if (node->type != XML_ELEMENT_NODE || node->doc != tree_) return E_FAIL;
    XmlNodePtr a = Unwrap(attribute);
    if (a == nullptr || a->type != XML_ATTRIBUTE_NODE) return E_INVALIDARG;
    if (a->parent == node) return S_OK;
    if (a->parent != nullptr) return E_FAIL;  // still set on another element
    std::u16string qname;
    NodeName(a, &qname);
    xmlAttrPtr old = FindAttribute(node, ToUtf8(qname));
    Disown(a);
    if (old != nullptr) {
        ReplaceAttribute(old, reinterpret_cast<xmlAttrPtr>(a));
        Adopt(reinterpret_cast<XmlNodePtr>(old));
        if (replaced != nullptr) *replaced = Wrap(reinterpret_cast<XmlNodePtr>(old));
    } else {
        LinkLastAttribute(node, reinterpret_cast<xmlAttrPtr>(a));
    }
    Changed();
    return S_OK;
}

HRESULT XmlDocument::ElementsByTagName(XmlNodePtr node, std::u16string_view tagName, IXMLDOMNodeList** list) {
    if (list == nullptr) return E_POINTER;
    *list = nullptr;
    if (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE) return E_FAIL;
    *list = NewTagList(*this, node, ToUtf8(tagName));
    return S_OK;
}

std::uint32_t XmlNode::Release() {
    const std::uint32_t left = --refs_;
    if (left == 0) {
        XmlDocument& owner = owner_;
        owner.WrapperGone(node_);
        delete this;
        owner.Release();
    }
    return left;
}

// ---- the facade: every node operation goes to the owning document ----------------

template <typename I> HRESULT XmlNodeFacade<I>::get_nodeName(std::u16string* n) { return Owner().NodeName(Self(), n); }
template <typename I> HRESULT XmlNodeFacade<I>::get_text(std::u16string* t) { return Owner().NodeText(Self(), t); }
template <typename I> HRESULT XmlNodeFacade<I>::put_text(std::u16string_view t) { return Owner().PutNodeText(Self(), t); }
template <typename I> HRESULT XmlNodeFacade<I>::get_xml(std::u16string* x) { return Owner().NodeXml(Self(), x); }
template <typename I> HRESULT XmlNodeFacade<I>::hasChildNodes(VARIANT_BOOL* h) { return Owner().HasChildren(Self(), h); }
template <typename I> HRESULT XmlNodeFacade<I>::get_childNodes(IXMLDOMNodeList** l) { return Owner().ChildNodes(Self(), l); }
template <typename I>
HRESULT XmlNodeFacade<I>::get_attributes(IXMLDOMNamedNodeMap** m) { return Owner().Attributes(Self(), m); }
template <typename I> HRESULT XmlNodeFacade<I>::get_parentNode(IXMLDOMNode** p) { return Owner().ParentNode(Self(), p); }
template <typename I>
HRESULT XmlNodeFacade<I>::appendChild(IXMLDOMNode* c, IXMLDOMNode** out) { return Owner().AppendChild(Self(), c, out); }
template <typename I>
HRESULT XmlNodeFacade<I>::removeChild(IXMLDOMNode* c, IXMLDOMNode** out) { return Owner().RemoveChild(Self(), c, out); }
template <typename I>
HRESULT XmlNodeFacade<I>::selectSingleNode(std::u16string_view x, IXMLDOMNode** n) {
    return Owner().SelectSingleNode(Self(), x, n);
}
template <typename I>
HRESULT XmlNodeFacade<I>::setAttribute(std::u16string_view n, std::u16string_view v) {
    return Owner().SetAttribute(Self(), n, v);
}
template <typename I>
HRESULT XmlNodeFacade<I>::setAttributeNode(IXMLDOMNode* a, IXMLDOMNode** r) {
    return Owner().SetAttributeNode(Self(), a, r);
}
template <typename I>
HRESULT XmlNodeFacade<I>::getElementsByTagName(std::u16string_view t, IXMLDOMNodeList** l) {
    return Owner().ElementsByTagName(Self(), t, l);
}

template class XmlNodeFacade<IXMLDOMNode>;
template class XmlNodeFacade<IXMLDOMDocument>;

}  // namespace TeskUtility::detail
