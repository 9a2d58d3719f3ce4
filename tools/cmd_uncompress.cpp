#include "command.h"
#include "file_coding.h"

static int Run(teskutil::Args& args) { return teskutil::RunFileCoding(args, teskutil::CodingDirection::Uncompress); }

TESKUTIL_COMMAND(uncompress, "uncompress METHOD IN OUT", "decompress IN into OUT with the method that made it", Run);
