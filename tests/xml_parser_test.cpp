#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

#include "tesk/host_xml.h"
#include "tesk/platform.h"

namespace {

// Releases a DOM object at the end of a test scope.
template <typename T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p != nullptr) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// A document loaded from text, for a Ref to release.
IXMLDOMDocument* Doc(std::u16string_view text) {
    IXMLDOMDocument* doc = nullptr;
    EXPECT_EQ(TeskUtility::CreateXMLDOMDocument(&doc), S_OK);
    EXPECT_EQ(doc->loadXML(text, nullptr), S_OK);
    return doc;
}

std::int32_t Length(IXMLDOMNodeList* list) {
    std::int32_t n = -1;
    list->get_length(&n);
    return n;
}

// The tree below a node as "name(child,child)" with texts quoted: compares structure, not serialised text.
std::string Shape(IXMLDOMNode* node) {
    std::u16string name, text;
    node->get_nodeName(&name);
    std::string out = TeskUtility::WideToUtf8(name);
    Ref<IXMLDOMNodeList> kids;
    node->get_childNodes(&kids);
    const std::int32_t n = Length(kids.p);
    if (n == 0) {
        node->get_text(&text);
        return out + "'" + TeskUtility::WideToUtf8(text) + "'";
    }
    for (std::int32_t i = 0; i < n; ++i) {
        Ref<IXMLDOMNode> c;
        kids->get_item(i, &c);
        out += i ? ',' : '(';
        out += Shape(c.p);
    }
    return out + ")";
}

// What the wrapper hands back, or "!" when it answers 0.
std::string Xml(CXMLParser& xml) {
    CStringA s;
    return xml.GetXML(s) ? s : "!";
}
std::string Value(CXMLParser& xml, IXMLDOMNode* node) {
    CStringA s;
    return xml.QueryNodeValue(node, s) ? s : "!";
}
std::string Attr(CXMLParser& xml, IXMLDOMNode* node, const char* name) {
    CStringA s;
    return xml.QueryAttributeValueByTag(node, name, s) ? s : "!";
}

TEST(XMLParser, LoadsOnceAndRefusedTextLeavesNoDocument) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<d>";
    const std::pair<const char*, const char*> cases[] = {
        {"null", nullptr},
        {"malformed", "<a><b></a>"},
        {"billion_laughs",
         "<!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
         "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">"
         "<!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\"><!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\">]>"
         "<l a=\"&h;\">&h;</l>"},
        {"external_file", "<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>"},
        {"unparsed_entity", "<!DOCTYPE a [<!NOTATION n SYSTEM \"n\"><!ENTITY x SYSTEM \"x\" NDATA n>]><a/>"},
        {"parameter_entity", "<!DOCTYPE a [<!ENTITY % p SYSTEM \"file:///etc/passwd\"> %p;]><a/>"},
        {"deep_nesting", deep.c_str()},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        const auto start = std::chrono::steady_clock::now();
        CXMLParser xml;
        EXPECT_EQ(xml.LoadFromString(text), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(Xml(xml), "!");  // no document kept
        EXPECT_EQ(xml.LoadFromString("<a><b>1</b></a>"), 1);
        EXPECT_EQ(xml.LoadFromString("<c/>"), 0);
        EXPECT_EQ(Xml(xml), "<a><b>1</b></a>\n");
        EXPECT_EQ(xml.IsXMLDocumentEmpty(), 1);
    }
}

