#include <string>

#include "tesk/settings_file.h"
#include "tesk/settings_string_io.h"
#include "tesk/util_digest.h"
#include "util/base64.h"

namespace TeskUtility {

int SaveFileEncode(const CStringA& path) {
    CStdioFile file;
    if (!file.Open(path.c_str(), CFile::modeReadWrite | CFile::shareExclusive | CFile::typeText)) return 0;
    std::string text;
    std::string line;
    while (StdioFileReadStringA(file, line)) text.append(line).push_back('\n');
    const std::string encoded =
        Base64EncodeLines(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    file.Flush();
    file.SeekToBegin();
    // Text mode: each LF of the encoder's CR LF reaches the disk as CR LF.
    StdioFileWriteStringA(file, encoded.c_str());
    // The old text may be longer than its encoding; leave no tail behind.
    file.SetLength(file.GetPosition());
    file.Close();
    return 1;
}

}  // namespace TeskUtility
