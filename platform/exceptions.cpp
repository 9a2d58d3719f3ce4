#include "tesk/exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int CException::GetErrorMessage(char* buffer, unsigned maxLen, unsigned* helpContext) const {
    if (helpContext) *helpContext = 0;
    if (!buffer || maxLen == 0) return 0;
    const std::string text = MessageText();
    const std::size_t n = text.size() < maxLen - 1 ? text.size() : maxLen - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return text.empty() ? 0 : 1;
}

std::string CException::GetErrorMessage() const { return MessageText(); }

std::string CMemoryException::MessageText() const { return "Out of memory."; }
std::string CInvalidArgException::MessageText() const { return "Encountered an improper argument."; }
std::string CNotSupportedException::MessageText() const { return "Request not supported."; }

int CFileException::ErrnoToCause(int err) {
    switch (err) {
        case 0: return none;
        case ENOENT: return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP: return badPath;
        case EMFILE:
        case ENFILE: return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EEXIST: return accessDenied;
        case EBADF: return invalidFile;
        case EBUSY:
        case ETXTBSY: return sharingViolation;
        case ENOLCK: return lockViolation;
        case ENOSPC:
        case EDQUOT: return diskFull;
        case EINVAL:
        case ESPIPE:
        case EOVERFLOW: return badSeek;
        case EIO: return hardIO;
        default: return genericException;
    }
}

namespace {

// Puts the file name where "%s" stands, or "the file" when there is none.
std::string WithFileName(const char* pattern, const std::string& fileName) {
    const std::string name = fileName.empty() ? "the file" : "\"" + fileName + "\"";
    std::string text = pattern;
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

}  // namespace

std::string CFileException::MessageText() const {
    static const char* const kCauses[] = {
        "No error occurred while accessing %s.",
        "An unspecified error occurred while accessing %s.",
        "%s could not be found.",
        "All or part of the path %s is invalid.",
        "Too many files are open: %s could not be opened.",
        "Access to %s was denied.",
        "An invalid file handle was associated with %s.",
        "The current working directory cannot be removed: %s.",
        "There are no more directory entries for %s.",
        "Error seeking in %s.",
        "A hardware I/O error was reported while accessing %s.",
        "A sharing violation occurred while accessing %s.",
        "A locking violation occurred while accessing %s.",
        "Disk full while accessing %s.",
        "An attempt was made to access beyond the end of %s.",
    };
    const char* cause = (m_cause >= 0 && m_cause <= endOfFile) ? kCauses[m_cause] : kCauses[genericException];
    std::string text = WithFileName(cause, m_strFileName);
    if (m_lOsError > 0) {
        char buf[256];
        const char* why = strerror_r(m_lOsError, buf, sizeof buf);
        text += " (";
        text += why;
        text += ')';
    }
    return text;
}

std::string CArchiveException::MessageText() const {
    static const char* const kCauses[] = {
        "No error occurred while accessing %s.",
        "An unexpected error occurred while accessing %s.",
        "An attempt was made to write to %s while it was opened for loading.",
        "An attempt was made to access beyond the end of %s.",
        "An attempt was made to read from %s while it was opened for storing.",
        "%s has an invalid format.",
        "%s contained an unexpected object.",
        "%s contained an unexpected schema.",
    };
    const char* cause = (m_cause >= 0 && m_cause <= badSchema) ? kCauses[m_cause] : kCauses[genericException];
    return WithFileName(cause, m_strFileName);
}

std::string COleException::MessageText() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "OLE error 0x%08X.", static_cast<unsigned>(m_sc));
    return buf;
}
