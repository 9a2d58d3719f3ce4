#include "file_coding.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "replace_file.h"
#include "stream_end.h"
#include "tesk/compress.h"
#include "tesk/settings_file.h"

namespace teskutil {
namespace {

constexpr const char* kMethodNames = "Z15, GZ, GZC, RLE, FILT, HUFM, BZ, RAW";

// A method name is its four-character id without the padding spaces ("GZ" is "GZ  ").
const TeskUtility::SCompressMethod& ParseMethod(const std::string& name) {
    if (name.empty() || name.size() > 4) throw UsageError("unknown method '" + name + "' (one of " + kMethodNames + ")");
    char code[5] = "    ";
    for (std::size_t i = 0; i < name.size(); ++i)
        code[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    const auto* method = TeskUtility::FindCompressMethod(TeskUtility::MakeCompressMethodId(code));
    if (!method) throw UsageError("unknown method '" + name + "' (one of " + kMethodNames + ")");
    return *method;
}

const char* ResultName(TeskUtility::EReturnCode rc) {
    switch (rc) {
    case TeskUtility::RC_OK: return "RC_OK";
    case TeskUtility::RC_FAILED: return "RC_FAILED";
    case TeskUtility::RC_DATA_ERROR: return "RC_DATA_ERROR (corrupt, truncated or foreign data)";
    case TeskUtility::RC_MEMORY_ERROR: return "RC_MEMORY_ERROR";
    case TeskUtility::RC_BUFFER_ERROR: return "RC_BUFFER_ERROR";
    }
    return "unknown result";
}

}  // namespace

void RequireDistinctFiles(const std::string& in, const std::string& out) {
    std::error_code ec;
    if (std::filesystem::equivalent(in, out, ec)) throw UsageError("IN and OUT are the same file");
}

int RunFileCoding(Args& args, CodingDirection direction) {
    const auto pos = args.Positionals(3, 3);
    const auto& method = ParseMethod(pos[0]);
    RequireDistinctFiles(pos[1], pos[2]);
    const char* verb = direction == CodingDirection::Compress ? "compress" : "uncompress";
    TeskUtility::EReturnCode rc;
    ReplacedFile output(pos[2]);
    {
        CFile in(pos[1], CFile::modeRead | CFile::shareDenyWrite);
        // Every method but the plain copy needs at least one byte; the coders call an empty input corrupt.
        if (in.GetLength() == 0 && method.id != TeskUtility::CompressMethod_Raw) {
            std::fprintf(stderr, "teskutil %s: %s is empty (or reports no size); %s needs at least one byte\n", verb,
                         pos[1].c_str(), pos[0].c_str());
            return 1;
        }
        CFile out(output.TempPath(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        rc = direction == CodingDirection::Compress ? method.compress(&in, &out) : method.uncompress(&in, &out);
        out.Close();
    }
    if (rc == TeskUtility::RC_OK) {
        output.Commit();
        if (direction == CodingDirection::Uncompress) {
            if (const auto after = BytesAfterStream(method.id, pos[1]); after && *after > 0)
                std::fprintf(stderr,
                             "teskutil uncompress: warning: %s has %llu bytes after the end of its %s stream "
                             "(another member or trailing data); they were not decoded\n",
                             pos[1].c_str(), static_cast<unsigned long long>(*after), pos[0].c_str());
        }
        return 0;
    }
    std::fprintf(stderr, "teskutil %s: %s %s: %s, result code %d\n", verb, pos[0].c_str(), pos[1].c_str(),
                 ResultName(rc), static_cast<int>(rc));
    return 1;
}

}  // namespace teskutil
