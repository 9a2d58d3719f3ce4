// CImage::Load on arbitrary bytes. The first byte picks the extension the file
// is saved under (BMP, PNG, JPEG), the rest is the file; whatever decodes is
// saved again in the same format to exercise the writers on odd sizes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tesk/imaging_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const std::string scratch = "/tmp/tesk-fuzz-image-" + std::to_string(::getpid());
    static const char* const kExtensions[] = {".bmp", ".png", ".jpg"};
    const std::string path = scratch + "-in" + kExtensions[data[0] % 3];
    if (!std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data) + 1, size - 1))
        std::abort();

    CImage image;
    if (SUCCEEDED(image.Load(path.c_str()))) {
        if (image.IsNull() || image.GetWidth() <= 0 || image.GetHeight() <= 0) std::abort();
        image.GetPixel(image.GetWidth() - 1, image.GetHeight() - 1);
        const std::string out = scratch + "-out" + kExtensions[data[0] % 3];
        if (image.Save(out.c_str()) != S_OK) std::abort();
        std::remove(out.c_str());
    }
    std::remove(path.c_str());
    return 0;
}
