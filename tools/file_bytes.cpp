#include "file_bytes.h"

#include "tesk/settings_file.h"

namespace teskutil {

void ForEachChunk(const std::string& path, const std::function<void(const unsigned char*, std::size_t)>& take) {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    unsigned char chunk[1 << 16];
    while (const unsigned n = file.Read(chunk, sizeof chunk)) take(chunk, n);
}

}  // namespace teskutil
