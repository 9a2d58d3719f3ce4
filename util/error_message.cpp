#include <cstdio>

#include "message_tables.h"
#include "tesk/util_errors.h"

namespace TeskUtility {
namespace message_tables {

void TrimTrailingLineBreaks(std::string& text) {
    const auto keep = text.find_last_not_of("\r\n");
    text.erase(keep == std::string::npos ? 0 : keep + 1);
}

}  // namespace message_tables

namespace {

constexpr std::uint32_t kWininetFirst = 12000;
constexpr std::uint32_t kWininetLast = 12174;

bool IsWininet(std::uint32_t code) { return code >= kWininetFirst && code <= kWininetLast; }
// An HRESULT carries a WinINet error in its low word (facility Internet or Win32).
bool CarriesWininet(std::int32_t code) { return IsWininet(static_cast<std::uint32_t>(code) & 0xFFFF); }

// Win32 codes become facility-Win32 HRESULTs; 0 and codes that already read
// as failures pass unchanged.
std::int32_t ToHresult(std::uint32_t code) {
    const auto asSigned = static_cast<std::int32_t>(code);
    return asSigned <= 0 ? asSigned : static_cast<std::int32_t>(0x80070000u | (code & 0xFFFF));
}

CStringA SystemText(std::int32_t code) {
    CStringA text;
    FormatSystemErrorMessage(code, text);
    return text;
}

CStringA WininetText(std::uint32_t code) {
    CStringA text;
    FormatWininetErrorMessage(code, text);
    return text;
}

}  // namespace

int GetExceptionErrorMessage(const CException* e, CStringA& message) {
    message.clear();
    if (!e) return 0;
    char buffer[1024];
    if (!e->GetErrorMessage(buffer, 1023, nullptr)) return 0;
    message = buffer;
    return 1;
}

CStringA GetExceptionErrorMessage(const CException* e) {
    CStringA message;
    GetExceptionErrorMessage(e, message);
    return message;
}

int FormatSystemErrorMessage(std::int32_t code, CStringA& message) {
    const std::string_view text = message_tables::SystemMessage(code);
    if (text.empty()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "HRESULT 0x%8.8x", static_cast<unsigned>(code));
        message = buffer;
        return 1;
    }
    message.assign(text);
    message_tables::TrimTrailingLineBreaks(message);
    return 1;
}

CStringA FormatSystemErrorMessage(std::int32_t code) {
    if (CarriesWininet(code)) return WininetText(static_cast<std::uint32_t>(code) & 0xFFFF);
    return SystemText(code);
}

int FormatSystemErrorMessage(std::uint32_t code, CStringA& message) {
    return FormatSystemErrorMessage(ToHresult(code), message);
}

CStringA FormatSystemErrorMessage(std::uint32_t code) {
    if (IsWininet(code)) return WininetText(code);
    return SystemText(ToHresult(code));
}

int FormatErrorMessage(std::int32_t code, CStringA& message) {
    if (CarriesWininet(code)) return FormatWininetErrorMessage(static_cast<std::uint32_t>(code) & 0xFFFF, message);
    return FormatSystemErrorMessage(code, message);
}

CStringA FormatErrorMessage(std::int32_t code) {
    if (CarriesWininet(code)) return WininetText(static_cast<std::uint32_t>(code) & 0xFFFF);
    return FormatSystemErrorMessage(code);
}

int FormatErrorMessage(std::uint32_t code, CStringA& message) {
    if (IsWininet(code)) return FormatWininetErrorMessage(code, message);
    return FormatSystemErrorMessage(ToHresult(code), message);
}

CStringA FormatErrorMessage(std::uint32_t code) {
    if (IsWininet(code)) return WininetText(code);
    return FormatSystemErrorMessage(code);
}

int FormatWininetErrorMessage(std::uint32_t code, CStringA& message) {
    message.clear();
    if (!IsWininet(code)) return 0;
    const std::string_view text = message_tables::WininetMessage(code);
    if (text.empty()) return 0;
    message.assign(text);
    message_tables::TrimTrailingLineBreaks(message);
    return 1;
}

CStringA FormatWininetErrorMessage(std::uint32_t code) { return WininetText(code); }

}  // namespace TeskUtility