TEST(XMLParser, FindsNodesAndReadsTextsAttributesAndChildren) {
    CXMLParser xml;
    ASSERT_EQ(xml.LoadFromString("<r>\n  <x k=\"1\" j=\"2\">t<!--c--><y>u</y><![CDATA[<v>]]></x>\n"
                                 "  <x k=\"3\"/>\n  <z>w</z>\n</r>"),
              1);
    Ref<IXMLDOMNode> x, r, none;
    ASSERT_EQ(xml.QuerySingleNodeByTag("x", &x), 1);
    ASSERT_EQ(xml.QuerySingleNodeByTag("r", &r), 1);
    EXPECT_EQ(xml.QuerySingleNodeByTag("missing", &none), 0);
    EXPECT_EQ(xml.QuerySingleNodeByTag("bad[", &none), 0);
    EXPECT_EQ(xml.QuerySingleNodeByTag(nullptr, &none), 0);

    EXPECT_EQ(Value(xml, x.p), "tu<v>");  // text and CDATA descendants, not comments
    EXPECT_EQ(Value(xml, nullptr), "!");
    EXPECT_EQ(Attr(xml, x.p, "j"), "2");
    EXPECT_EQ(Attr(xml, x.p, "q"), "!");
    EXPECT_EQ(Attr(xml, x.p, nullptr), "!");

    CXMLParser::KeyValueQueue pairs;  // each query appends
    EXPECT_EQ(xml.QueryNodeAttributeKeyValue(x.p, pairs), 1);
    EXPECT_EQ(xml.QueryChildNodeKeyValue(x.p, pairs), 1);
    EXPECT_EQ(xml.QueryAllChildNodeAttribute(r.p, pairs), 1);  // whitespace between elements is gone
    EXPECT_EQ(xml.QueryChildNodeKeyValue(nullptr, pairs), 0);
    std::string all;
    for (const auto& kv : pairs) all += kv.key + "=" + kv.value + ";";
    EXPECT_EQ(all, "k=1;j=2;#text=t;#comment=c;y=u;#cdata-section=<v>;k=1;j=2;k=3;");

    CXMLParser::KeyValueMultiMap map;
    EXPECT_EQ(xml.QueryChildNodeKeyValue(r.p, map), 1);
    EXPECT_EQ(map.count("x"), 2u);
    EXPECT_EQ(map.find("z")->second, "w");
    EXPECT_EQ(CXMLParser::SKeyHash{}("\xA4"), static_cast<std::size_t>(static_cast<std::uint32_t>(-92)));
}

TEST(XMLParser, BuildsADocumentFromTheRoot) {
    CXMLParser xml;
    Ref<IXMLDOMNode> root, child, attr, attrs, leaf, root2;
    EXPECT_EQ(xml.CreateRootNode(&root, "1bad"), 0);
    ASSERT_EQ(xml.CreateRootNode(&root, "root"), 1);
    EXPECT_EQ(Xml(xml), "<root/>\n");
    EXPECT_EQ(xml.ClearXMLDocument(), 0);  // a document has no parent to remove

    ASSERT_EQ(xml.CreatNode(&child, root.p, "item", "a<b&c"), 1);
    ASSERT_EQ(xml.CreateAttribute(&attr, root.p, "one", "k", "v\"1"), 1);
    CXMLParser::KeyValueQueue list = {{"p", "1"}, {"bad name", "x"}, {"q", "2"}, {"p", "3"}};
    ASSERT_EQ(xml.CreateAttribute(&attrs, root.p, "many", list), 1);
    EXPECT_EQ(xml.AddNodeValue(child.p, "+d"), 1);
    EXPECT_EQ(xml.CreatNode(&leaf, root.p, "no good", nullptr), 0);
    EXPECT_EQ(xml.CreatNode(nullptr, root.p, "x", nullptr), 0);
    EXPECT_EQ(xml.AddNodeValue(nullptr, "x"), 0);

    EXPECT_EQ(Xml(xml),
              "<root><item>a&lt;b&amp;c+d</item><one k=\"v&quot;1\"/><many p=\"3\" q=\"2\"/></root>\n");
    EXPECT_EQ(Shape(root.p), "root(item(#text'a<b&c',#text'+d'),one'',many'')");

    // A second root replaces the content; nodes of the old content stay usable.
    ASSERT_EQ(xml.CreateRootNode(&root2, "fresh"), 1);
    EXPECT_EQ(Xml(xml), "<fresh/>\n");
    EXPECT_EQ(Value(xml, child.p), "a<b&c+d");
}

