// One running copy per application: the first copy publishes its main window, a later copy finds
// it, wakes it with a message and quits.
//
//   TeskUtility::SetThreadMainWindow(mainWindow);
//   CSingleInstance guard;
//   if (guard.PreviousInstanceRunning()) { guard.NotifyPreviousInstance(); return 0; }
//   guard.TrackFirstInstanceRunning();
//   // in the event loop: a ClientMessage whose message_type is
//   // CSingleInstance::GetNotifyWindowMessage() means a later copy was started.
#pragma once

#include <mutex>

#include "tesk/types.h"

namespace TeskUtility {

// The application's name, which names the shared block; by default the program's file name.
void SetApplicationName(const CStringA& name);
CStringA GetApplicationName();

// The calling thread's main window; nullptr until set.
void SetThreadMainWindow(HWND window);
HWND GetThreadMainWindow();

// For a host without a toolkit of its own: an unmapped window to publish as the main window
// (nullptr without a display), and a wait of up to timeoutMs (-1: no limit) for the notify message
// sent to it: 1 when it came, 0 on timeout, -1 when there is no display (any more).
HWND CreateNotifyWindow();
void DestroyNotifyWindow(HWND window);
int WaitForNotifyMessage(HWND window, int timeoutMs);

}  // namespace TeskUtility

class CSingleInstance {
public:
    // The X11 atom "SingleInstanceNotifyWindowMessage"; 0 until it was interned (on first use).
    static const unsigned& csm_nNotifyWindowMessage;
    // Interns it now if needed; 0 without a display.
    static unsigned GetNotifyWindowMessage();

    CSingleInstance();
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // First copy: creates the block "/CSingleInstance-<name>" and stores the thread's main window
    // in it; 0 when this object already holds a block, or the block cannot be created (another
    // program's block of another size, a name the system refuses).
    BOOL TrackFirstInstanceRunning();
    // 1 when a live first copy's block exists (a block whose window is gone, or that no running
    // process holds, was left by a killed copy: 0, and this copy may take over as first).
    BOOL PreviousInstanceRunning();
    // Sends the first copy's window the notify message and returns the window; nullptr without a
    // prior successful PreviousInstanceRunning.
    HWND NotifyPreviousInstance();

private:
    std::mutex m_lock;
    int m_mapping = -1;
};
