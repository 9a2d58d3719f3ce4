// CXMLParser: one XML document behind narrow-string operations. Texts cross
// the calling thread's ANSI code page both ways; what it cannot hold becomes '?'.
//
//   CXMLParser xml;
//   if (xml.LoadFromString("<a><b k=\"v\">1</b></a>")) {
//       IXMLDOMNode* b = nullptr;
//       if (xml.QuerySingleNodeByTag("b", &b)) {
//           CStringA text; xml.QueryNodeValue(b, text);                 // "1"
//           std::deque<CXMLParser::SKeyValue> attrs;
//           xml.QueryNodeAttributeKeyValue(b, attrs);                    // {"k", "v"}
//           b->Release();
//       }
//   }
//
// Nodes and lists come back with one reference for the caller to Release(); a
// node keeps its document alive after the parser is gone. Copies share one
// document. An object is used on one thread.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <unordered_map>

#include "tesk/host_xml_dom.h"
#include "tesk/types.h"

class CXMLParser {
public:
    struct SKeyValue {
        CStringA key;
        CStringA value;
    };
    // The setting store's hash: h = h * 5 + each byte as a signed number.
    struct SKeyHash {
        std::size_t operator()(const std::string& key) const;
    };
    using KeyValueQueue = std::deque<SKeyValue>;
    using KeyValueMultiMap = std::unordered_multimap<std::string, std::string, SKeyHash>;

    CXMLParser() = default;
    CXMLParser(const CXMLParser& other);
    CXMLParser& operator=(const CXMLParser& other);
    virtual ~CXMLParser();

    // 1 when the text loads; 0 for a null text, an existing document or text that does not load.
    int LoadFromString(const char* xml);
    int GetXML(CStringA& xml);
    // 1 when the document has child nodes.
    int IsXMLDocumentEmpty();

    // The first element of that name anywhere in the document (XPath "//tag").
    int QuerySingleNodeByTag(const char* tag, IXMLDOMNode** node);
    int QueryNodeListByTag(const char* tag, IXMLDOMNodeList** list);

    int QueryNodeValue(IXMLDOMNode* node, CStringA& value);
    int QueryAttributeValueByTag(IXMLDOMNode* node, const char* name, CStringA& value);
    // These append to the collection; they never empty it first.
    int QueryNodeAttributeKeyValue(IXMLDOMNode* node, KeyValueQueue& pairs);
    int QueryChildNodeKeyValue(IXMLDOMNode* node, KeyValueQueue& pairs);
    int QueryChildNodeKeyValue(IXMLDOMNode* node, KeyValueMultiMap& pairs);
    int QueryAllChildNodeAttribute(IXMLDOMNode* node, KeyValueQueue& pairs);

    // Makes (or replaces the content with) a document of one empty element.
    int CreateRootNode(IXMLDOMNode** root, const char* name);
    int CreatNode(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name, const char* text);
    int CreateAttribute(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name, const char* attributeName,
                        const char* attributeValue);
    int CreateAttribute(IXMLDOMNode** node, IXMLDOMNode* parent, const char* name, const KeyValueQueue& attributes);
    int AddNodeValue(IXMLDOMNode* node, const char* text);
    // Removes the document's parent from the document; a document has none, so this answers 0.
    int ClearXMLDocument();

private:
    int CreateXMLDocument();
    void DestroyXMLDocument();
    template <typename Sink>
    int ForEachChild(IXMLDOMNode* node, Sink&& sink);

    IXMLDOMDocument* m_pXMLDoc = nullptr;
};