TEST(XMLParser, CopiesShareOneDocumentAndNodesOutliveIt) {
    Ref<IXMLDOMNode> b, parent, added;
    {
        CXMLParser first;
        ASSERT_EQ(first.LoadFromString("<a><b>1</b></a>"), 1);
        CXMLParser copy(first);
        CXMLParser assigned;
        assigned = copy;
        assigned = assigned;
        ASSERT_EQ(copy.QuerySingleNodeByTag("b", &b), 1);
        ASSERT_EQ(assigned.CreatNode(&added, b.p, "c", "2"), 1);
        EXPECT_EQ(Xml(first), "<a><b>1<c>2</c></b></a>\n");
    }
    CXMLParser reader;
    EXPECT_EQ(Value(reader, b.p), "12");
    ASSERT_EQ(b->get_parentNode(&parent), S_OK);
    EXPECT_EQ(Shape(parent.p), "a(b(#text'1',c(#text'2')))");
}

TEST(XMLParser, TextsCrossTheThreadCodePage) {
    CXMLParser xml;
    // Big5 in: U+4E2D and the full-width space. U+0100 and U+1F600 are not in Big5.
    ASSERT_EQ(xml.LoadFromString("<?xml version=\"1.0\" encoding=\"Big5\"?><!DOCTYPE a>"
                                 "<a n=\"\xA4\xA4\">\xA1\x40x</a>"),
              1);
    Ref<IXMLDOMNode> a;
    ASSERT_EQ(xml.QuerySingleNodeByTag("a", &a), 1);
    EXPECT_EQ(Value(xml, a.p), "\xA1\x40x");
    EXPECT_EQ(Attr(xml, a.p, "n"), "\xA4\xA4");
    std::u16string wide;
    a->get_text(&wide);
    EXPECT_EQ(wide, u"\u3000x");
    a->put_text(u"\u0100\U0001F600\u4E2D");
    EXPECT_EQ(Value(xml, a.p), "??\xA4\xA4");
    EXPECT_EQ(Xml(xml), "<!DOCTYPE a>\n<a n=\"\xA4\xA4\">??\xA4\xA4</a>\n");
    a->get_text(&wide);
    EXPECT_EQ(wide, u"\u0100\U0001F600\u4E2D");  // the DOM itself keeps every character

    TeskUtility::SetThreadAnsiCodePage(TeskUtility::CP_UTF8);
    const std::string utf8 = Value(xml, a.p);
    TeskUtility::SetThreadAnsiCodePage(TeskUtility::CP_BIG5);
    EXPECT_EQ(utf8, "\xC4\x80\xF0\x9F\x98\x80\xE4\xB8\xAD");
}

TEST(XMLDom, NamesFollowTheStandard) {
    Ref<IXMLDOMDocument> doc{Doc(u"<p:a xmlns:p=\"urn:x\" p:k=\"1\">t<!--c--><![CDATA[d]]><?pi x?></p:a>")};
    EXPECT_EQ(Shape(doc.p), "#document(p:a(#text't',#comment'c',#cdata-section'd',pi'x'))");
    Ref<IXMLDOMNode> a, k, parentOfDoc;
    Ref<IXMLDOMNodeList> byTag;
    ASSERT_EQ(doc->getElementsByTagName(u"p:a", &byTag), S_OK);
    ASSERT_EQ(byTag->get_item(0, &a), S_OK);
    Ref<IXMLDOMNamedNodeMap> attrs;
    ASSERT_EQ(a->get_attributes(&attrs), S_OK);
    ASSERT_EQ(attrs->getNamedItem(u"p:k", &k), S_OK);
    std::u16string xml;
    k->get_xml(&xml);
    EXPECT_EQ(xml, u"p:k=\"1\"");
    EXPECT_EQ(doc->get_parentNode(&parentOfDoc), S_FALSE);
}

