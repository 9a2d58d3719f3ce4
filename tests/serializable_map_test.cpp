#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_map.h"
#include "tesk/settings_memfile.h"
#include "tests/io_test_support.h"

namespace {

using Entries = std::map<std::string, std::string>;

std::string Save(CTeskSerializableMap& map) {
    CMemFile mem;
    CArchive ar(mem, CArchive::store);
    map.Serialize(ar);
    ar.Close();
    std::string bytes(mem.GetLength(), '\0');
    mem.SeekToBegin();
    mem.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    return bytes;
}

void Load(const std::string& bytes, CTeskSerializableMap& map) {
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    CMemFile mem(copy.data(), static_cast<unsigned>(copy.size()), 0);
    CArchive ar(mem, CArchive::load);
    map.Serialize(ar);
}

Entries All(const CTeskSerializableMap& map) {
    std::vector<const char*> keys(map.GetCount());
    map.GetKeyList(keys.data(), static_cast<std::uint32_t>(keys.size()));
    Entries out;
    for (const char* k : keys) out[k] = map.QueryString(k);
    return out;
}

const std::string kHeader1("TSM \x01\x00", 6);
const std::string kHeader2("TSM \x02\x00", 6);
const std::string kHeader3("TSM \x03\x00", 6);

// The saved bytes of empty, narrow, wide, Big5 and large maps, each read back whole.
TEST(SerializableMap, SavedLayoutsReadBack) {
    CTeskSerializableMap empty, narrow, wide(1), big5(1);
    for (auto* m : {&narrow, &wide}) {
        m->AddString("a", "x");
        m->AddString("B", "\xA1\xB6 y");
        m->AddString("e", nullptr);
    }
    big5.AddString("\xA4\xA4", "");
    const struct { CTeskSerializableMap& map; std::string bytes; } cases[] = {
        {empty, std::string("TSM \0\0", 6)},
        {narrow, kHeader3 + "B\n\xA1\xB6 y\na\nx\ne\n\n"},
        {wide, kHeader3 + Utf16Bytes(u"B\n\u25B2 y\na\nx\ne\n\n")},
        {big5, kHeader1 + std::string("\x2D\x4E\n\0\n\0", 6)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Save(c.map), c.bytes);
        CTeskSerializableMap back(c.map.IsStoreUCS2LE());
        Load(c.bytes, back);
        EXPECT_EQ(All(back), All(c.map));
    }
    // At 65535 entries the 16-bit count escapes to a 32-bit one.
    CTeskSerializableMap many;
    for (int i = 0; i < 65535; ++i) many.AddInteger(std::to_string(i).c_str(), i);
    const std::string bytes = Save(many);
    EXPECT_EQ(bytes.substr(0, 10), std::string("TSM \xFF\xFF\xFF\xFF\x00\x00", 10));
    CTeskSerializableMap back;
    Load(bytes, back);
    EXPECT_EQ(back.GetCount(), 65535u);
    EXPECT_EQ(back.QueryInteger("65534", -1), 65534);
}

// What a load leaves in a map that held old=1 before.
TEST(SerializableMap, LoadedEntries) {
    const struct { const char* name; int wide; std::string bytes; Entries expected; } cases[] = {
        {"crlf", 0, kHeader1 + "k\r\nv\r\n", {{"k", "v"}}},
        {"cr eats one", 0, kHeader1 + "k\rXv\n", {{"kX", "v"}}},
        {"empty key consumes its value", 0, kHeader2 + "\nv\nk\nw\n", {{"k", "w"}}},
        {"later duplicate wins", 0, kHeader2 + "k\n1\nk\n2\n", {{"k", "2"}}},
        {"count beyond the data", 0, std::string("TSM \x09\x00", 6) + "a\n1\nb\n", {{"a", "1"}}},
        {"partial last line", 0, kHeader1 + "k\nv", {{"k", "v"}}},
        // Keys end where a C string would, so every listed key can be queried.
        {"nul cuts keys", 0, kHeader2 + std::string("B\0x\ny\n\0z\nw\n", 11), {{"B", "y"}}},
        {"huge escaped count", 0, std::string("TSM \xFF\xFF\xFF\xFF\xFF\xFF", 10) + "k\nv\n", {{"k", "v"}}},
        {"count cut off", 0, std::string("TSM \x01", 5), {}}, {"short archive", 0, "TSM", {{"old", "1"}}},
        {"empty archive", 0, "", {{"old", "1"}}},
        {"wide units", 1, kHeader2 + Utf16Bytes("k\r\nv\nj\nw"), {{"k", "v"}, {"j", "w"}}},
        {"wide big5", 1, kHeader1 + std::string("\x2D\x4E\n\0\xB2\x25\n\0", 8), {{"\xA4\xA4", "\xA1\xB6"}}},
        // Half a unit is no unit: the value line cannot be read and the pair is dropped.
        {"wide half unit at end", 1, kHeader1 + Utf16Bytes("k\n") + "v", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTeskSerializableMap map(c.wide);
        map.AddString("old", "1");
        Load(c.bytes, map);
        EXPECT_EQ(All(map), c.expected);
    }
}

TEST(SerializableMap, DamagedMagicShowsTheMessageAndThrows) {
    std::string text;
    unsigned type = 0;
    TeskUtility::SetMessageBoxHandler([&](const std::string& t, const std::string&, unsigned ty) {
        text = t;
        type = ty;
        return TeskUtility::IDOK;
    });
    CTeskSerializableMap map;
    map.AddString("keep", "1");
    EXPECT_THROW(Load("TSMX\x01\x00k\nv\n", map), CUserException);
    TeskUtility::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(TeskUtility::AnsiToWide(text),
              u"\u6BC0\u640D\u7684\u6A94\u6848\u683C\u5F0F - \u640D\u58DE\u7684\u53EF\u5E8F\u5217\u5316Map\u6A19\u7C64");
    EXPECT_EQ(type & 0xF0, TeskUtility::MB_ICONSTOP);
    EXPECT_EQ(All(map), (Entries{{"keep", "1"}}));
}

// Every type is kept as its text; a missing or null key reads as the default.
TEST(SerializableMap, TypedAccessAndMissingKeys) {
    CTeskSerializableMap map;
    EXPECT_EQ(map.IsEmpty(), 1);
    const unsigned char blob[] = {0x00, 0xAB, 0x7F};
    EXPECT_EQ(map.AddDouble("d", 0.05) + map.AddInteger("i", -5) + map.AddInteger64("l", INT64_MIN) +
                  map.AddBinary("b", blob, 3),
              4);
    EXPECT_EQ(map.AddString(nullptr, "v") + map.AddBinary(nullptr, blob, 1) + map.AddBinary("n", nullptr, 1),
              0);
    EXPECT_EQ(All(map),
              (Entries{{"b", "00AB7F"}, {"d", "5.e-002"}, {"i", "-5"}, {"l", "-9223372036854775808"}}));
    EXPECT_EQ(map.QueryDouble("d", 0), 0.05);
    EXPECT_EQ(map.QueryInteger64("l", 0), INT64_MIN);
    EXPECT_EQ(map.QueryString("none"), nullptr);
    EXPECT_EQ(map.QueryString(nullptr), nullptr);
    EXPECT_EQ(map.QueryInteger("none", 7), 7);
    EXPECT_EQ(map.QueryDouble(nullptr, 1.5), 1.5);
    // The hex protocol is the store's (SettingStore.QueryBinaryProtocol): here only the map's lookup.
    std::uint32_t size = 0;
    EXPECT_EQ(map.QueryBinary("b", nullptr, size), nullptr);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(map.QueryBinary("none", nullptr, size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(map.QueryBinary(nullptr, nullptr, size), nullptr);
    EXPECT_EQ(map.Delete("none"), 0);
    EXPECT_EQ(map.Delete("i"), 1);
}

// The run-time class makes narrow maps; copies share nothing with their source.
TEST(SerializableMap, RunTimeClassAndCopies) {
    const CRuntimeClass* rc = RUNTIME_CLASS(CTeskSerializableMap);
    EXPECT_EQ(CRuntimeClass::FromName("CTeskSerializableMap"), rc);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    std::unique_ptr<CObject> obj(rc->CreateObject());
    auto* made = dynamic_cast<CTeskSerializableMap*>(obj.get());
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(made->GetRuntimeClass(), rc);
    EXPECT_EQ(made->IsStoreUCS2LE(), 0);

    auto source = std::make_unique<CTeskSerializableMap>(1);
    source->AddString("k", "v");
    CTeskSerializableMap copy(*source);
    made->AddString("old", "x");
    *made = *source;
    source->AddString("k", "changed");
    source.reset();
    EXPECT_EQ(All(copy), (Entries{{"k", "v"}}));
    EXPECT_EQ(All(*made), All(copy));
    EXPECT_EQ(made->IsStoreUCS2LE(), 1);
}

}  // namespace
