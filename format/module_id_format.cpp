// Module numbers as a prefix sign and at least four digits: "/0012", "/12345".
#include <string>

#include "format/zero_padded.h"
#include "tesk/format_signs.h"

namespace TeskUtility {
namespace {

constexpr char kModulePrefix = '/';

template <class Char>
void FormatModuleId(std::uint16_t moduleId, std::basic_string<Char>& out) {
    Char buffer[8];
    buffer[0] = static_cast<Char>(kModulePrefix);
    out.assign(buffer, detail::WriteZeroPadded(buffer + 1, moduleId, 4));
}

}  // namespace

char ModuleIdFormat_GetPrefixSign() { return kModulePrefix; }
void ModuleIdFormatA(std::uint16_t moduleId, CStringA& out) { FormatModuleId(moduleId, out); }
void ModuleIdFormatW(std::uint16_t moduleId, CStringW& out) { FormatModuleId(moduleId, out); }

}  // namespace TeskUtility
