#include "command.h"
#include "file_coding.h"

static int Run(teskutil::Args& args) { return teskutil::RunFileCoding(args, teskutil::CodingDirection::Compress); }

TESKUTIL_COMMAND(compress, "compress METHOD IN OUT",
                 "compress IN into OUT (METHOD: Z15 GZ GZC RLE FILT HUFM BZ RAW)", Run);
