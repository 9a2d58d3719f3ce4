// Window messages between copies of an application over X11: named atoms for message numbers,
// client messages to a window, and a hidden window with a wait for such messages. Internal.
#pragma once

namespace TeskUtility::x11 {

// The atom of `name`, interned on the library's connection on first use; 0 without a display.
unsigned long InternAtom(const char* name);

// True when the window exists on the display. Without a display nobody can tell: true.
bool WindowExists(unsigned long window);

// Sends a 32-bit client message of type `atom` (all data 0) to the window and flushes it with
// XSync; false for window 0, a window that does not exist, or no display.
bool SendClientMessage(unsigned long window, unsigned long atom);

// An unmapped input-output window of the root, to carry messages; 0 without a display.
unsigned long CreateMessageWindow();
void DestroyWindow(unsigned long window);

// Waits up to timeoutMs (-1: for ever) for a client message of type `atom` to `window`; other
// events are dropped. True when one arrived, false on timeout or when the display is gone.
bool WaitClientMessage(unsigned long window, unsigned long atom, int timeoutMs);

}  // namespace TeskUtility::x11
