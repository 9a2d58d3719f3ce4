// Reading a file in fixed chunks, so that commands over a file's bytes hold
// one chunk at a time whatever the file's size (or lack of one: /proc files,
// pipes, devices that never end).
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace teskutil {

// Calls `take` with each chunk until the end of the stream. Throws
// CFileException (naming the file) when it cannot be opened or read.
void ForEachChunk(const std::string& path, const std::function<void(const unsigned char*, std::size_t)>& take);

}  // namespace teskutil