TEST(XMLDom, EditsKeepTreeAndWrappersConsistent) {
    Ref<IXMLDOMDocument> doc{Doc(u"<a><b/><c/></a>")}, doc2;
    Ref<IXMLDOMNode> a, b, c, t1, t2, removed, other, bad, newAttr, oldAttr;
    doc->selectSingleNode(u"//a", &a);
    doc->selectSingleNode(u"//b", &b);
    doc->selectSingleNode(u"//c", &c);

    for (const char16_t* name : {u"", u"1x", u"a b", u"a:", u"<x>", u"\xD800"})
        EXPECT_EQ(doc->createElement(name, &bad), E_FAIL);
    // Adjacent text nodes stay two nodes: each keeps its wrapper.
    doc->createTextNode(u"x", &t1);
    doc->createTextNode(u"y", &t2);
    EXPECT_EQ(b->appendChild(t1.p, nullptr), S_OK);
    EXPECT_EQ(b->appendChild(t2.p, nullptr), S_OK);
    EXPECT_EQ(Shape(a.p), "a(b(#text'x',#text'y'),c'')");

    EXPECT_EQ(b->appendChild(a.p, nullptr), E_FAIL);    // below itself
    EXPECT_EQ(doc->appendChild(c.p, nullptr), E_FAIL);  // a second document element
    EXPECT_EQ(t1->appendChild(c.p, nullptr), E_FAIL);   // text holds no children
    EXPECT_EQ(c->appendChild(b.p, nullptr), S_OK);      // moves
    EXPECT_EQ(Shape(a.p), "a(c(b(#text'x',#text'y')))");

    // put_text drops the children; wrapped ones survive outside the tree.
    EXPECT_EQ(c->put_text(u"z"), S_OK);
    EXPECT_EQ(Shape(a.p), "a(c(#text'z'))");
    EXPECT_EQ(Shape(t2.p), "#text'y'");

    EXPECT_EQ(a->removeChild(b.p, &removed), E_INVALIDARG);  // not a child of a
    EXPECT_EQ(a->removeChild(c.p, &removed), S_OK);
    VARIANT_BOOL has = VARIANT_TRUE;
    EXPECT_EQ(a->hasChildNodes(&has), S_FALSE);
    EXPECT_EQ(a->appendChild(removed.p, nullptr), S_OK);

    // Nodes of another document are refused.
    TeskUtility::CreateXMLDOMDocument(&doc2);
    doc2->createElement(u"o", &other);
    EXPECT_EQ(a->appendChild(other.p, nullptr), E_INVALIDARG);

    // setAttribute replaces by name; setAttributeNode hands back the replaced one.
    EXPECT_EQ(a->setAttribute(u"k", u"1"), S_OK);
    EXPECT_EQ(a->setAttribute(u"k", u"&2"), S_OK);
    EXPECT_EQ(a->setAttribute(u"bad name", u"1"), E_FAIL);
    doc->createAttribute(u"k", &newAttr);
    newAttr->put_text(u"3");
    EXPECT_EQ(a->setAttributeNode(newAttr.p, &oldAttr), S_OK);
    EXPECT_EQ(Shape(oldAttr.p), "k(#text'&2')");
    EXPECT_EQ(c->setAttributeNode(newAttr.p, nullptr), E_FAIL);  // in use on a
    std::u16string s;
    a->get_xml(&s);
    EXPECT_EQ(s, u"<a k=\"3\"><c>z</c></a>");
}

TEST(XMLDom, ListsAreLiveAndWalkInLinearTime) {
    std::u16string text = u"<r>";
    for (int i = 0; i < 100000; ++i) text += u"<c/>";
    Ref<IXMLDOMDocument> doc{Doc(text + u"</r>")};
    Ref<IXMLDOMNode> r, first, past;
    Ref<IXMLDOMNodeList> kids, top, all;
    doc->selectSingleNode(u"//r", &r);
    r->get_childNodes(&kids);
    const std::int32_t n = Length(kids.p);
    ASSERT_EQ(n, 100000);
    for (std::int32_t i = 0; i < n; ++i) {
        Ref<IXMLDOMNode> item;
        ASSERT_EQ(kids->get_item(i, &item), S_OK);
    }
    EXPECT_EQ(kids->get_item(n, &past), S_FALSE);
    EXPECT_EQ(past.p, nullptr);

    // A reload is seen by lists of the document node.
    doc->get_childNodes(&top);
    doc->getElementsByTagName(u"*", &all);
    EXPECT_EQ(Length(all.p), 100001);
    VARIANT_BOOL ok = VARIANT_FALSE;
    doc->loadXML(u"<x><y/></x>", &ok);
    EXPECT_EQ(Length(all.p), 2);
    top->get_item(0, &first);
    EXPECT_EQ(Shape(first.p), "x(y'')");
}

}  // namespace
