#include "file_bytes.h"

#include "tesk/settings_file.h"

namespace teskutil {

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    while (const unsigned n = file.Read(chunk, sizeof chunk)) bytes.insert(bytes.end(), chunk, chunk + n);
    return bytes;
}

}  // namespace teskutil
