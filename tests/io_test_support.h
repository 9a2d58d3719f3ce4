// The one temporary-folder helper of the suites: a fresh directory per test,
// removed with everything in it afterwards; plus whole-file I/O, UTF-16LE bytes
// and the file exception an operation raises.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "tesk/exceptions.h"

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tesk-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string operator/(const std::string& name) const { return File(name); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        WriteFile(File(name), bytes);
        return File(name);
    }
    std::string Read(const std::string& name) const { return ReadFile(File(name)); }

private:
    std::filesystem::path path_;
};

// Little-endian targets only, as the library itself.
inline std::string Utf16Bytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

inline std::string Utf16Bytes(const std::string& ascii) { return Utf16Bytes(std::u16string(ascii.begin(), ascii.end())); }

// The CFileException `op` raises; cause -1 when it raises none.
template <typename Op>
CFileException Raised(Op&& op) {
    try {
        op();
    } catch (const CFileException& e) {
        return e;
    }
    return CFileException(-1);
}
