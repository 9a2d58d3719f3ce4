// A bare window and an event wait for hosts that have no toolkit to receive the single-instance notice.
#include <cstdint>

#include "platform/x11_display.h"
#include "platform/x11_messages.h"
#include "tesk/host_instance.h"

namespace TeskUtility {

HWND CreateNotifyWindow() {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(x11::CreateMessageWindow()));
}

void DestroyNotifyWindow(HWND window) { x11::DestroyWindow(reinterpret_cast<std::uintptr_t>(window)); }

int WaitForNotifyMessage(HWND window, int timeoutMs) {
    const unsigned atom = CSingleInstance::GetNotifyWindowMessage();
    if (atom == 0)
        return -1;
    if (x11::WaitClientMessage(reinterpret_cast<std::uintptr_t>(window), atom, timeoutMs))
        return 1;
    return x11::DisplayAvailable() ? 0 : -1;
}

}  // namespace TeskUtility
