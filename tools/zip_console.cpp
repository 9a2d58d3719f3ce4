#include "zip_console.h"

#include <cstdio>

#include "output.h"

namespace teskutil {

ZipConsole::ZipConsole(std::string command)
    : command_(std::move(command)),
      savedCodePage_(TeskUtility::GetThreadAnsiCodePage()),
      savedHandler_(TeskUtility::GetMessageBoxHandler()) {
    TeskUtility::SetThreadAnsiCodePage(TeskUtility::CP_UTF8);
    TeskUtility::SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned) {
        ++messages_;
        std::fprintf(stderr, "teskutil %s:%s\n", command_.c_str(), LibraryMessageText(text).c_str());
        return TeskUtility::IDOK;
    });
}

ZipConsole::~ZipConsole() {
    TeskUtility::SetMessageBoxHandler(savedHandler_);
    TeskUtility::SetThreadAnsiCodePage(savedCodePage_);
}

}  // namespace teskutil
