// The library's small stand-ins for Windows services: the calling thread's ANSI
// code page with its conversions, and the replaceable message-box handler.
//
//   TeskUtility::SetThreadAnsiCodePage(950);            // Big5 (the default)
//   std::u16string w = TeskUtility::AnsiToWide("\xA1\xB6");   // u"\u25B2"
//   TeskUtility::SetMessageBoxHandler([](const std::string& text, const std::string&, unsigned) {
//       log(text); return TeskUtility::IDOK; });
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "tesk/types.h"

namespace TeskUtility {

// ---- code pages ----------------------------------------------------------
constexpr unsigned CP_ACP = 0;        // "the calling thread's ANSI code page"
constexpr unsigned CP_BIG5 = 950;
constexpr unsigned CP_UTF8 = 65001;

// Per-thread ANSI code page; every thread starts at 950.
void SetThreadAnsiCodePage(unsigned codePage);
unsigned GetThreadAnsiCodePage();

// The iconv name of a Windows code page ("CP950", "UTF-8", ...). A page without
// a name of its own gives "CP" and its number, which iconv may not know; the
// conversions below then pass ASCII through and turn the rest into '?'.
std::string CodePageToCharsetName(unsigned codePage);

// Converts bytes in `codePage` (CP_ACP: the thread's) to UTF-16. A byte sequence
// the code page cannot decode becomes one u'?' per offending byte.
std::u16string MultiByteToWide(std::string_view text, unsigned codePage = CP_ACP);
// Converts UTF-16 to `codePage`; a character the code page lacks becomes '?'.
// Unpaired surrogates also become '?'.
std::string WideToMultiByte(std::u16string_view text, unsigned codePage = CP_ACP);

inline std::u16string AnsiToWide(std::string_view text) { return MultiByteToWide(text, CP_ACP); }
inline std::string WideToAnsi(std::u16string_view text) { return WideToMultiByte(text, CP_ACP); }
inline std::u16string Utf8ToWide(std::string_view text) { return MultiByteToWide(text, CP_UTF8); }
inline std::string WideToUtf8(std::u16string_view text) { return WideToMultiByte(text, CP_UTF8); }
// True when `text` is well-formed in `codePage`: it converts to UTF-16 and back
// unchanged (the empty text is well-formed).
bool IsWellFormed(std::string_view text, unsigned codePage = CP_ACP);
// ANSI (thread code page) to UTF-8 and back, for terminals and files.
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

// True when `c` starts a double-byte character in the thread's code page
// (for Big5 and the other DBCS pages: a byte of 0x81..0xFE).
bool IsDBCSLeadByte(unsigned char c);

// ---- message boxes -------------------------------------------------------
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// text and caption are narrow strings in the thread's ANSI code page.
using MessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>;

// Replaces the process-wide handler; an empty function restores the default,
// which writes the text (converted to UTF-8) to stderr and answers IDOK.
void SetMessageBoxHandler(MessageBoxHandler handler);
MessageBoxHandler GetMessageBoxHandler();
// Shows a message box through the current handler and returns its answer.
int MessageBox(const std::string& text, const std::string& caption = std::string(), unsigned type = MB_OK);

}  // namespace TeskUtility
