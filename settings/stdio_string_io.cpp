#include "tesk/settings_string_io.h"

// CStdioFile carries the text-mode line reader and writer; these are the
// library's free-function names for them.
namespace TeskUtility {

char* StdioFileReadStringA(CStdioFile& file, char* buffer, unsigned max) { return file.ReadString(buffer, max); }
char16_t* StdioFileReadStringW(CStdioFile& file, char16_t* buffer, unsigned max) {
    return file.ReadString(buffer, max);
}
int StdioFileReadStringA(CStdioFile& file, CStringA& line) { return file.ReadString(line); }
int StdioFileReadStringW(CStdioFile& file, CStringW& line) { return file.ReadString(line); }
void StdioFileWriteStringA(CStdioFile& file, const char* text) { file.WriteString(text); }
void StdioFileWriteStringW(CStdioFile& file, const char16_t* text) { file.WriteString(text); }

}  // namespace TeskUtility
