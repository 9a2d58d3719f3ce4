// teskutil xml: load an XML file through CXMLParser and print what the wrapper sees.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "file_bytes.h"
#include "output.h"
#include "tesk/host_xml.h"
#include "tesk/platform.h"
#include "tesk/settings_charset.h"

namespace {

// The wrapper takes ANSI text: files with a UTF-8 or UTF-16 byte-order mark are
// converted first, anything else is taken as ANSI already.
std::string AnsiText(const std::vector<unsigned char>& bytes) {
    const auto type = TeskUtility::ProbeCharset(bytes.data(), static_cast<int>(bytes.size()));
    const auto bom = static_cast<std::size_t>(TeskUtility::GetBOMLength(type));
    const std::string body(bytes.begin() + static_cast<std::ptrdiff_t>(bom), bytes.end());
    if (type == TeskUtility::CT_UTF8) return TeskUtility::Utf8ToAnsi(body);
    if (type == TeskUtility::CT_UTF16LE)
        return TeskUtility::WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(body.data()), body.size() / 2));
    return body;
}

std::vector<unsigned char> WholeFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    teskutil::ForEachChunk(path, [&](const unsigned char* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); });
    return bytes;
}

void PrintPairs(const char* heading, const CXMLParser::KeyValueQueue& pairs) {
    for (const auto& kv : pairs) teskutil::PrintAnsiLine(std::string(heading) + kv.key + " = " + kv.value);
}

int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(2, 3);
    const std::string& verb = pos[0];
    if (verb != "get" && verb != "query") throw teskutil::UsageError("unknown xml command: " + verb);
    if ((verb == "get") != (pos.size() == 2)) throw teskutil::UsageError("xml " + verb + ": wrong argument count");
    CXMLParser xml;
    if (!xml.LoadFromString(AnsiText(WholeFile(pos[1])).c_str())) {
        std::fprintf(stderr, "teskutil xml: %s: not a well-formed document, or refused (entities, depth)\n",
                     pos[1].c_str());
        return 1;
    }
    if (verb == "get") {
        CStringA text;
        xml.GetXML(text);
        std::fputs(teskutil::ForTerminal(text).c_str(), stdout);
        return 0;
    }
    const std::string tag = teskutil::RawOutput() ? pos[2] : TeskUtility::Utf8ToAnsi(pos[2]);
    IXMLDOMNode* node = nullptr;
    if (!xml.QuerySingleNodeByTag(tag.c_str(), &node)) {
        std::fprintf(stderr, "teskutil xml: no element %s\n", pos[2].c_str());
        return 1;
    }
    CStringA text;
    xml.QueryNodeValue(node, text);
    teskutil::PrintAnsiLine("text: " + text);
    CXMLParser::KeyValueQueue attributes, children;
    xml.QueryNodeAttributeKeyValue(node, attributes);
    xml.QueryChildNodeKeyValue(node, children);
    PrintPairs("@", attributes);
    PrintPairs("", children);
    node->Release();
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(xml, "xml get FILE | xml query FILE TAG",
                 "print a document as the XML wrapper writes it, or the first TAG's text, attributes and children", Run);
