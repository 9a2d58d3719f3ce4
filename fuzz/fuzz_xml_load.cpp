// Loads arbitrary bytes as a Big5 XML text, then serialises the document and
// walks it through the wrapper: no input may crash, hang, leak or expand
// without bound.
#include <cstdint>
#include <string>

#include "tesk/host_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CXMLParser xml;
    if (!xml.LoadFromString(text.c_str())) return 0;
    CStringA out;
    xml.GetXML(out);
    IXMLDOMNodeList* all = nullptr;
    xml.QueryNodeListByTag("*", &all);
    std::int32_t n = 0;
    all->get_length(&n);
    for (std::int32_t i = 0; i < n && i < 64; ++i) {
        IXMLDOMNode* node = nullptr;
        if (all->get_item(i, &node) != S_OK) continue;
        CXMLParser::KeyValueQueue pairs;
        xml.QueryChildNodeKeyValue(node, pairs);
        xml.QueryAllChildNodeAttribute(node, pairs);
        node->Release();
    }
    all->Release();
    // What the wrapper wrote must load again.
    CXMLParser again;
    if (!again.LoadFromString(out.c_str())) __builtin_trap();
    return 0;
}
