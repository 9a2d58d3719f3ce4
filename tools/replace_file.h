// Writing a command's output file without ever losing the old one: the output
// goes to a temporary file beside the target, which replaces the target only
// when the command succeeds.
//
//   teskutil::ReplacedFile out(target);
//   if (!Produce(out.TempPath())) return 1;   // the target is as it was
//   out.Commit();                             // atomically renamed over the target
#pragma once

#include <string>

namespace teskutil {

class ReplacedFile {
public:
    // Creates the (empty) temporary file; throws std::runtime_error naming the target on failure.
    explicit ReplacedFile(const std::string& target);
    ~ReplacedFile();  // removes the temporary file unless committed
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    const std::string& TempPath() const { return temp_; }
    // Renames the temporary file over the target; throws std::runtime_error on failure.
    void Commit();

private:
    std::string target_;
    std::string temp_;
    bool committed_ = false;
};

// A private scratch file under $TMPDIR (or /tmp), removed with the object.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Appends the bytes of `from` to the open descriptor `to`; throws std::runtime_error on failure.
void AppendFileTo(int to, const std::string& from);
// Writes all bytes to `fd`; throws std::runtime_error naming `what` on failure.
void WriteAllTo(int fd, const void* data, std::size_t size, const std::string& what);

}  // namespace teskutil
