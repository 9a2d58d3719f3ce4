#include "tesk/util_strings.h"

namespace TeskUtility {
namespace {

// Symbols are padded to a common width; the cut separator is one space
// shorter than the spacer, so a cut name keeps a leading space.
const char* Spacer(std::size_t symbolLength) {
    return symbolLength == 6 ? " " : symbolLength == 5 ? "  " : "\xA1\x40 ";
}
const char* Separator(std::size_t symbolLength) {
    return symbolLength == 6 ? "" : symbolLength == 5 ? " " : "\xA1\x40";
}

}  // namespace

void GetOptionSectorNameAddUndlySymbol(CStringA symbol, CStringA& name) {
    name = symbol + Spacer(symbol.size()) + name;
}

void GetOptionSectorNameCutUndlySymbol(CStringA symbol, CStringA& name) {
    const CStringA needle = symbol + Separator(symbol.size());
    CStringA out;
    std::size_t from = 0;
    for (std::size_t at; (at = name.find(needle, from)) != CStringA::npos; from = at + needle.size())
        out.append(name, from, at - from);
    out.append(name, from, CStringA::npos);
    name = std::move(out);
}

}  // namespace TeskUtility
