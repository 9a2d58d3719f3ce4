#include "platform/x11_messages.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

#include "platform/x11_display.h"

namespace TeskUtility::x11 {

unsigned long InternAtom(const char* name) {
    Session session;
    if (!session)
        return 0;
    const Atom atom = XInternAtom(session.display(), name, False);
    return session.Sync() ? atom : 0;
}

bool WindowExists(unsigned long window) {
    if (window == 0)
        return false;
    Session session;
    if (!session)
        return true;
    XWindowAttributes attributes;
    const bool found = XGetWindowAttributes(session.display(), window, &attributes) != 0;
    session.Sync();
    return found;
}

bool SendClientMessage(unsigned long window, unsigned long atom) {
    if (window == 0 || atom == 0)
        return false;
    Session session;
    if (!session)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom;
    event.xclient.format = 32;
    const Status sent = XSendEvent(session.display(), window, False, NoEventMask, &event);
    return session.Sync() && sent != 0;
}

unsigned long CreateMessageWindow() {
    Session session;
    if (!session)
        return 0;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window = XCreateWindow(session.display(), session.root(), -10, -10, 1, 1, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
    return session.Sync() ? window : 0;
}

void DestroyWindow(unsigned long window) {
    Session session;
    if (session && window) {
        XDestroyWindow(session.display(), window);
        session.Sync();
    }
}

bool WaitClientMessage(unsigned long window, unsigned long atom, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        int fd = -1;
        {
            // Take only what has arrived, so the connection is not held while we sleep.
            Session session;
            if (!session)
                return false;
            Display* display = session.display();
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == ClientMessage && event.xclient.window == window &&
                    event.xclient.message_type == atom)
                    return true;
            }
            if (!session.Sync())
                return false;
            fd = ConnectionNumber(display);
        }
        // Short slices: another thread of the host may drain the socket into the queue meanwhile.
        int wait = 100;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return false;
            wait = left < wait ? static_cast<int>(left) : wait;
        }
        pollfd readable{fd, POLLIN, 0};
        poll(&readable, 1, wait);
    }
}

}  // namespace TeskUtility::x11
