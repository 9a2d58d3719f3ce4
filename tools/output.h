// Terminal output for teskutil: the library speaks the ANSI code page (Big5),
// the terminal UTF-8. --raw (a global option) writes the library's bytes unchanged.
#pragma once

#include <string>
#include <string_view>

namespace teskutil {

void SetRawOutput(bool raw);
bool RawOutput();

// Writes narrow library text plus a newline to stdout, converted unless raw.
void PrintAnsiLine(std::string_view ansiText);
// Writes UTF-16 library text plus a newline, as UTF-8 (raw: UTF-16LE bytes).
void PrintWideLine(std::u16string_view wideText);
// Converts narrow library text for the terminal (unchanged when raw).
std::string ForTerminal(std::string_view ansiText);
// A library message box text (Big5 whatever the thread's code page) as UTF-8 for stderr.
std::string LibraryMessageText(std::string_view big5Text);

}  // namespace teskutil
