#include "output.h"

#include <cstdio>

#include "tesk/platform.h"

namespace teskutil {
namespace {
bool g_raw = false;
}

void SetRawOutput(bool raw) { g_raw = raw; }
bool RawOutput() { return g_raw; }

std::string ForTerminal(std::string_view ansiText) {
    return g_raw ? std::string(ansiText) : TeskUtility::AnsiToUtf8(ansiText);
}

std::string LibraryMessageText(std::string_view big5Text) {
    return TeskUtility::WideToUtf8(TeskUtility::MultiByteToWide(big5Text, TeskUtility::CP_BIG5));
}

void PrintAnsiLine(std::string_view ansiText) {
    const std::string text = ForTerminal(ansiText);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

void PrintWideLine(std::u16string_view wideText) {
    if (g_raw) {
        std::fwrite(wideText.data(), sizeof(char16_t), wideText.size(), stdout);
        const char16_t nl = u'\n';
        std::fwrite(&nl, sizeof nl, 1, stdout);
        return;
    }
    const std::string text = TeskUtility::WideToUtf8(wideText);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace teskutil
