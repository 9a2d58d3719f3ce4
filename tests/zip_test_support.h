// Helpers for the zip folder suites (the temporary folder is io_test_support.h's):
// a data pattern, an archive reader and a raw archive writer for hostile entries.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include "io_test_support.h"

namespace ziptest {

namespace fs = std::filesystem;

inline std::string Pattern(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7919) >> 3);
    return s;
}

struct EntryInfo { std::string name; uLong externalAttributes, flag, method, dosDate; std::string data; };

// Every entry of an archive in stored order, with its data.
inline std::vector<EntryInfo> ReadArchive(const std::string& path) {
    std::vector<EntryInfo> entries;
    unzFile zip = unzOpen64(path.c_str());
    if (!zip) return entries;
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        char name[1024] = {};
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        EntryInfo e{name, info.external_fa, info.flag, info.compression_method, info.dosDate, {}};
        if (unzOpenCurrentFile(zip) == UNZ_OK) {
            char buffer[8192];
            for (int n; (n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;) e.data.append(buffer, n);
            unzCloseCurrentFile(zip);
        }
        entries.push_back(std::move(e));
    }
    unzClose(zip);
    return entries;
}

struct RawEntry { std::string name; uLong externalAttributes; std::string data; };

// Writes entries exactly as given, names and attributes included, as another tool might.
inline void WriteArchive(const std::string& path, const std::vector<RawEntry>& entries) {
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& e : entries) {
        zip_fileinfo info{};
        info.external_fa = e.externalAttributes;
        ASSERT_EQ(zipOpenNewFileInZip(zip, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                      Z_DEFAULT_COMPRESSION),
                  ZIP_OK);
        if (!e.data.empty()) zipWriteInFileInZip(zip, e.data.data(), static_cast<unsigned>(e.data.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

// Relative paths of everything below `root`, sorted, folders ending in '/'.
inline std::vector<std::string> ListTree(const fs::path& root) {
    std::vector<std::string> paths;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        std::string p = fs::relative(e.path(), root).string();
        if (e.is_directory() && !e.is_symlink()) p += '/';
        paths.push_back(p);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace ziptest
