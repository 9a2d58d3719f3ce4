// A replaceable process-wide handler: set and read under one lock, read as a copy so
// that a handler may replace itself while it runs.
#pragma once

#include <mutex>
#include <utility>

namespace TeskUtility::platform {

template <class Handler>
class HandlerSlot {
public:
    void Set(Handler handler) {
        std::lock_guard lock(m_mutex);
        m_handler = std::move(handler);
    }
    Handler Get() const {
        std::lock_guard lock(m_mutex);
        return m_handler;
    }

private:
    mutable std::mutex m_mutex;
    Handler m_handler{};
};

}  // namespace TeskUtility::platform
