// One line of readable text for an exception, a system error or HRESULT, or a
// WinINet error (12000..12174); and handing a URL to the desktop.
//
//   std::string why = TeskUtility::FormatErrorMessage(5u);        // "Access is denied."
//   TeskUtility::FormatErrorMessage(static_cast<HRESULT>(0x80072EE2));  // WinINet 12002's text
//   TeskUtility::OpenURL("https://example.com", 1);
#pragma once

#include <cstdint>

#include "tesk/exceptions.h"
#include "tesk/types.h"

namespace TeskUtility {

// The exception's own message (at most 1023 characters); 0 and an empty
// string for a null pointer or an exception without a message.
int GetExceptionErrorMessage(const CException* e, CStringA& message);
CStringA GetExceptionErrorMessage(const CException* e);

// System message of a code; without a text, "HRESULT 0x%8.8x". The string-out
// forms always ask the system table; the returning forms send WinINet codes
// (signed: low 16 bits; unsigned: the code itself) to FormatWininetErrorMessage.
// Unsigned Win32 codes above 0 become 0x8007xxxx HRESULTs first.
int FormatSystemErrorMessage(std::int32_t code, CStringA& message);
CStringA FormatSystemErrorMessage(std::int32_t code);
int FormatSystemErrorMessage(std::uint32_t code, CStringA& message);
CStringA FormatSystemErrorMessage(std::uint32_t code);

// The WinINet text for WinINet codes, the system text otherwise.
int FormatErrorMessage(std::int32_t code, CStringA& message);
CStringA FormatErrorMessage(std::int32_t code);
int FormatErrorMessage(std::uint32_t code, CStringA& message);
CStringA FormatErrorMessage(std::uint32_t code);

// 0 for codes outside 12000..12174 or without a text.
int FormatWininetErrorMessage(std::uint32_t code, CStringA& message);
CStringA FormatWininetErrorMessage(std::uint32_t code);

// Starts xdg-open on the URL, path or document without waiting for it; 1 when
// it was started. The show command has no meaning on Linux and is ignored.
int OpenURL(const CStringA& url, int showCommand);

}  // namespace TeskUtility
