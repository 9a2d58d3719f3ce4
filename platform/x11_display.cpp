// The one X11 connection of the library and the error traps around its requests.
//
// Xlib reports errors through process-wide handlers whose defaults print and exit. The host may
// use Xlib itself, so our handlers only take the errors of our own connection and hand every
// other connection's errors to whatever handler was installed before ours.
#include "platform/x11_display.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace TeskUtility::x11 {
namespace {

std::once_flag g_openOnce;
std::atomic<Display*> g_display{nullptr};
std::atomic<bool> g_dead{false};             // the server went away: the connection is unusable
std::atomic<unsigned long> g_errorCount{0};  // errors trapped on our connection so far
std::atomic<int> g_lastErrorCode{0};
std::atomic<XErrorHandler> g_previousError{nullptr};
std::atomic<XIOErrorHandler> g_previousIOError{nullptr};
thread_local int t_chainDepth = 0;           // a host handler that chains back to ours must not loop

int OnXError(Display* display, XErrorEvent* event) {
    if (display == g_display.load()) {
        g_lastErrorCode = event->error_code;
        ++g_errorCount;
        return 0;
    }
    XErrorHandler previous = g_previousError.load();
    if (!previous || t_chainDepth > 0)
        return 0;
    ++t_chainDepth;
    const int result = previous(display, event);
    --t_chainDepth;
    return result;
}

int OnIOError(Display* display) {
    if (display == g_display.load()) {
        g_dead = true;
        return 0;
    }
    XIOErrorHandler previous = g_previousIOError.load();
    if (!previous || t_chainDepth > 0)
        return 0;
    ++t_chainDepth;
    const int result = previous(display);
    --t_chainDepth;
    return result;
}

// Replaces Xlib's exit(1) after an I/O error on our connection: Xlib marks the display dead and
// every later request on it returns at once, so the process goes on and we answer with failures.
void OnIOErrorExit(Display*, void*) { g_dead = true; }

// Puts our error handler back in front when someone replaced it since, keeping theirs as the next.
void AssertErrorHandler() {
    XErrorHandler old = XSetErrorHandler(OnXError);
    if (old != OnXError)
        g_previousError = old;
}

void Open() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return;  // quietly: no display is a normal state for a library
    XInitThreads();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XSetIOErrorExitHandler(display, OnIOErrorExit, nullptr);
    XIOErrorHandler oldIO = XSetIOErrorHandler(OnIOError);
    if (oldIO != OnIOError)
        g_previousIOError = oldIO;
    AssertErrorHandler();
    g_display = display;
}

// Closes the connection when the library unloads, giving the handlers back to their previous owners.
struct ConnectionCloser {
    ~ConnectionCloser() {
        Display* display = g_display.exchange(nullptr);
        if (!display)
            return;
        XErrorHandler current = XSetErrorHandler(g_previousError.load());
        if (current != OnXError)
            XSetErrorHandler(current);  // someone else's handler is in front: leave it there
        XIOErrorHandler currentIO = XSetIOErrorHandler(g_previousIOError.load());
        if (currentIO != OnIOError)
            XSetIOErrorHandler(currentIO);
        XCloseDisplay(display);
    }
} g_closer;

}  // namespace

Session::Session() {
    std::call_once(g_openOnce, Open);
    Display* display = g_display.load();
    if (!display || g_dead)
        return;
    AssertErrorHandler();
    XLockDisplay(display);
    if (g_dead) {
        XUnlockDisplay(display);
        return;
    }
    m_display = display;
    m_errorsSeen = g_errorCount;
}

Session::~Session() {
    if (m_display)
        XUnlockDisplay(m_display);
}

unsigned long Session::root() const {
    return m_display ? RootWindow(m_display, DefaultScreen(m_display)) : 0;
}

int Session::screen() const { return m_display ? DefaultScreen(m_display) : 0; }

bool Session::Sync() {
    if (!m_display)
        return false;
    XSync(m_display, False);
    const unsigned long now = g_errorCount;
    const bool clean = now == m_errorsSeen && !g_dead;
    m_errorsSeen = now;
    return clean;
}

int Session::LastErrorCode() { return g_lastErrorCode; }

bool DisplayAvailable() {
    Session session;
    return static_cast<bool>(session);
}

bool WindowRectInRoot(unsigned long window, int& x, int& y, int& width, int& height) {
    Session session;
    Display* display = session.displayFor(window);
    if (!display)
        return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        session.Sync();
        return false;
    }
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    const bool translated =
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    if (!session.Sync() || !translated)
        return false;
    x = rootX - attributes.border_width;
    y = rootY - attributes.border_width;
    width = attributes.width + 2 * attributes.border_width;
    height = attributes.height + 2 * attributes.border_width;
    return true;
}

}  // namespace TeskUtility::x11
