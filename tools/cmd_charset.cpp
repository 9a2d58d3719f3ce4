// teskutil charset FILE: the encoding that FILE's byte-order mark announces.
#include <cstdio>
#include <cstring>

#include "command.h"
#include "tesk/settings_charset.h"
#include "tesk/settings_file.h"

namespace {

using namespace TeskUtility;

const char* CharsetName(ECharsetType type) {
    switch (type) {
        case CT_ANSI: return "ANSI (no byte-order mark)";
        case CT_UTF8: return "UTF-8";
        case CT_UTF16LE: return "UTF-16LE";
        case CT_UTF16BE: return "UTF-16BE";
        case CT_UTF32LE: return "UTF-32LE";
        case CT_UTF32BE: return "UTF-32BE";
        default: return "unknown (empty file)";
    }
}

int Run(teskutil::Args& args) {
    const std::string path = args.Positionals(1, 1)[0];
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        char why[256];
        const char* text = error.m_lOsError > 0 ? strerror_r(error.m_lOsError, why, sizeof why) : "cannot open";
        std::fprintf(stderr, "teskutil charset: %s: %s\n", path.c_str(), text);
        return 1;
    }
    unsigned char head[4];
    const unsigned n = file.Read(head, sizeof head);
    std::printf("%s\n", CharsetName(ProbeCharset(head, static_cast<int>(n))));
    return 0;
}

}  // namespace

TESKUTIL_COMMAND(charset, "charset FILE", "print the text encoding announced by FILE's byte-order mark", Run);
