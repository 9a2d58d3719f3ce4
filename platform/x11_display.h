// The library's one X11 connection. Internal: only platform/ backends and the
// folders' X11 backend files include this; public headers never do.
//
//   TeskUtility::x11::Session x;
//   if (!x) return 0;                               // no display: the failure result
//   XMoveWindow(x.display(), w, 10, 20);
//   if (!x.Sync()) return 0;                        // the window was gone
#pragma once

struct _XDisplay;

namespace TeskUtility::x11 {

// The library's one X connection ($DISPLAY), opened on first use (XInitThreads first), closed at
// unload. A Session locks it for the calling thread (XLockDisplay) and traps X errors raised by the
// requests made while it lives, so they come back as results instead of reaching Xlib's default handler.
// Sessions nest on one thread. After the server went away (an I/O error) every later Session is false.
class Session {
public:
    Session();                        // opens on first use; converts to false without a display
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    explicit operator bool() const { return m_display != nullptr; }
    _XDisplay* display() const { return m_display; }  // Display*, nullptr without a display
    // The display for a request on `window`; nullptr without a display or for window 0.
    _XDisplay* displayFor(unsigned long window) const { return window ? m_display : nullptr; }
    unsigned long root() const;       // root window of the default screen
    int screen() const;               // default screen number
    bool Sync();                      // XSync; true when no X error was trapped since the last Sync (or the start)
    // The error code (BadWindow, ...) of the last trapped error on the connection; 0 when none yet.
    static int LastErrorCode();

private:
    _XDisplay* m_display = nullptr;
    unsigned long m_errorsSeen = 0;
};

// True when a connection is open and alive; opens it on first use.
bool DisplayAvailable();

// The window's rectangle in root coordinates; false for 0, a destroyed or a foreign bad id.
// The rectangle is the window's outer one (its border included), as XMoveWindow places it.
bool WindowRectInRoot(unsigned long window, int& x, int& y, int& width, int& height);

}  // namespace TeskUtility::x11
