// JPEG files through libjpeg-turbo, decoded to and encoded from B, G, R pixels
// directly (its extended colour spaces). libjpeg reports fatal errors through a
// callback that must not return: it jumps back to the decoder, whose frame
// holds no object with a destructor across the jump.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>  // needs size_t and FILE first
#include <jerror.h>

#include "imaging/image_codecs.h"

namespace TeskUtility::imaging {
namespace {

// A progressive file may hold thousands of tiny scans that each cost a full
// pass over the image; real encoders write a dozen.
constexpr int kMaxScans = 256;

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    jpeg_progress_mgr progress;
};

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings about damaged data pass (the picture still shows), except running
// out of data: a truncated file is not a picture.
void FailOnTruncation(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JumpOnError(cinfo);
}

void LimitScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) JumpOnError(cinfo);
}

void InstallTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOnError;
    trap.manager.emit_message = FailOnTruncation;
}

// Decodes into `decoded`, an empty image in the caller's frame; no local here
// changes between setjmp and a jump back.
bool DecodeInto(const std::uint8_t* data, std::size_t size, CImage& decoded) {
    ErrorTrap trap;
    jpeg_decompress_struct cinfo;
    InstallTrap(trap);
    cinfo.err = &trap.manager;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    trap.progress.progress_monitor = LimitScans;
    cinfo.progress = &trap.progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    // Gray and YCbCr/RGB files convert to B, G, R; CMYK ones are refused.
    const auto fail = reinterpret_cast<j_common_ptr>(&cinfo);
    if (cinfo.num_components != 1 && cinfo.num_components != 3) JumpOnError(fail);
    cinfo.out_color_space = JCS_EXT_BGR;
    if (!PixelSizeAcceptable(cinfo.image_width, cinfo.image_height, 24) ||
        !decoded.Create(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height), 24))
        JumpOnError(fail);
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        auto row = static_cast<JSAMPROW>(decoded.GetPixelAddress(0, static_cast<int>(cinfo.output_scanline)));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, CImage& image) {
    CImage decoded;
    if (size == 0 || !DecodeInto(data, size, decoded)) return false;
    image = std::move(decoded);
    return true;
}

bool EncodeJpeg(const CImage& image, std::FILE* out, int quality) {
    ErrorTrap trap;
    jpeg_compress_struct cinfo;
    InstallTrap(trap);
    cinfo.err = &trap.manager;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(image.GetWidth());
    cinfo.image_height = static_cast<JDIMENSION>(image.GetHeight());
    cinfo.input_components = image.GetBPP() / 8;
    cinfo.in_color_space = image.GetBPP() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg only reads the rows; its interface lacks const.
        auto row = static_cast<JSAMPROW>(const_cast<void*>(image.GetPixelAddress(0, static_cast<int>(cinfo.next_scanline))));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return ferror(out) == 0;
}

}  // namespace TeskUtility::imaging
