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

std::string Save(CTeskSerializableMap& map) {
    CMemFile mem;
    {
        CArchive ar(mem, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
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

std::map<std::string, std::string> Entries(const CTeskSerializableMap& map) {
    std::vector<const char*> keys(map.GetCount());
    map.GetKeyList(keys.data(), static_cast<std::uint32_t>(keys.size()));
    std::map<std::string, std::string> out;
    for (const char* k : keys) out[k] = map.QueryString(k);
    return out;
}

const std::string kHeader1("TSM \x01\x00", 6);
const std::string kHeader2("TSM \x02\x00", 6);

}  // namespace

TEST(SerializableMap, SavedLayouts) {
    CTeskSerializableMap narrow, wide(1);
    EXPECT_EQ(Save(narrow), std::string("TSM \0\0", 6));
    EXPECT_EQ(Save(wide), std::string("TSM \0\0", 6));
    for (auto* m : {&narrow, &wide}) {
        m->AddString("a", "x");
        m->AddString("B", "y");
    }
    EXPECT_EQ(Save(narrow), kHeader2 + "B\ny\na\nx\n");
    EXPECT_EQ(Save(wide), kHeader2 + Utf16Bytes("B\ny\na\nx\n"));

    CTeskSerializableMap big5(1);
    big5.AddString("\xA4\xA4", "");
    EXPECT_EQ(Save(big5), kHeader1 + std::string("\x2D\x4E\n\0\n\0", 6));
}

TEST(SerializableMap, CountEscapeAt65535) {
    CTeskSerializableMap map;
    for (int i = 0; i < 65535; ++i) map.AddInteger(std::to_string(i).c_str(), i);
    const std::string bytes = Save(map);
    EXPECT_EQ(bytes.substr(0, 10), std::string("TSM \xFF\xFF\xFF\xFF\x00\x00", 10));
    CTeskSerializableMap back;
    Load(bytes, back);
    EXPECT_EQ(back.GetCount(), 65535u);
    EXPECT_EQ(back.QueryInteger("65534", -1), 65534);
}

struct MapLoadCase { const char* name; int wide; std::string bytes; std::map<std::string, std::string> expected; };

class SerializableMapLoad : public ::testing::TestWithParam<MapLoadCase> {};

TEST_P(SerializableMapLoad, Entries) {
    const auto& c = GetParam();
    CTeskSerializableMap map(c.wide);
    map.AddString("old", "1");
    Load(c.bytes, map);
    EXPECT_EQ(Entries(map), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Archives, SerializableMapLoad,
    ::testing::Values(
        MapLoadCase{"crlf_lines", 0, kHeader1 + "k\r\nv\r\n", {{"k", "v"}}},
        MapLoadCase{"cr_takes_the_next_unit", 0, kHeader1 + "k\rXv\n", {{"kX", "v"}}},
        MapLoadCase{"empty_key_consumes_its_value", 0, kHeader2 + "\nv\nk\nw\n", {{"k", "w"}}},
        MapLoadCase{"later_duplicate_wins", 0, kHeader2 + "k\n1\nk\n2\n", {{"k", "2"}}},
        MapLoadCase{"count_beyond_the_data", 0, std::string("TSM \x09\x00", 6) + "a\n1\nb\n", {{"a", "1"}}},
        MapLoadCase{"partial_last_line", 0, kHeader1 + "k\nv", {{"k", "v"}}},
        // Keys end where a C string would, so every listed key can be queried.
        MapLoadCase{"nul_cuts_keys", 0, kHeader2 + std::string("B\0x\ny\n\0z\nw\n", 11), {{"B", "y"}}},
        MapLoadCase{"huge_escaped_count", 0, std::string("TSM \xFF\xFF\xFF\xFF\xFF\xFF", 10) + "k\nv\n", {{"k", "v"}}},
        MapLoadCase{"count_cut_off", 0, std::string("TSM \x01", 5), {}},
        MapLoadCase{"short_archive_changes_nothing", 0, "TSM", {{"old", "1"}}},
        MapLoadCase{"empty_archive_changes_nothing", 0, "", {{"old", "1"}}},
        MapLoadCase{"wide_units", 1, kHeader2 + Utf16Bytes("k\r\nv\nj\nw"), {{"k", "v"}, {"j", "w"}}},
        MapLoadCase{"wide_big5", 1, kHeader1 + std::string("\x2D\x4E\n\0\xB2\x25\n\0", 8), {{"\xA4\xA4", "\xA1\xB6"}}},
        // Half a unit is no unit: the value line cannot be read and the pair is dropped.
        MapLoadCase{"wide_half_unit_at_end", 1, kHeader1 + Utf16Bytes("k\n") + "v", {}}),
    [](const auto& info) { return std::string(info.param.name); });

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
    EXPECT_EQ(text,
              "\xB7\xB4\xB7l\xAA\xBA\xC0\xC9\xAE\xD7\xAE\xE6\xA6\xA1 - \xB7l\xC3" "a\xAA\xBA\xA5i\xA7\xC7\xA6" "C\xA4\xC6Map\xBC\xD0\xC5\xD2");
    EXPECT_EQ(TeskUtility::AnsiToWide(text), u"\u6BC0\u640D\u7684\u6A94\u6848\u683C\u5F0F - \u640D\u58DE\u7684\u53EF\u5E8F\u5217\u5316Map\u6A19\u7C64");
    EXPECT_EQ(type & 0xF0, TeskUtility::MB_ICONSTOP);
    EXPECT_EQ(Entries(map), (std::map<std::string, std::string>{{"keep", "1"}}));
}

TEST(SerializableMap, RoundTripsBothLayouts) {
    for (const int wide : {0, 1}) {
        CTeskSerializableMap map(wide);
        map.AddDouble("d", 0.05);
        map.AddInteger64("l", INT64_MIN);
        map.AddString("s", "\xA1\xB6 text");
        map.AddString("empty", nullptr);
        const unsigned char blob[] = {0x00, 0xFF, 0x10};
        map.AddBinary("b", blob, 3);
        CTeskSerializableMap back(wide);
        Load(Save(map), back);
        EXPECT_EQ(Entries(back), Entries(map)) << "wide " << wide;
        EXPECT_EQ(back.QueryDouble("d", 0), 0.05);
        EXPECT_EQ(back.QueryInteger64("l", 0), INT64_MIN);
        unsigned char out[3] = {};
        std::uint32_t size = 3;
        EXPECT_EQ(back.QueryBinary("b", out, size), out);
        EXPECT_EQ(out[1], 0xFF);
    }
}

TEST(SerializableMap, TypedAccessAndMissingKeys) {
    CTeskSerializableMap map;
    EXPECT_EQ(map.IsEmpty(), 1);
    EXPECT_EQ(map.QueryString("none"), nullptr);
    EXPECT_EQ(map.QueryString(nullptr), nullptr);
    EXPECT_EQ(map.QueryInteger("none", 7), 7);
    EXPECT_EQ(map.QueryDouble(nullptr, 1.5), 1.5);
    EXPECT_EQ(map.AddInteger("i", -5), 1);
    EXPECT_STREQ(map.QueryString("i"), "-5");
    EXPECT_EQ(map.AddString(nullptr, "v"), 0);
    EXPECT_EQ(map.AddBinary(nullptr, "v", 1), 0);
    EXPECT_EQ(map.Delete("none"), 0);
    EXPECT_EQ(map.Delete("i"), 1);
    // The hex protocol is the store's (SettingStore.QueryBinaryProtocol): here only the map's lookup.
    std::uint32_t size = 4;
    EXPECT_EQ(map.QueryBinary("none", nullptr, size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(map.QueryBinary(nullptr, nullptr, size), nullptr);
    map.AddString("hex", "00AB7F");
    EXPECT_EQ(map.QueryBinary("hex", nullptr, size), nullptr);
    EXPECT_EQ(size, 3u);
}

TEST(SerializableMap, RunTimeClassCreatesMaps) {
    const CRuntimeClass* rc = RUNTIME_CLASS(CTeskSerializableMap);
    EXPECT_STREQ(rc->m_lpszClassName, "CTeskSerializableMap");
    EXPECT_EQ(rc->m_wSchema, 0xFFFFu);
    EXPECT_EQ(CRuntimeClass::FromName("CTeskSerializableMap"), rc);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CTeskSerializableMap::_GetBaseClass(), RUNTIME_CLASS(CObject));
    std::unique_ptr<CObject> obj(rc->CreateObject());
    ASSERT_TRUE(obj);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(obj->GetRuntimeClass(), rc);
    auto* map = dynamic_cast<CTeskSerializableMap*>(obj.get());
    ASSERT_TRUE(map);
    EXPECT_EQ(map->IsStoreUCS2LE(), 0);
}

TEST(SerializableMap, CopiesAreIndependent) {
    auto source = std::make_unique<CTeskSerializableMap>(1);
    source->AddString("k", "v");
    CTeskSerializableMap copy(*source);
    CTeskSerializableMap assigned;
    assigned.AddString("old", "x");
    assigned = *source;
    source->AddString("k", "changed");
    source.reset();
    EXPECT_EQ(Entries(copy), (std::map<std::string, std::string>{{"k", "v"}}));
    EXPECT_EQ(Entries(assigned), Entries(copy));
    EXPECT_EQ(assigned.IsStoreUCS2LE(), 1);
}
