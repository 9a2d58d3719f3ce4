// Named POSIX shared-memory blocks for the single-instance guard, and the program's file name.
#pragma once

#include <cstddef>
#include <string>

namespace TeskUtility::detail {

// Opens or creates the block (mode 0600), sizing a new one to `size`; -1 on failure or when an
// existing block has another size (someone else's).
int CreateSharedBlock(const std::string& name, std::size_t size);
// Opens an existing block of exactly `size` bytes; -1 when it is missing or of another size.
int OpenSharedBlock(const std::string& name, std::size_t size);
void CloseSharedBlock(int fd);
void UnlinkSharedBlock(const std::string& name);

// Copy `size` bytes into or out of the block through a mapping made for the call.
bool WriteSharedBlock(int fd, const void* data, std::size_t size);
bool ReadSharedBlock(int fd, void* data, std::size_t size);

// A holder keeps a shared lock on its descriptor while it lives; the kernel drops it when the
// process dies, however it dies, so a block nobody holds was left by a copy that is gone.
bool HoldSharedBlock(int fd);
bool SharedBlockHeld(int fd);

// The running program's file name (from /proc/self/exe); empty when unknown.
std::string ProgramFileName();

}  // namespace TeskUtility::detail
