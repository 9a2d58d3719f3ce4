// Streams the rest of one file through a coder into another. File-private to compress/.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "tesk/compress_methods.h"
#include "tesk/settings_file.h"

namespace TeskUtility::detail {

// The working buffers of one file call. Up to 4096 remaining bytes are coded with
// stack buffers and no heap allocation; more get one 256 KiB input and one 512 KiB
// output block, zero-filled, for the whole call.
class ChunkBuffers {
public:
    static constexpr std::uint32_t kSmallInput = 4096;
    static constexpr std::uint32_t kSmallOutput = 8192;
    static constexpr std::uint32_t kLargeInput = 262144;
    static constexpr std::uint32_t kLargeOutput = 524288;

    explicit ChunkBuffers(std::uint64_t remaining) {
        if (remaining <= kSmallInput) return;
        heapInput_.reset(static_cast<unsigned char*>(std::calloc(kLargeInput, 1)));
        heapOutput_.reset(static_cast<unsigned char*>(std::calloc(kLargeOutput, 1)));
        input_ = heapInput_.get();
        output_ = heapOutput_.get();
        inputSize_ = kLargeInput;
        outputSize_ = kLargeOutput;
    }
    ChunkBuffers(const ChunkBuffers&) = delete;
    ChunkBuffers& operator=(const ChunkBuffers&) = delete;

    bool Ready() const { return input_ && output_; }
    unsigned char* Input() { return input_; }
    unsigned char* Output() { return output_; }
    std::uint32_t InputSize() const { return inputSize_; }
    std::uint32_t OutputSize() const { return outputSize_; }

private:
    struct FreeBlock {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    std::unique_ptr<unsigned char, FreeBlock> heapInput_;
    std::unique_ptr<unsigned char, FreeBlock> heapOutput_;
    unsigned char smallInput_[kSmallInput];
    unsigned char smallOutput_[kSmallOutput];
    unsigned char* input_ = smallInput_;
    unsigned char* output_ = smallOutput_;
    std::uint32_t inputSize_ = kSmallInput;
    std::uint32_t outputSize_ = kSmallOutput;
};

inline std::uint64_t RemainingBytes(const CFile& file) {
    const std::uint64_t length = file.GetLength();
    const std::uint64_t position = file.GetPosition();
    return length > position ? length - position : 0;
}

// Coder: an initialised stream that ends itself on destruction, with
//   void SetInput(const unsigned char*, std::uint32_t); void SetOutput(unsigned char*, std::uint32_t);
//   std::uint32_t FreeOutput() const; int Run(bool finish);
//   bool IsStreamEnd(int answer) const; std::optional<int> LoopError(int answer) const;
// Returns 0 when the coder reached the end of its stream, RC_DATA_ERROR when it did
// not, the coder's error, or RC_MEMORY_ERROR when the buffers cannot be had.
template <class Coder>
int PumpFile(CFile& input, CFile& output, Coder& coder) {
    std::uint64_t remaining = RemainingBytes(input);
    ChunkBuffers buffers(remaining);
    if (!buffers.Ready()) return RC_MEMORY_ERROR;

    bool ended = false;
    while (remaining != 0) {
        const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(buffers.InputSize(), remaining));
        const std::uint32_t got = input.Read(buffers.Input(), want);
        if (got == 0) break;  // shorter than its announced length: the stream cannot be whole
        remaining -= got;
        // Bytes behind the end of the stream are read and ignored; a coder asked
        // again after its end would answer a sequence error, not success.
        if (ended) continue;

        coder.SetInput(buffers.Input(), got);
        const bool finish = remaining == 0;
        do {
            coder.SetOutput(buffers.Output(), buffers.OutputSize());
            const int answer = coder.Run(finish);
            if (const auto error = coder.LoopError(answer)) return *error;
            const std::uint32_t produced = buffers.OutputSize() - coder.FreeOutput();
            if (produced != 0) output.Write(buffers.Output(), produced);
            ended = coder.IsStreamEnd(answer);
        } while (!ended && coder.FreeOutput() == 0);
    }
    return ended ? RC_OK : RC_DATA_ERROR;
}

}  // namespace TeskUtility::detail
