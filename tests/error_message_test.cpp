#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tesk/util_errors.h"
#include "util/message_tables.h"

using namespace TeskUtility;

namespace {

const std::string kTimeout = "The request has timed out.";  // WinINet 12002
const std::string kAccessDenied = "Access is denied.";         // Win32 5

class NoMessage : public CException {};
class LongMessage : public CException {
protected:
    std::string MessageText() const override { return std::string(3000, 'x'); }
};

}  // namespace

TEST(ErrorMessage, ExceptionMessages) {
    CStringA message = "stale";
    EXPECT_EQ(GetExceptionErrorMessage(nullptr, message), 0);
    EXPECT_EQ(message, "");
    const NoMessage none;
    message = "stale";
    EXPECT_EQ(GetExceptionErrorMessage(&none, message), 0);
    EXPECT_EQ(message, "");
    const COleException ole(static_cast<HRESULT>(0x80004005));
    EXPECT_EQ(GetExceptionErrorMessage(&ole, message), 1);
    EXPECT_EQ(message, ole.GetErrorMessage());
    const LongMessage longer;
    EXPECT_EQ(GetExceptionErrorMessage(&longer).size(), 1022u);  // at most 1023 with the terminator
}

TEST(ErrorMessage, Routing) {
    const auto inet = static_cast<std::int32_t>(0x80072EE2);  // carries WinINet 12002
    const std::string fallback = "HRESULT 0x80072ee2";
    CStringA out;

    EXPECT_EQ(FormatErrorMessage(inet, out), 1);
    EXPECT_EQ(out, kTimeout);
    EXPECT_EQ(FormatErrorMessage(inet), kTimeout);
    EXPECT_EQ(FormatSystemErrorMessage(inet), kTimeout);
    EXPECT_EQ(FormatSystemErrorMessage(inet, out), 1);  // the string-out form never routes
    EXPECT_EQ(out, fallback);

    EXPECT_EQ(FormatErrorMessage(12002u, out), 1);
    EXPECT_EQ(out, kTimeout);
    EXPECT_EQ(FormatErrorMessage(12002u), kTimeout);
    EXPECT_EQ(FormatSystemErrorMessage(12002u), kTimeout);
    EXPECT_EQ(FormatSystemErrorMessage(12002u, out), 1);
    EXPECT_EQ(out, fallback);  // 12002 became 0x80072EE2 first
    EXPECT_EQ(FormatErrorMessage(0x80072EE2u), fallback);  // unsigned: only the code itself routes

    EXPECT_EQ(FormatErrorMessage(12035u, out), 0);  // in the range, but without a text
    EXPECT_EQ(FormatErrorMessage(12035u), "");
}

TEST(ErrorMessage, SystemTexts) {
    struct Case {
        std::int64_t code;  // signed when it fits, else passed as unsigned
        bool asUnsigned;
        std::string expected;
    };
    const Case kCases[] = {
        {5, true, kAccessDenied}, {5, false, kAccessDenied}, {0x80070005, true, kAccessDenied},
        {0, true, "The operation completed successfully."}, {0x80004005, true, "Unspecified error"},
        {0x80070057, true, "The parameter is incorrect."}, {87, true, "The parameter is incorrect."},
        {0x12345678, false, "HRESULT 0x12345678"},
        {0x12345678, true, "HRESULT 0x80075678"},  // positive Win32 codes keep their low word
        {0xDEADBEEF, true, "HRESULT 0xdeadbeef"}, {-1, false, "HRESULT 0xffffffff"},
        {10061, true, "No connection could be made because the target machine actively refused it."},
    };
    for (const Case& c : kCases) {
        CStringA out;
        if (c.asUnsigned) {
            EXPECT_EQ(FormatSystemErrorMessage(static_cast<std::uint32_t>(c.code), out), 1);
        } else {
            EXPECT_EQ(FormatSystemErrorMessage(static_cast<std::int32_t>(c.code), out), 1);
        }
        EXPECT_EQ(out, c.expected) << std::hex << c.code;
    }
}

TEST(ErrorMessage, WininetRange) {
    CStringA out = "stale";
    EXPECT_EQ(FormatWininetErrorMessage(11999u, out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(FormatWininetErrorMessage(12175u, out), 0);
    EXPECT_EQ(FormatWininetErrorMessage(12000u, out), 0);
    EXPECT_EQ(FormatWininetErrorMessage(12001u, out), 1);
    EXPECT_EQ(FormatWininetErrorMessage(12174u, out), 1);
    EXPECT_EQ(out.rfind("The MS-Logoff digest header", 0), 0u);
    int texts = 0;
    for (std::uint32_t code = 12000; code <= 12174; ++code) {
        const CStringA text = FormatWininetErrorMessage(code);
        if (text.empty()) continue;
        ++texts;
        EXPECT_NE(text.back(), '\n') << code;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << code;
    }
    EXPECT_GT(texts, 80);
}

TEST(ErrorMessage, TrimsTrailingLineBreaks) {
    struct Case { std::string text, expected; };
    const Case kCases[] = {
        {"Text.\r\n", "Text."}, {"Text.\r\n\r\n", "Text."}, {"Text.\n\r\n\r", "Text."},
        {"\r\n\r\n", ""},        {"a\r\nb", "a\r\nb"},          {"", ""},
    };
    for (const Case& c : kCases) {
        std::string t = c.text;
        message_tables::TrimTrailingLineBreaks(t);
        EXPECT_EQ(t, c.expected);
    }
}

TEST(OpenURL, StartsXdgOpenWithoutWaiting) {
    const auto dir = std::filesystem::temp_directory_path() / ("tesk_openurl_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto log = dir / "opened";
    {
        std::ofstream script(dir / "xdg-open");
        script << "#!/bin/sh\nsleep 1\nprintf '%s' \"$1\" > '" << log.string() << "'\n";
    }
    chmod((dir / "xdg-open").c_str(), 0755);
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (dir.string() + ":/usr/bin:/bin").c_str(), 1);

    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenURL("https://example.com/a b?c=$HOME", 1), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(900));  // did not wait
    for (int i = 0; i < 100 && !std::filesystem::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream opened(log);
    std::string text((std::istreambuf_iterator<char>(opened)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "https://example.com/a b?c=$HOME");  // passed as one argument, unexpanded

    EXPECT_EQ(OpenURL("", 1), 0);
    EXPECT_EQ(OpenURL("--help", 1), 0);
    setenv("PATH", dir.string().c_str(), 1);
    std::filesystem::remove(dir / "xdg-open");
    EXPECT_EQ(OpenURL("https://example.com", 1), 0);  // nothing to open it with
    setenv("PATH", saved.c_str(), 1);
    std::filesystem::remove_all(dir);
}
