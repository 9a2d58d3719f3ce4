#include <cstdio>

#include "command.h"
#include "file_coding.h"
#include "replace_file.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

// OUT becomes the integrity header followed by FILE's bytes, sealed.
static int Run(teskutil::Args& args) {
    const auto pos = args.Positionals(2, 2);
    teskutil::RequireDistinctFiles(pos[0], pos[1]);
    teskutil::ReplacedFile output(pos[1]);
    CFile in(pos[0], CFile::modeRead | CFile::shareDenyWrite);
    CFile out(output.TempPath(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    TeskUtility::PrepareConfigHeader(&out);
    if (TeskUtility::rawCompressVC(&in, &out) != TeskUtility::RC_OK) {
        std::fprintf(stderr, "teskutil seal: %s ended before its announced length\n", pos[0].c_str());
        return 1;
    }
    TeskUtility::ChecksumConfig(&out);
    out.Close();
    output.Commit();
    return 0;
}

TESKUTIL_COMMAND(seal, "seal FILE OUT", "write OUT as a sealed config file holding FILE", Run);
