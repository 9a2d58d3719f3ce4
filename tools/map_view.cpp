#include "map_view.h"

#include <algorithm>
#include <vector>

#include "output.h"
#include "tesk/exceptions.h"
#include "tesk/platform.h"
#include "tesk/settings_archive.h"
#include "tesk/settings_file.h"

namespace teskutil {

void DumpMap(const CTeskSerializableMap& map, const LineSink& sink) {
    std::vector<const char*> keys(map.GetCount());
    const auto n = std::min<std::size_t>(map.GetKeyList(keys.data(), static_cast<std::uint32_t>(keys.size())),
                                         keys.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char* value = keys[i] ? map.QueryString(keys[i]) : nullptr;
        if (value) sink(std::string(keys[i]) + "=" + value);
    }
}

namespace {

// Catches the library's message box for the length of a load.
class MessageCatcher {
public:
    explicit MessageCatcher(std::string& text) : saved_(TeskUtility::GetMessageBoxHandler()) {
        TeskUtility::SetMessageBoxHandler([&text](const std::string& message, const std::string&, unsigned) {
            text = LibraryMessageText(message);
            return TeskUtility::IDOK;
        });
    }
    ~MessageCatcher() { TeskUtility::SetMessageBoxHandler(saved_); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

private:
    TeskUtility::MessageBoxHandler saved_;
};

}  // namespace

bool LoadMapFile(const std::string& path, CTeskSerializableMap& map, std::string& damaged) {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(file, CArchive::load);
    MessageCatcher catcher(damaged);
    try {
        map.Serialize(ar);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

}  // namespace teskutil
