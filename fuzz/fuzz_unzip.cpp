// ExtractZIPFromDir on arbitrary bytes: each run extracts into a fresh folder
// that sits beside an empty sentinel folder, and stops the fuzzer if anything
// appears outside the destination.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tesk/compress_zip.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* tmp = std::getenv("TMPDIR");
    std::string root = std::string(tmp ? tmp : "/tmp") + "/fuzz_unzip.XXXXXX";
    if (!mkdtemp(root.data())) std::abort();
    const std::string archive = root + "/in.zip";
    if (!std::ofstream(archive, std::ios::binary).write(reinterpret_cast<const char*>(data), size))
        std::abort();
    fs::create_directory(root + "/out");
    fs::create_directory(root + "/outside");

    TeskUtility::ExtractZIPFromDir(archive, root + "/out");

    const auto count = [](const std::string& dir) { return std::distance(fs::directory_iterator(dir), {}); };
    if (count(root) != 3 || count(root + "/outside") != 0) std::abort();
    TeskUtility::DeleteFolder(root);
    return 0;
}
