// Module numbers as a prefix sign and at least four digits: "/0012", "/12345".
#include <string>

#include "format/text_buffer.h"
#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

constexpr char kModulePrefix = '/';

template <class Char>
void FormatModuleId(std::uint16_t moduleId, std::basic_string<Char>& out) {
    detail::TextBuffer<Char> buf;
    buf.Put(static_cast<Char>(kModulePrefix));
    buf.AppendZeroPadded(unsigned{moduleId}, 4);
    buf.AssignTo(out);
}

}  // namespace

char ModuleIdFormat_GetPrefixSign() { return kModulePrefix; }
void ModuleIdFormatA(std::uint16_t moduleId, CStringA& out) { FormatModuleId(moduleId, out); }
void ModuleIdFormatW(std::uint16_t moduleId, CStringW& out) { FormatModuleId(moduleId, out); }

}  // namespace TeskUtility
