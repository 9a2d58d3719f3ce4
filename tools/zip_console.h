// The zip commands' view of file names and message boxes: names on a Linux
// command line and disk are UTF-8, so the library is told so for the length of
// a command (non-ASCII entry names then carry the zip UTF-8 flag), while its
// message boxes, whose texts are Big5, are printed to stderr and counted.
#pragma once

#include <string>

#include "tesk/platform.h"

namespace teskutil {

class ZipConsole {
public:
    explicit ZipConsole(std::string command);
    ~ZipConsole();
    ZipConsole(const ZipConsole&) = delete;
    ZipConsole& operator=(const ZipConsole&) = delete;

    int MessagesShown() const { return messages_; }

private:
    std::string command_;
    unsigned savedCodePage_;
    TeskUtility::MessageBoxHandler savedHandler_;
    int messages_ = 0;
};

}  // namespace teskutil
