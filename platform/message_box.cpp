#include <cstdio>
#include <mutex>

#include "tesk/platform.h"

namespace TeskUtility {
namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

int DefaultMessageBox(const std::string& text, const std::string& caption, unsigned) {
    const std::string utf8Text = AnsiToUtf8(text);
    if (caption.empty())
        std::fprintf(stderr, "%s\n", utf8Text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", AnsiToUtf8(caption).c_str(), utf8Text.c_str());
    return IDOK;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    g_handler = std::move(handler);
}

MessageBoxHandler GetMessageBoxHandler() {
    std::lock_guard lock(g_handlerMutex);
    return g_handler ? g_handler : MessageBoxHandler(DefaultMessageBox);
}

int MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    // Copy the handler out so it may replace itself while running.
    MessageBoxHandler handler = GetMessageBoxHandler();
    return handler(text, caption, type);
}

}  // namespace TeskUtility
