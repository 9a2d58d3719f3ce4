#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "tesk/exceptions.h"

TEST(Exceptions, FileMessagesNameTheFile) {
    struct Case { int cause; std::string name; const char* expected; };
    const Case cases[] = {
        {CFileException::fileNotFound, "/tmp/a.ini", "\"/tmp/a.ini\" could not be found."},
        {CFileException::fileNotFound, "", "the file could not be found."},
        {CFileException::endOfFile, "x", "An attempt was made to access beyond the end of \"x\"."},
        {99, "x", "An unspecified error occurred while accessing \"x\"."},
    };
    for (const auto& c : cases) EXPECT_EQ(CFileException(c.cause, -1, c.name).GetErrorMessage(), c.expected);
    const std::string withErrno = CFileException(CFileException::accessDenied, EACCES, "f").GetErrorMessage();
    EXPECT_EQ(withErrno.rfind("Access to \"f\" was denied. (", 0), 0u) << withErrno;
}

TEST(Exceptions, BufferFormTruncatesAndReportsPresence) {
    char buf[8];
    unsigned help = 77;
    EXPECT_EQ(CFileException(CFileException::badSeek, -1, "f").GetErrorMessage(buf, sizeof buf, &help), 1);
    EXPECT_STREQ(buf, "Error s");
    EXPECT_EQ(help, 0u);
    EXPECT_EQ(CUserException().GetErrorMessage(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(CMemoryException().GetErrorMessage(nullptr, 10), 0);
}

TEST(Exceptions, ErrnoMapsToCauses) {
    using F = CFileException;
    const std::pair<int, int> cases[] = {
        {0, F::none},           {ENOENT, F::fileNotFound},      {ENOTDIR, F::badPath},
        {ENAMETOOLONG, F::badPath}, {ELOOP, F::badPath},        {EMFILE, F::tooManyOpenFiles},
        {ENFILE, F::tooManyOpenFiles}, {EACCES, F::accessDenied}, {EPERM, F::accessDenied},
        {EROFS, F::accessDenied}, {EISDIR, F::accessDenied},    {EEXIST, F::accessDenied},
        {EBADF, F::invalidFile}, {EBUSY, F::sharingViolation},  {ETXTBSY, F::sharingViolation},
        {ENOLCK, F::lockViolation}, {ENOSPC, F::diskFull},      {EDQUOT, F::diskFull},
        {EINVAL, F::badSeek},   {ESPIPE, F::badSeek},           {EOVERFLOW, F::badSeek},
        {EIO, F::hardIO},       {EPROTO, F::genericException},
    };
    for (const auto& [err, cause] : cases) EXPECT_EQ(F::ErrnoToCause(err), cause) << err;
}

TEST(Exceptions, OtherMessages) {
    using A = CArchiveException;
    const std::pair<int, const char*> archive[] = {
        {A::none, "No error occurred while accessing \"m.dat\"."},
        {A::genericException, "An unexpected error occurred while accessing \"m.dat\"."},
        {A::readOnly, "An attempt was made to write to \"m.dat\" while it was opened for loading."},
        {A::endOfFile, "An attempt was made to access beyond the end of \"m.dat\"."},
        {A::writeOnly, "An attempt was made to read from \"m.dat\" while it was opened for storing."},
        {A::badIndex, "\"m.dat\" has an invalid format."},
        {A::badClass, "\"m.dat\" contained an unexpected object."},
        {A::badSchema, "\"m.dat\" contained an unexpected schema."},
        {-1, "An unexpected error occurred while accessing \"m.dat\"."},
    };
    for (const auto& [cause, text] : archive) EXPECT_EQ(A(cause, "m.dat").GetErrorMessage(), text);
    EXPECT_EQ(A(A::badIndex).GetErrorMessage(), "the file has an invalid format.");
    EXPECT_EQ(CMemoryException().GetErrorMessage(), "Out of memory.");
    EXPECT_EQ(CInvalidArgException().GetErrorMessage(), "Encountered an improper argument.");
    EXPECT_EQ(CNotSupportedException().GetErrorMessage(), "Request not supported.");
    EXPECT_EQ(COleException(static_cast<HRESULT>(0x80004005)).GetErrorMessage(), "OLE error 0x80004005.");
}
