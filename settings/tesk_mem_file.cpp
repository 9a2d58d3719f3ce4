#include "tesk/host_cpu.h"
#include "tesk/settings_memfile.h"

namespace {
// FastMemoryCopy counts in int; larger copies go in pieces that keep 128-byte alignment.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;
}  // namespace

CTeskMemFile::~CTeskMemFile() { Close(); }

unsigned char* CTeskMemFile::Alloc(std::size_t size) {
    return static_cast<unsigned char*>(CCPUEnhancement::AllocMemory(size));
}

unsigned char* CTeskMemFile::Realloc(unsigned char* block, std::size_t size) {
    return static_cast<unsigned char*>(CCPUEnhancement::ReAllocMemory(block, size));
}

unsigned char* CTeskMemFile::Memcpy(unsigned char* dest, const unsigned char* src, std::size_t count) {
    for (std::size_t done = 0; done < count;) {
        const std::size_t piece = count - done < kMaxPiece ? count - done : kMaxPiece;
        CCPUEnhancement::FastMemoryCopy(dest + done, src + done, static_cast<int>(piece));
        done += piece;
    }
    return dest;
}

void CTeskMemFile::Free(unsigned char* block) {
    void* p = block;
    CCPUEnhancement::FreeMemory(p);
}
