// Line reading and string writing on archives and text files, narrow (bytes)
// and wide (16-bit units).
//
//   CArchive ar(file, CArchive::load);
//   std::string line;
//   while (TeskUtility::ArchiveReadStringA(ar, line)) { ... }   // "ab\r\n" gives "ab"
//
//   char buf[64];
//   TeskUtility::ArchiveReadStringA(ar, buf, 63);              // line end dropped
//   TeskUtility::ArchiveReadStringA(ar, buf, static_cast<unsigned>(-63));   // line end kept
//
// Archive readers end a line at LF, or at CR together with the unit after it.
// The end of the archive ends a partial line; with nothing read they answer
// null (buffer form) or 0 (string form). Other archive errors propagate.
#pragma once

#include "tesk/settings_archive.h"
#include "tesk/settings_file.h"
#include "tesk/types.h"

namespace TeskUtility {

// Reads at most |max| units (max read as signed; negative keeps the line end)
// into buffer, which holds |max| + 1. Null buffer, or the end with nothing read: null.
char* ArchiveReadStringA(CArchive& ar, char* buffer, unsigned max);
char16_t* ArchiveReadStringW(CArchive& ar, char16_t* buffer, unsigned max);
// A whole line of any length, without its line end. 1, or 0 when the last read met the end.
int ArchiveReadStringA(CArchive& ar, CStringA& line);
int ArchiveReadStringW(CArchive& ar, CStringW& line);
// The text's bytes or UTF-16LE units, no terminator, no line end; null writes nothing.
void ArchiveWriteStringA(CArchive& ar, const char* text);
void ArchiveWriteStringW(CArchive& ar, const char16_t* text);

// The text-file twins: CStdioFile's line reader and string writer.
char* StdioFileReadStringA(CStdioFile& file, char* buffer, unsigned max);
char16_t* StdioFileReadStringW(CStdioFile& file, char16_t* buffer, unsigned max);
int StdioFileReadStringA(CStdioFile& file, CStringA& line);
int StdioFileReadStringW(CStdioFile& file, CStringW& line);
void StdioFileWriteStringA(CStdioFile& file, const char* text);
void StdioFileWriteStringW(CStdioFile& file, const char16_t* text);

}  // namespace TeskUtility
