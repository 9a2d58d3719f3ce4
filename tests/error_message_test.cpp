#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <tuple>

#include "io_test_support.h"
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
    const NoMessage none;
    const COleException ole(static_cast<HRESULT>(0x80004005));
    const LongMessage longer;
    // At most 1023 bytes with the terminator.
    const std::tuple<const CException*, int, CStringA> cases[] = {
        {nullptr, 0, ""}, {&none, 0, ""}, {&ole, 1, ole.GetErrorMessage()}, {&longer, 1, CStringA(1022, 'x')},
    };
    for (const auto& [e, found, text] : cases) {
        CStringA message = "stale";
        EXPECT_EQ(GetExceptionErrorMessage(e, message), found);
        EXPECT_EQ(message, text);
        EXPECT_EQ(GetExceptionErrorMessage(e), text);
    }
}

// The signed HRESULT carrying WinINet 12002 and the bare 12002 both route to the
// WinINet text, except through the string-out system form, which never routes
// (12002 becomes 0x80072EE2 first); an unsigned HRESULT is only the code itself.
TEST(ErrorMessage, Routing) {
    const std::string fallback = "HRESULT 0x80072ee2";
    auto check = [&](auto code) {
        CStringA routed, system;
        EXPECT_EQ(FormatErrorMessage(code, routed) + FormatSystemErrorMessage(code, system), 2);
        EXPECT_EQ(std::tuple(routed, system, FormatErrorMessage(code), FormatSystemErrorMessage(code)),
                  std::tuple(kTimeout, fallback, kTimeout, kTimeout));
    };
    check(static_cast<std::int32_t>(0x80072EE2));
    check(12002u);
    EXPECT_EQ(FormatErrorMessage(0x80072EE2u), fallback);
    CStringA out;
    EXPECT_EQ(FormatErrorMessage(12035u, out), 0);  // in the range, but without a text
    EXPECT_EQ(FormatErrorMessage(12035u), "");
}

TEST(ErrorMessage, SystemTexts) {
    struct Case { std::int64_t code; bool asUnsigned; std::string expected; };
    const Case kCases[] = {
        {5, true, kAccessDenied}, {5, false, kAccessDenied}, {0x80070005, true, kAccessDenied},
        {0, true, "The operation completed successfully."}, {0x80004005, true, "Unspecified error"},
        {87, true, "The parameter is incorrect."}, {0x12345678, false, "HRESULT 0x12345678"},
        {0x12345678, true, "HRESULT 0x80075678"},  // positive Win32 codes keep their low word
        {0xDEADBEEF, true, "HRESULT 0xdeadbeef"}, {-1, false, "HRESULT 0xffffffff"},
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
    // A failure after a success must leave the output empty.
    const std::pair<std::uint32_t, int> ends[] = {{12001, 1}, {11999, 0}, {12174, 1}, {12175, 0}, {12000, 0}};
    CStringA out;
    for (const auto& [code, found] : ends) {
        EXPECT_EQ(FormatWininetErrorMessage(code, out), found) << code;
        EXPECT_EQ(out.empty(), !found) << code;
    }
    EXPECT_EQ(FormatWininetErrorMessage(12174u).rfind("The MS-Logoff digest header", 0), 0u);
    int texts = 0;
    for (std::uint32_t code = 12000; code <= 12174; ++code) {
        const CStringA text = FormatWininetErrorMessage(code);
        texts += !text.empty();
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << code;
    }
    EXPECT_GT(texts, 80);
}

TEST(ErrorMessage, TrimsTrailingLineBreaks) {
    const std::pair<std::string, std::string> kCases[] = {
        {"Text.\r\n", "Text."}, {"Text.\r\n\r\n", "Text."}, {"Text.\n\r\n\r", "Text."},
        {"\r\n\r\n", ""},        {"a\r\nb", "a\r\nb"},          {"", ""},
    };
    for (auto [text, expected] : kCases) {
        message_tables::TrimTrailingLineBreaks(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(OpenURL, StartsXdgOpenWithoutWaiting) {
    TempDir dir;
    const std::string log = dir.File("opened");
    dir.Write("xdg-open", "#!/bin/sh\nsleep 1\nprintf '%s' \"$1\" > '" + log + "'\n");
    chmod(dir.File("xdg-open").c_str(), 0755);
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir.Path().string() + ":/usr/bin:/bin").c_str(), 1);

    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenURL("https://example.com/a b?c=$HOME", 1), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(900));  // did not wait
    for (int i = 0; i < 100 && !std::filesystem::exists(log); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadFile(log), "https://example.com/a b?c=$HOME");  // passed as one argument, unexpanded

    EXPECT_EQ(OpenURL("", 1), 0);
    EXPECT_EQ(OpenURL("--help", 1), 0);
    setenv("PATH", dir.Path().c_str(), 1);
    std::filesystem::remove(dir.File("xdg-open"));
    EXPECT_EQ(OpenURL("https://example.com", 1), 0);  // nothing to open it with
    setenv("PATH", saved.c_str(), 1);
}
