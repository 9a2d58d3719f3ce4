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
    EXPECT_EQ(CFileException::ErrnoToCause(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::ErrnoToCause(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::ErrnoToCause(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToCause(0), CFileException::none);
    EXPECT_EQ(CFileException::ErrnoToCause(EPROTO), CFileException::genericException);
}
