// CXMLParser: the narrow-string operations, each a fixed sequence of DOM calls.
#include <new>

#include "settings/name_table.h"
#include "tesk/exceptions.h"
#include "tesk/host_xml.h"
#include "tesk/platform.h"

namespace {

// The DOM speaks UTF-16; a failed allocation on the way is the library's memory error.
std::u16string Wide(const char* text) {
    try {
        return TeskUtility::AnsiToWide(text != nullptr ? text : "");
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
}

std::string Narrow(const std::u16string& text) {
    try {
        return TeskUtility::WideToAnsi(text);
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
}

// Releases a DOM object at the end of a scope.
template <typename T>
struct Held {
    T* p = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (p != nullptr) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

}  // namespace

std::size_t CXMLParser::SKeyHash::operator()(const std::string& key) const { return TeskUtility::detail::HashName(key); }

CXMLParser::CXMLParser(const CXMLParser& other) : m_pXMLDoc(other.m_pXMLDoc) {
    if (m_pXMLDoc != nullptr) m_pXMLDoc->AddRef();
}

CXMLParser& CXMLParser::operator=(const CXMLParser& other) {
    if (other.m_pXMLDoc == m_pXMLDoc) return *this;
    if (other.m_pXMLDoc != nullptr) other.m_pXMLDoc->AddRef();
    DestroyXMLDocument();
    m_pXMLDoc = other.m_pXMLDoc;
    return *this;
}

CXMLParser::~CXMLParser() { DestroyXMLDocument(); }

int CXMLParser::CreateXMLDocument() {
    if (m_pXMLDoc != nullptr) return 0;
    return TeskUtility::CreateXMLDOMDocument(&m_pXMLDoc) == S_OK ? 1 : 0;
}

void CXMLParser::DestroyXMLDocument() {
    if (m_pXMLDoc != nullptr) m_pXMLDoc->Release();
    m_pXMLDoc = nullptr;
}

int CXMLParser::LoadFromString(const char* xml) {
    if (xml == nullptr || !CreateXMLDocument()) return 0;
    m_pXMLDoc->put_async(VARIANT_FALSE);
    VARIANT_BOOL ok = VARIANT_FALSE;
    if (m_pXMLDoc->loadXML(Wide(xml), &ok) == S_OK && ok == VARIANT_TRUE) return 1;
    DestroyXMLDocument();
    return 0;
}

int CXMLParser::GetXML(CStringA& xml) {
    if (m_pXMLDoc == nullptr) return 0;
    std::u16string text;
    const HRESULT hr = m_pXMLDoc->get_xml(&text);
    xml = Narrow(text);
    return hr == S_OK ? 1 : 0;
}

int CXMLParser::IsXMLDocumentEmpty() {
    if (m_pXMLDoc == nullptr) return 0;
    VARIANT_BOOL has = VARIANT_FALSE;
    return m_pXMLDoc->hasChildNodes(&has) == S_OK && has == VARIANT_TRUE ? 1 : 0;
}

int CXMLParser::QuerySingleNodeByTag(const char* tag, IXMLDOMNode** node) {
    if (tag == nullptr || node == nullptr || m_pXMLDoc == nullptr) return 0;
    return m_pXMLDoc->selectSingleNode(u"//" + Wide(tag), node) == S_OK && *node != nullptr ? 1 : 0;
}

int CXMLParser::QueryNodeListByTag(const char* tag, IXMLDOMNodeList** list) {
    if (tag == nullptr || list == nullptr || m_pXMLDoc == nullptr) return 0;
    m_pXMLDoc->getElementsByTagName(Wide(tag), list);
    return 1;
}

int CXMLParser::QueryNodeValue(IXMLDOMNode* node, CStringA& value) {
    if (node == nullptr) return 0;
    std::u16string text;
    if (node->get_text(&text) != S_OK) return 0;
    value = Narrow(text);
    return 1;
}

int CXMLParser::QueryAttributeValueByTag(IXMLDOMNode* node, const char* name, CStringA& value) {
    if (node == nullptr || name == nullptr) return 0;
    Held<IXMLDOMNamedNodeMap> map;
    Held<IXMLDOMNode> attribute;
    std::u16string text;
    if (node->get_attributes(&map) != S_OK || !map || map->getNamedItem(Wide(name), &attribute) != S_OK ||
        !attribute || attribute->get_text(&text) != S_OK)
        return 0;
    value = Narrow(text);
    return 1;
}

int CXMLParser::QueryNodeAttributeKeyValue(IXMLDOMNode* node, KeyValueQueue& pairs) {
    if (node == nullptr) return 0;
    Held<IXMLDOMNamedNodeMap> map;
    std::int32_t length = 0;
    if (node->get_attributes(&map) != S_OK || !map || map->get_length(&length) != S_OK) return 0;
    std::u16string name, text;
    for (std::int32_t i = 0; i < length; ++i) {
        Held<IXMLDOMNode> item;
        if (map->get_item(i, &item) != S_OK || !item || item->get_nodeName(&name) != S_OK ||
            item->get_text(&text) != S_OK)
            continue;
        pairs.push_back({Narrow(name), Narrow(text)});
    }
    return 1;
}

// Walks the children by index, handing each one that answers to `sink`.
template <typename Sink>
int CXMLParser::ForEachChild(IXMLDOMNode* node, Sink&& sink) {
    if (node == nullptr) return 0;
    Held<IXMLDOMNodeList> children;
    std::int32_t length = 0;
    if (node->get_childNodes(&children) != S_OK || !children || children->get_length(&length) != S_OK) return 0;
    for (std::int32_t i = 0; i < length; ++i) {
        Held<IXMLDOMNode> child;
        if (children->get_item(i, &child) == S_OK && child) sink(child.p);
    }
    return 1;
}

int CXMLParser::QueryChildNodeKeyValue(IXMLDOMNode* node, KeyValueQueue& pairs) {
    std::u16string name, text;
    return ForEachChild(node, [&](IXMLDOMNode* child) {
        if (child->get_nodeName(&name) == S_OK && child->get_text(&text) == S_OK)
            pairs.push_back({Narrow(name), Narrow(text)});
    });
}

int CXMLParser::QueryChildNodeKeyValue(IXMLDOMNode* node, KeyValueMultiMap& pairs) {
    std::u16string name, text;
    return ForEachChild(node, [&](IXMLDOMNode* child) {
        if (child->get_nodeName(&name) == S_OK && child->get_text(&text) == S_OK)
            pairs.emplace(Narrow(name), Narrow(text));
    });
}

int CXMLParser::QueryAllChildNodeAttribute(IXMLDOMNode* node, KeyValueQueue& pairs) {
    return ForEachChild(node, [&](IXMLDOMNode* child) {
        KeyValueQueue scratch;
        if (QueryNodeAttributeKeyValue(child, scratch))
            for (auto& kv : scratch) pairs.push_back(std::move(kv));
    });
}

int CXMLParser::CreateRootNode(IXMLDOMNode** root, const char* name) {
    if (root == nullptr || name == nullptr) return 0;
    if (m_pXMLDoc == nullptr) {
        if (!CreateXMLDocument()) return 0;
    } else {
        ClearXMLDocument();
    }
    std::u16string elementXml;
    {
        Held<IXMLDOMNode> element;
        if (m_pXMLDoc->createElement(Wide(name), &element) != S_OK || element->get_xml(&elementXml) != S_OK) return 0;
    }
    VARIANT_BOOL ok = VARIANT_FALSE;
    std::u16string documentXml;
    if (m_pXMLDoc->loadXML(elementXml, &ok) != S_OK || ok != VARIANT_TRUE || m_pXMLDoc->get_xml(&documentXml) != S_OK)
        return 0;
    Held<IXMLDOMNodeList> list;
    if (!QueryNodeListByTag(name, &list) || !list) return 0;
    return list->get_item(0, root) == S_OK && *root != nullptr ? 1 : 0;
}

int CXMLParser::CreatNode(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name, const char* text) {
    if (node == nullptr || parent == nullptr || name == nullptr || m_pXMLDoc == nullptr) return 0;
    Held<IXMLDOMNode> element;
    if (m_pXMLDoc->createElement(Wide(name), &element) != S_OK || parent->appendChild(element.p, node) != S_OK)
        return 0;
    if (text != nullptr) (*node)->put_text(Wide(text));
    return 1;
}

int CXMLParser::CreateAttribute(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name, const char* attributeName,
                                const char* attributeValue) {
    if (node == nullptr || parent == nullptr || name == nullptr || m_pXMLDoc == nullptr) return 0;
    Held<IXMLDOMNode> element;
    if (m_pXMLDoc->createElement(Wide(name), &element) != S_OK) return 0;
    element->setAttribute(Wide(attributeName), Wide(attributeValue));
    return parent->appendChild(element.p, node) == S_OK ? 1 : 0;
}

int CXMLParser::CreateAttribute(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name,
                                const KeyValueQueue& attributes) {
    if (node == nullptr || parent == nullptr || name == nullptr || m_pXMLDoc == nullptr) return 0;
    std::u16string documentXml;
    if (m_pXMLDoc->get_xml(&documentXml) != S_OK) return 0;
    Held<IXMLDOMNode> element;
    if (m_pXMLDoc->createElement(Wide(name), &element) != S_OK) return 0;
    for (const auto& kv : attributes) {
        Held<IXMLDOMNode> attribute;
        // A key that is no XML name makes no attribute; the others still do.
        if (m_pXMLDoc->createAttribute(Wide(kv.key.c_str()), &attribute) != S_OK) continue;
        attribute->put_text(Wide(kv.value.c_str()));
        element->setAttributeNode(attribute.p, nullptr);
    }
    return parent->appendChild(element.p, node) == S_OK ? 1 : 0;
}

int CXMLParser::AddNodeValue(IXMLDOMNode* node, const char* text) {
    if (node == nullptr || text == nullptr || m_pXMLDoc == nullptr) return 0;
    Held<IXMLDOMNode> textNode;
    return m_pXMLDoc->createTextNode(Wide(text), &textNode) == S_OK && node->appendChild(textNode.p, nullptr) == S_OK
               ? 1
               : 0;
}

int CXMLParser::ClearXMLDocument() {
    if (m_pXMLDoc == nullptr) return 0;
    Held<IXMLDOMNode> parent;
    if (m_pXMLDoc->get_parentNode(&parent) != S_OK || !parent) return 0;
    Held<IXMLDOMNode> removed;
    return m_pXMLDoc->removeChild(parent.p, &removed) == S_OK ? 1 : 0;
}
