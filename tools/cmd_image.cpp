// teskutil image convert: between BMP, PNG and JPEG, by extension.
#include <cstdio>

#include "command.h"
#include "tesk/imaging_image.h"

static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(3, 3);
    if (pos[0] != "convert") throw teskutil::UsageError("unknown subcommand " + pos[0]);
    CImage image;
    if (FAILED(image.Load(pos[1]))) {
        std::fprintf(stderr, "teskutil image: %s: not a readable BMP, PNG or JPEG file\n", pos[1].c_str());
        return 1;
    }
    if (image.Save(pos[2]) != S_OK) {
        std::fprintf(stderr, "teskutil image: cannot write %s (BMP, PNG or JPEG by extension)\n", pos[2].c_str());
        return 1;
    }
    std::printf("%s (%dx%d, %d bits) -> %s\n", pos[1].c_str(), image.GetWidth(), image.GetHeight(), image.GetBPP(),
                pos[2].c_str());
    return 0;
}

TESKUTIL_COMMAND(image, "image convert IN OUT", "convert an image between BMP, PNG and JPEG (by extension)", Run);
