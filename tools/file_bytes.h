// Whole-file reads for commands that work on a file's bytes.
#pragma once

#include <string>
#include <vector>

namespace teskutil {

// The file's bytes; throws CFileException when it cannot be opened or read.
std::vector<unsigned char> ReadFileBytes(const std::string& path);

}  // namespace teskutil
