#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "host/system_parsers.h"
#include "pe_image_builder.h"

namespace {

using namespace TeskUtility::detail;

TEST(SystemParsers, OsReleaseValuesUndoShellQuoting) {
    const std::tuple<const char*, bool, std::string> cases[] = {  // text, found, value
        {"NAME=Debian\nPRETTY_NAME=\"Debian GNU/Linux 12\"\n", true, "Debian GNU/Linux 12"},
        {"PRETTY_NAME='It''s \"quoted\"'\n", true, "Its \"quoted\""},
        {"PRETTY_NAME=\"A \\\"B\\\" \\$C\"", true, "A \"B\" $C"},
        {"PRETTY_NAME=Bare\r\nPRETTY_NAME=Later\n", true, "Later"},
        {"PRETTY_NAME_X=no\nXPRETTY_NAME=no\n", false, ""},
    };
    for (const auto& [text, found, expected] : cases) {
        std::string value;
        const bool got = OsReleaseValue(text, "PRETTY_NAME", value);
        EXPECT_EQ(std::pair(got, value), std::pair(found, expected)) << text;
    }
}

TEST(SystemParsers, LocaleNumbers) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"zh_TW", 1028},       {"zh_CN.GB18030", 2052}, {"zh_HK.UTF-8@stroke", 3076}, {"ja_JP.eucJP", 1041},
        {"ko_KR.UTF-8", 1042}, {"C", 1033},             {"POSIX", 1033},              {"zh", 0x1000},
    };
    for (const auto& [name, number] : cases)
        EXPECT_EQ(LocaleNumber(name), number) << name;
}

TEST(SystemParsers, AptLogAndDesktopEntryValues) {
    std::string date, value;
    EXPECT_TRUE(LastAptEndDate("End-Date: 2024-01-01  09:00:05\n\nStart-Date: 2024-02-03  10:11:12\n"
                               "End-Date: 2024-02-03  10:11:20\n", date));
    EXPECT_EQ(date, "2024-02-03 10:11:20");
    EXPECT_TRUE(LastAptEndDate("End-Date: 2024-01-01  09:00:05\nEnd-Date:   \n", date));
    EXPECT_EQ(date, "2024-01-01 09:00:05") << "an empty value does not count";
    EXPECT_FALSE(LastAptEndDate("Start-Date: 2024-01-01  09:00:00\n Commandline: apt End-Date: x\n", date));

    const char* text =
        "# comment\n[Added Associations]\nx-scheme-handler/http=wrong.desktop\n"
        "[Default Applications]\nName[de]=Falsch\n x-scheme-handler/http = firefox.desktop;other.desktop;\n"
        "x-scheme-handler/http=second.desktop\n[Default Applications Extra]\nName=Extra\n";
    EXPECT_TRUE(DesktopEntryValue(text, "Default Applications", "x-scheme-handler/http", value));
    EXPECT_EQ(value, "firefox.desktop;other.desktop;");
    EXPECT_FALSE(DesktopEntryValue(text, "Default Applications", "Name", value)) << "Name[de] is another key";
    EXPECT_FALSE(DesktopEntryValue(text, "Desktop Entry", "Name", value));
}

TEST(SystemParsers, PeVersionResourceAndEveryTruncation) {
    std::array<std::uint16_t, 4> parts{};
    for (const bool plus : {false, true}) {
        const std::string image = TeskTest::PeWithVersion(7, 0, 65535, 12, plus);
        ASSERT_TRUE(PeFileVersion(image, parts.data()));
        EXPECT_EQ(parts, (std::array<std::uint16_t, 4>{7, 0, 65535, 12}));
        for (std::size_t size = 0; size < 0x200 + 0x58 + 56; size += 7)
            EXPECT_FALSE(PeFileVersion(image.substr(0, size), parts.data())) << size;
    }
    // The only type made icons; the root directory pointing at itself.
    for (const auto& [at, value] : {std::pair{0x200u + 16, 3u}, std::pair{0x200u + 20, 0x80000000u}}) {
        std::string image = TeskTest::PeWithVersion(1, 2, 3, 4);
        TeskTest::Put32(image, at, value);
        EXPECT_FALSE(PeFileVersion(image, parts.data())) << at;
    }
}

TEST(SystemParsers, SharedObjectVersions) {
    const std::tuple<const char*, bool, std::array<std::uint16_t, 4>> cases[] = {  // name, ok, parts after
        {"/usr/lib/x86_64-linux-gnu/libfoo.so.6", true, {6, 0, 0, 0}},
        {"libc.so.6.1.2.3.4", true, {6, 1, 2, 3}},
        {"libx.so.2.5rc1", true, {2, 5, 0, 0}},
        {"libfoo.so", false, {9, 9, 9, 9}},
        {"libfoo.so.x", false, {0, 0, 0, 0}},
        {"/opt/lib.so.1/plain", false, {9, 9, 9, 9}},
    };
    for (const auto& [name, ok, expected] : cases) {
        std::array<std::uint16_t, 4> parts{9, 9, 9, 9};
        const bool got = SharedObjectVersion(name, parts.data());
        EXPECT_EQ(std::pair(got, parts), std::pair(ok, expected)) << name;
    }
}

TEST(SystemParsers, EdidMonitorNameAndPciIds) {
    std::string edid(128, '\0');
    edid.replace(0, 8, std::string("\0\xFF\xFF\xFF\xFF\xFF\xFF\0", 8));
    edid[72 + 3] = '\xFC';
    edid.replace(72 + 5, 13, "DELL U2720Q\n ");
    std::string name, vendor, device;
    EXPECT_TRUE(EdidMonitorName(edid, name));
    EXPECT_EQ(name, "DELL U2720Q");
    EXPECT_FALSE(EdidMonitorName(edid.substr(0, 127), name));
    edid[72 + 3] = '\xFE';
    EXPECT_FALSE(EdidMonitorName(edid, name));

    const char* ids = "# comment\n1234  Other Corp\n\t0001  Thing\n8086  Intel Corporation\n\t1000  82542\n"
                      "\t\t8086 1000  PRO/1000\n\t10d3  82574L Gigabit\n8087  Next\n\t10d4  Not it\n";
    EXPECT_TRUE(PciIdsNames(ids, 0x8086, 0x10d3, vendor, device));
    EXPECT_EQ(vendor + "/" + device, "Intel Corporation/82574L Gigabit");
    device.clear();
    EXPECT_TRUE(PciIdsNames(ids, 0x8086, 0x10d4, vendor, device));
    EXPECT_EQ(device, "") << "a device of the next vendor";
    EXPECT_FALSE(PciIdsNames(ids, 0xabcd, 1, vendor, device));
}

}  // namespace
