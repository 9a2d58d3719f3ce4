// Message texts that Windows keeps in its system and WinINet message tables.
// Internal to util/.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace TeskUtility::message_tables {

// Text of a Win32 error code or an HRESULT (0x8007xxxx reads the Win32 code
// xxxx); empty when there is none.
std::string_view SystemMessage(std::int32_t code);

// Text of a WinINet error code (12000..12174); empty when there is none.
std::string_view WininetMessage(std::uint32_t code);

// Cuts every carriage return and line feed from the end of the text.
void TrimTrailingLineBreaks(std::string& text);

}  // namespace TeskUtility::message_tables
