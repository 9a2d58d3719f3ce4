// Document lifetime, loading and node creation over libxml2.
#include "host/xml_document.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <mutex>
#include <new>

#include "host/xml_utf.h"

namespace TeskUtility {
namespace detail {
namespace {

struct LoadGuard {
    bool refused = false;
};

LoadGuard& GuardOf(void* ctx) { return *static_cast<LoadGuard*>(static_cast<xmlParserCtxtPtr>(ctx)->_private); }

// Any entity declaration ends the parse: that shuts out exponential expansion
// (billion laughs) and every external entity in one rule.
void RefuseEntityDecl(void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    GuardOf(ctx).refused = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}
void RefuseUnparsedEntityDecl(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*, const xmlChar*) {
    GuardOf(ctx).refused = true;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}
xmlParserInputPtr RefuseResolve(void*, const xmlChar*, const xmlChar*) { return nullptr; }
void IgnoreExternalSubset(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}
void Silent(void*, xmlErrorPtr) {}

// No network, no DTD loading, no entity substitution; whitespace between
// elements is dropped so that child lists hold the elements of indented files.
// The depth limit of libxml2 (256 without XML_PARSE_HUGE) stays in force.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                              XML_PARSE_IGNORE_ENC | XML_PARSE_NOXINCNODE;

xmlDocPtr ParseUtf8(const std::string& utf8) {
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (ctxt == nullptr) throw std::bad_alloc();
    LoadGuard guard;
    ctxt->_private = &guard;
    ctxt->sax->entityDecl = RefuseEntityDecl;
    ctxt->sax->unparsedEntityDecl = RefuseUnparsedEntityDecl;
    ctxt->sax->resolveEntity = RefuseResolve;
    ctxt->sax->externalSubset = IgnoreExternalSubset;
    ctxt->sax->serror = Silent;
    // The text is UTF-8 already: no encoding named, and IGNORE_ENC makes a declared one irrelevant.
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr, kParseOptions);
    if (doc != nullptr && guard.refused) {
        xmlFreeDoc(doc);
        doc = nullptr;
    }
    xmlFreeParserCtxt(ctxt);
    return doc;
}

xmlDocPtr NewEmptyTree() {
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    if (doc == nullptr) throw std::bad_alloc();
    return doc;
}

bool IsQualifiedName(const std::string& utf8) {
    return !utf8.empty() && xmlValidateQName(BAD_CAST utf8.c_str(), 0) == 0;
}

}  // namespace

void EnsureLibxml() {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

XmlDocument::XmlDocument() {
    EnsureLibxml();
    tree_ = NewEmptyTree();
    tree_->_private = static_cast<IXMLDOMNode*>(this);
}

XmlDocument::~XmlDocument() {
    // Orphans first: their names may live in the dictionary of a tree freed below.
    for (XmlNodePtr n : orphans_) xmlFreeNode(n);
    for (xmlDocPtr d : retired_) xmlFreeDoc(d);
    xmlFreeDoc(tree_);
}

std::uint32_t XmlDocument::Release() {
    const std::uint32_t left = --refs_;
    if (left == 0) delete this;
    return left;
}

void XmlDocument::ReplaceTree(xmlDocPtr tree) {
    xmlDocPtr old = tree_;
    old->_private = nullptr;
    if (wrappers_ == 0) {
        for (XmlNodePtr n : orphans_) xmlFreeNode(n);
        orphans_.clear();
        xmlFreeDoc(old);
    } else {
        retired_.push_back(old);
    }
    tree_ = tree;
    tree_->_private = static_cast<IXMLDOMNode*>(this);
    Changed();
}

HRESULT XmlDocument::loadXML(std::u16string_view xml, VARIANT_BOOL* ok) {
    if (ok != nullptr) *ok = VARIANT_FALSE;
    xmlDocPtr parsed = ParseUtf8(ToUtf8(xml));
    retired_.reserve(retired_.size() + 1);
    ReplaceTree(parsed != nullptr ? parsed : NewEmptyTree());
    if (parsed == nullptr) return S_FALSE;
    if (ok != nullptr) *ok = VARIANT_TRUE;
    return S_OK;
}

HRESULT XmlDocument::put_async(VARIANT_BOOL) { return S_OK; }

HRESULT XmlDocument::createElement(std::u16string_view tagName, IXMLDOMNode** element) {
    if (element == nullptr) return E_POINTER;
    *element = nullptr;
    const std::string name = ToUtf8(tagName);
    if (!IsQualifiedName(name)) return E_FAIL;
    XmlNodePtr node = xmlNewDocNode(tree_, nullptr, BAD_CAST name.c_str(), nullptr);
    if (node == nullptr) return E_OUTOFMEMORY;
    Adopt(node);
    *element = Wrap(node);
    return S_OK;
}

HRESULT XmlDocument::createAttribute(std::u16string_view name, IXMLDOMNode** attribute) {
    if (attribute == nullptr) return E_POINTER;
    *attribute = nullptr;
    const std::string utf8 = ToUtf8(name);
    if (!IsQualifiedName(utf8)) return E_FAIL;
    xmlAttrPtr attr = xmlNewDocProp(tree_, BAD_CAST utf8.c_str(), nullptr);
    if (attr == nullptr) return E_OUTOFMEMORY;
    Adopt(reinterpret_cast<XmlNodePtr>(attr));
    *attribute = Wrap(reinterpret_cast<XmlNodePtr>(attr));
    return S_OK;
}

HRESULT XmlDocument::createTextNode(std::u16string_view text, IXMLDOMNode** node) {
    if (node == nullptr) return E_POINTER;
    *node = nullptr;
    XmlNodePtr t = xmlNewDocText(tree_, BAD_CAST ToUtf8(text).c_str());
    if (t == nullptr) return E_OUTOFMEMORY;
    Adopt(t);
    *node = Wrap(t);
    return S_OK;
}

IXMLDOMNode* XmlDocument::Wrap(XmlNodePtr node) {
    if (node == nullptr) return nullptr;
    if (node->type == XML_DOCUMENT_NODE || node->type == XML_HTML_DOCUMENT_NODE) {
        if (node != reinterpret_cast<XmlNodePtr>(tree_)) return nullptr;  // a replaced tree has no document node
        AddRef();
        return this;
    }
    if (node->_private != nullptr) {
        auto* wrapper = static_cast<IXMLDOMNode*>(node->_private);
        wrapper->AddRef();
        return wrapper;
    }
    auto* wrapper = new XmlNode(*this, node);
    node->_private = static_cast<IXMLDOMNode*>(wrapper);
    ++wrappers_;
    return wrapper;
}

XmlNodePtr XmlDocument::Unwrap(IXMLDOMNode* node) {
    if (node == nullptr) return nullptr;
    if (node == static_cast<IXMLDOMNode*>(this)) return reinterpret_cast<XmlNodePtr>(tree_);
    // A wrapper of ours is the one its node points back to; nodes of other documents or
    // of a replaced tree do not count.
    auto* mine = dynamic_cast<XmlNode*>(node);
    if (mine == nullptr) return nullptr;
    XmlNodePtr n = mine->Node();
    if (&mine->Document() != this || n->doc != tree_) return nullptr;
    return n;
}

void XmlDocument::WrapperGone(XmlNodePtr node) {
    node->_private = nullptr;
    --wrappers_;
}

namespace {

bool SelfOrAttributeWrapped(XmlNodePtr n) {
    if (n->_private != nullptr) return true;
    if (n->type == XML_ATTRIBUTE_NODE) {
        for (XmlNodePtr t = n->children; t != nullptr; t = t->next)
            if (t->_private != nullptr) return true;
    }
    if (n->type != XML_ELEMENT_NODE) return false;
    for (xmlAttrPtr a = n->properties; a != nullptr; a = a->next)
        if (SelfOrAttributeWrapped(reinterpret_cast<XmlNodePtr>(a))) return true;
    return false;
}

// True when any node of the subtree (attributes included) has a wrapper.
bool AnyWrapped(XmlNodePtr root) {
    if (SelfOrAttributeWrapped(root)) return true;
    for (XmlNodePtr n = root->children; n != nullptr; n = NextInSubtree(n, root))
        if (SelfOrAttributeWrapped(n)) return true;
    return false;
}

}  // namespace

void XmlDocument::Discard(XmlNodePtr node) {
    if (AnyWrapped(node))
        Adopt(node);
    else
        xmlFreeNode(node);
}

}  // namespace detail

HRESULT CreateXMLDOMDocument(IXMLDOMDocument** document) {
    if (document == nullptr) return E_POINTER;
    *document = new detail::XmlDocument();
    return S_OK;
}

}  // namespace TeskUtility
