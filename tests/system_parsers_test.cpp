#include <gtest/gtest.h>

#include <array>

#include "host/system_parsers.h"
#include "pe_image_builder.h"

namespace {

using namespace TeskUtility::detail;

TEST(SystemParsers, OsReleaseValuesUndoShellQuoting) {
    struct Case {
        const char* text;
        bool found;
        const char* value;
    } cases[] = {
        {"NAME=Debian\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", true, "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='It''s \"quoted\"'\n", true, "Its \"quoted\""},
        {"PRETTY_NAME=\"A \\\"B\\\" \\$C\"", true, "A \"B\" $C"},
        {"PRETTY_NAME=Bare\r\nPRETTY_NAME=Later\n", true, "Later"},
        {"PRETTY_NAME_X=no\nXPRETTY_NAME=no\n", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        std::string value;
        EXPECT_EQ(OsReleaseValue(c.text, "PRETTY_NAME", value), c.found) << c.text;
        if (c.found) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(SystemParsers, LocaleNumbers) {
    struct Case {
        const char* name;
        std::uint32_t number;
    } cases[] = {
        {"zh_TW.UTF-8", 1028}, {"zh_TW", 1028},       {"zh_CN.GB18030", 2052}, {"zh_HK.UTF-8@stroke", 3076},
        {"en_US.UTF-8", 1033}, {"ja_JP.eucJP", 1041}, {"ko_KR.UTF-8", 1042},   {"C", 1033},
        {"POSIX", 1033},       {"C.UTF-8", 1033},     {"de_DE.UTF-8", 0x1000}, {"zh", 0x1000},
        {"", 0x1000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocaleNumber(c.name), c.number) << c.name;
}

TEST(SystemParsers, LastAptEndDate) {
    std::string date;
    EXPECT_TRUE(LastAptEndDate("Start-Date: 2024-01-01  09:00:00\nEnd-Date: 2024-01-01  09:00:05\n\n"
                               "Start-Date: 2024-02-03  10:11:12\nEnd-Date: 2024-02-03  10:11:20\n",
                               date));
    EXPECT_EQ(date, "2024-02-03 10:11:20");
    EXPECT_TRUE(LastAptEndDate("End-Date: 2024-01-01  09:00:05\nEnd-Date:   \n", date));
    EXPECT_EQ(date, "2024-01-01 09:00:05") << "an empty value does not count";
    EXPECT_FALSE(LastAptEndDate("Start-Date: 2024-01-01  09:00:00\n Commandline: apt End-Date: x\n", date));
}

TEST(SystemParsers, DesktopEntryValueInItsSection) {
    const char* text =
        "# comment\n[Added Associations]\nx-scheme-handler/http=wrong.desktop\n"
        "[Default Applications]\nName[de]=Falsch\n x-scheme-handler/http = firefox.desktop;other.desktop;\n"
        "x-scheme-handler/http=second.desktop\n[Default Applications Extra]\nName=Extra\n";
    std::string value;
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
    std::string noResource = TeskTest::PeWithVersion(1, 2, 3, 4);
    TeskTest::Put32(noResource, 0x200 + 16, 3);  // the only type is now icons
    EXPECT_FALSE(PeFileVersion(noResource, parts.data()));
    std::string looped = TeskTest::PeWithVersion(1, 2, 3, 4);
    TeskTest::Put32(looped, 0x200 + 20, 0x80000000u);  // a directory pointing at itself
    EXPECT_FALSE(PeFileVersion(looped, parts.data()));
    EXPECT_FALSE(PeFileVersion("MZ", parts.data()));
}

TEST(SystemParsers, SharedObjectVersions) {
    struct Case {
        const char* name;
        bool ok;
        std::array<std::uint16_t, 4> parts;
    } cases[] = {
        {"libz.so.1.2.13", true, {1, 2, 13, 0}},
        {"/usr/lib/x86_64-linux-gnu/libfoo.so.6", true, {6, 0, 0, 0}},
        {"libc.so.6.1.2.3.4", true, {6, 1, 2, 3}},
        {"libx.so.2.5rc1", true, {2, 5, 0, 0}},
        {"libfoo.so", false, {}},
        {"libfoo.so.x", false, {}},
        {"/opt/lib.so.1/plain", false, {}},
    };
    for (const Case& c : cases) {
        std::array<std::uint16_t, 4> parts{9, 9, 9, 9};
        EXPECT_EQ(SharedObjectVersion(c.name, parts.data()), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(parts, c.parts) << c.name;
        }
    }
}

TEST(SystemParsers, EdidMonitorNameAndPciIds) {
    std::string edid(128, '\0');
    edid.replace(0, 8, std::string("\0\xFF\xFF\xFF\xFF\xFF\xFF\0", 8));
    edid[72 + 3] = '\xFC';
    edid.replace(72 + 5, 13, "DELL U2720Q\n ");
    std::string name;
    EXPECT_TRUE(EdidMonitorName(edid, name));
    EXPECT_EQ(name, "DELL U2720Q");
    EXPECT_FALSE(EdidMonitorName(edid.substr(0, 127), name));
    edid[72 + 3] = '\xFE';
    EXPECT_FALSE(EdidMonitorName(edid, name));

    const char* ids = "# comment\n1234  Other Corp\n\t0001  Thing\n8086  Intel Corporation\n\t1000  82542 Gigabit\n"
                      "\t\t8086 1000  PRO/1000\n\t10d3  82574L Gigabit Network Connection\n8087  Next\n\t10d4  Not it\n";
    std::string vendor, device;
    EXPECT_TRUE(PciIdsNames(ids, 0x8086, 0x10d3, vendor, device));
    EXPECT_EQ(vendor + "/" + device, "Intel Corporation/82574L Gigabit Network Connection");
    device.clear();
    EXPECT_TRUE(PciIdsNames(ids, 0x8086, 0x10d4, vendor, device));
    EXPECT_EQ(device, "") << "a device of the next vendor";
    EXPECT_FALSE(PciIdsNames(ids, 0xabcd, 1, vendor, device));
}

}  // namespace
