// CSingleInstance over a POSIX shared block holding the first copy's X11 window id.
#include <cstdint>
#include <mutex>
#include <string>

#include "host/shared_block.h"
#include "platform/x11_messages.h"
#include "tesk/host_instance.h"

namespace TeskUtility {
namespace {

constexpr std::size_t kBlockSize = 4;  // the window id, 32 bits as on the original platform
constexpr const char* kNotifyMessageName = "SingleInstanceNotifyWindowMessage";

std::mutex g_nameMutex;
CStringA g_applicationName;
bool g_nameSet = false;
thread_local HWND t_mainWindow = nullptr;

unsigned g_notifyMessage = 0;
std::once_flag g_notifyOnce;

std::string BlockName() {
    std::string name = GetApplicationName();
    for (char& c : name)
        if (c == '/')
            c = '_';  // one path component, as shm_open requires
    return "/CSingleInstance-" + name;
}

// The first copy's block: kept open (and held) until the library unloads, then removed.
struct FirstCopySlot {
    std::mutex mutex;
    int fd = -1;
    std::string name;

    void Replace(int newFd, const std::string& newName) {
        std::lock_guard lock(mutex);
        detail::CloseSharedBlock(fd);
        if (fd >= 0 && name != newName)
            detail::UnlinkSharedBlock(name);  // the application renamed itself: its old block goes
        fd = newFd;
        name = newName;
    }
    ~FirstCopySlot() {
        if (fd < 0)
            return;
        detail::CloseSharedBlock(fd);
        detail::UnlinkSharedBlock(name);
    }
} g_firstCopy;

std::uint32_t WindowId(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)); }

}  // namespace

void SetApplicationName(const CStringA& name) {
    std::lock_guard lock(g_nameMutex);
    g_applicationName = name;
    g_nameSet = true;
}

CStringA GetApplicationName() {
    std::lock_guard lock(g_nameMutex);
    return g_nameSet ? g_applicationName : detail::ProgramFileName();
}

void SetThreadMainWindow(HWND window) { t_mainWindow = window; }
HWND GetThreadMainWindow() { return t_mainWindow; }

}  // namespace TeskUtility

using namespace TeskUtility;

const unsigned& CSingleInstance::csm_nNotifyWindowMessage = g_notifyMessage;

unsigned CSingleInstance::GetNotifyWindowMessage() {
    // Interned once a display answers; until then every call tries again.
    if (g_notifyMessage == 0) {
        const unsigned long atom = x11::InternAtom(kNotifyMessageName);
        if (atom != 0)
            std::call_once(g_notifyOnce, [atom] { g_notifyMessage = static_cast<unsigned>(atom); });
    }
    return g_notifyMessage;
}

CSingleInstance::CSingleInstance() = default;

CSingleInstance::~CSingleInstance() { detail::CloseSharedBlock(m_mapping); }

BOOL CSingleInstance::TrackFirstInstanceRunning() {
    if (m_mapping >= 0)
        return 0;
    const std::string name = BlockName();
    const int fd = detail::CreateSharedBlock(name, kBlockSize);
    if (fd < 0)
        return 0;
    GetNotifyWindowMessage();  // so that the event loop can recognise the notice from now on
    const std::uint32_t window = WindowId(GetThreadMainWindow());
    bool written;
    {
        std::lock_guard lock(m_lock);
        written = detail::WriteSharedBlock(fd, &window, kBlockSize);
    }
    if (!written || !detail::HoldSharedBlock(fd)) {
        detail::CloseSharedBlock(fd);
        return 0;
    }
    g_firstCopy.Replace(fd, name);
    return 1;
}

BOOL CSingleInstance::PreviousInstanceRunning() {
    detail::CloseSharedBlock(m_mapping);
    m_mapping = detail::OpenSharedBlock(BlockName(), kBlockSize);
    if (m_mapping < 0)
        return 0;
    std::uint32_t window = 0;
    bool read;
    {
        std::lock_guard lock(m_lock);
        read = detail::ReadSharedBlock(m_mapping, &window, kBlockSize);
    }
    // A killed first copy leaves its block behind: nobody holds it, or its window is gone.
    // A first copy without a main window (0) still counts while it runs.
    const bool alive = read && detail::SharedBlockHeld(m_mapping) && (window == 0 || x11::WindowExists(window));
    if (!alive) {
        detail::CloseSharedBlock(m_mapping);
        m_mapping = -1;
        return 0;
    }
    return 1;
}

HWND CSingleInstance::NotifyPreviousInstance() {
    if (m_mapping < 0)
        return nullptr;
    std::uint32_t window = 0;
    bool read;
    {
        std::lock_guard lock(m_lock);
        read = detail::ReadSharedBlock(m_mapping, &window, kBlockSize);
        if (read && window != 0)
            x11::SendClientMessage(window, GetNotifyWindowMessage());
    }
    detail::CloseSharedBlock(m_mapping);
    m_mapping = -1;
    return read ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)) : nullptr;
}
