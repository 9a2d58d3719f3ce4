#include <cstdio>

#include "platform/handler_slot.h"
#include "tesk/platform.h"

namespace TeskUtility {
namespace {

platform::HandlerSlot<MessageBoxHandler> g_handler;

int DefaultMessageBox(const std::string& text, const std::string& caption, unsigned) {
    const std::string utf8Text = AnsiToUtf8(text);
    if (caption.empty())
        std::fprintf(stderr, "%s\n", utf8Text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", AnsiToUtf8(caption).c_str(), utf8Text.c_str());
    return IDOK;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { g_handler.Set(std::move(handler)); }

MessageBoxHandler GetMessageBoxHandler() {
    MessageBoxHandler handler = g_handler.Get();
    return handler ? handler : MessageBoxHandler(DefaultMessageBox);
}

int MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    MessageBoxHandler handler = GetMessageBoxHandler();
    return handler(text, caption, type);
}

}  // namespace TeskUtility
