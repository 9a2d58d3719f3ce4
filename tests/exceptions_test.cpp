#include <gtest/gtest.h>

#include <cerrno>

#include "tesk/exceptions.h"

TEST(Exceptions, MessagesAndCauses) {
    using A = CArchiveException;
    using F = CFileException;
    const auto a = [](int cause) { return A(cause, "m").GetErrorMessage(); };
    const auto f = [](int cause) { return F(cause, -1, "x").GetErrorMessage(); };
    const std::pair<std::string, const char*> cases[] = {
        {F(F::fileNotFound, -1, "/tmp/a.ini").GetErrorMessage(), "\"/tmp/a.ini\" could not be found."},
        {F(F::fileNotFound).GetErrorMessage(), "the file could not be found."},
        {f(F::endOfFile), "An attempt was made to access beyond the end of \"x\"."},
        {f(99), "An unspecified error occurred while accessing \"x\"."},
        {a(A::none), "No error occurred while accessing \"m\"."},
        {a(A::genericException), "An unexpected error occurred while accessing \"m\"."},
        {a(A::readOnly), "An attempt was made to write to \"m\" while it was opened for loading."},
        {a(A::endOfFile), "An attempt was made to access beyond the end of \"m\"."},
        {a(A::writeOnly), "An attempt was made to read from \"m\" while it was opened for storing."},
        {a(A::badIndex), "\"m\" has an invalid format."},
        {a(A::badClass), "\"m\" contained an unexpected object."},
        {a(A::badSchema), "\"m\" contained an unexpected schema."},
        {a(-1), "An unexpected error occurred while accessing \"m\"."},
        {A(A::badIndex).GetErrorMessage(), "the file has an invalid format."},
        {CMemoryException().GetErrorMessage(), "Out of memory."},
        {CInvalidArgException().GetErrorMessage(), "Encountered an improper argument."},
        {CNotSupportedException().GetErrorMessage(), "Request not supported."},
        {COleException(static_cast<HRESULT>(0x80004005)).GetErrorMessage(), "OLE error 0x80004005."},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
    const std::string withErrno = F(F::accessDenied, EACCES, "f").GetErrorMessage();
    EXPECT_EQ(withErrno.rfind("Access to \"f\" was denied. (", 0), 0u) << withErrno;
    // The buffer form truncates and reports whether there is a message.
    char buf[8];
    unsigned help = 77;
    EXPECT_EQ(CFileException(CFileException::badSeek, -1, "f").GetErrorMessage(buf, sizeof buf, &help), 1);
    EXPECT_STREQ(buf, "Error s");
    EXPECT_EQ(help, 0u);
    EXPECT_EQ(CUserException().GetErrorMessage(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(CMemoryException().GetErrorMessage(nullptr, 10), 0);

    const std::pair<int, int> causes[] = {
        {0, F::none}, {ENOENT, F::fileNotFound}, {ENOTDIR, F::badPath}, {ENAMETOOLONG, F::badPath},
        {ELOOP, F::badPath}, {EMFILE, F::tooManyOpenFiles}, {ENFILE, F::tooManyOpenFiles},
        {EACCES, F::accessDenied}, {EPERM, F::accessDenied}, {EROFS, F::accessDenied},
        {EISDIR, F::accessDenied}, {EEXIST, F::accessDenied}, {EBADF, F::invalidFile},
        {EBUSY, F::sharingViolation}, {ETXTBSY, F::sharingViolation}, {ENOLCK, F::lockViolation},
        {ENOSPC, F::diskFull}, {EDQUOT, F::diskFull}, {EINVAL, F::badSeek}, {ESPIPE, F::badSeek},
        {EOVERFLOW, F::badSeek}, {EIO, F::hardIO}, {EPROTO, F::genericException},
    };
    for (const auto& [err, cause] : causes) EXPECT_EQ(F::ErrnoToCause(err), cause) << err;
}
