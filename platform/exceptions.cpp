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

std::string CFileException::MessageText() const {
    static const char* const kCauses[] = {
        "No error occurred",
        "An unspecified error occurred while accessing",
        "could not be found",
        "All or part of the path is invalid",
        "Too many files are open",
        "Access denied",
        "An invalid file handle was associated with",
        "The current working directory cannot be removed",
        "There are no more directory entries",
        "Error seeking in",
        "A hardware I/O error was reported while accessing",
        "A sharing violation occurred while accessing",
        "A locking violation occurred while accessing",
        "Disk full while accessing",
        "An attempt was made to access beyond the end of",
    };
    const char* cause = (m_cause >= 0 && m_cause <= endOfFile) ? kCauses[m_cause] : kCauses[genericException];
    std::string text = cause;
    if (!m_strFileName.empty()) text += " \"" + m_strFileName + "\"";
    text += '.';
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
        "No error occurred",
        "An unexpected error occurred while accessing",
        "An attempt was made to write to the archive opened for loading",
        "An attempt was made to access beyond the end of",
        "An attempt was made to read from the archive opened for storing",
        "The archive is in an invalid format",
        "Unexpected object type in",
        "Unexpected schema in",
    };
    const char* cause = (m_cause >= 0 && m_cause <= badSchema) ? kCauses[m_cause] : kCauses[genericException];
    std::string text = cause;
    if (!m_strFileName.empty()) text += " \"" + m_strFileName + "\"";
    return text + '.';
}

std::string COleException::MessageText() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "OLE error 0x%08X.", static_cast<unsigned>(m_sc));
    return buf;
}
