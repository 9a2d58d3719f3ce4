// ExtractZIPFromDir on arbitrary bytes: each run extracts into a fresh folder
// that sits beside an empty sentinel folder, and stops the fuzzer if anything
// appears outside the destination.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include "tesk/compress_zip.h"

static int CountEntries(const std::string& path) {
    DIR* dir = opendir(path.c_str());
    if (!dir) return -1;
    int count = 0;
    while (const dirent* e = readdir(dir)) {
        const std::string_view name = e->d_name;
        count += name != "." && name != "..";
    }
    closedir(dir);
    return count;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* tmp = std::getenv("TMPDIR");
    std::string root = std::string(tmp ? tmp : "/tmp") + "/fuzz_unzip.XXXXXX";
    if (!mkdtemp(root.data())) std::abort();
    const std::string archive = root + "/in.zip";
    std::FILE* f = std::fopen(archive.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    mkdir((root + "/out").c_str(), 0700);
    mkdir((root + "/outside").c_str(), 0700);

    TeskUtility::ExtractZIPFromDir(archive, root + "/out");

    if (CountEntries(root) != 3 || CountEntries(root + "/outside") != 0) std::abort();
    TeskUtility::DeleteFolder(root);
    return 0;
}
