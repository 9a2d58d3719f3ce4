// Exception types that stand in for the platform's own. Thrown by value,
// caught by reference:
//
//   try { file.Read(buf, n); }
//   catch (const CFileException& e) { std::string why = e.GetErrorMessage(); }
#pragma once

#include <cstdint>
#include <string>

#include "tesk/types.h"

class CException {
public:
    virtual ~CException() = default;
    // Writes at most maxLen - 1 characters of the message and a terminator into
    // `buffer`; returns 1 when there is a message, 0 otherwise (buffer emptied).
    virtual int GetErrorMessage(char* buffer, unsigned maxLen, unsigned* helpContext = nullptr) const;
    // The message in the thread's ANSI code page; empty when there is none.
    std::string GetErrorMessage() const;

protected:
    // The text behind GetErrorMessage; empty means "no message".
    virtual std::string MessageText() const { return std::string(); }
};

class CMemoryException : public CException {
protected:
    std::string MessageText() const override;
};

class CUserException : public CException {};

class CInvalidArgException : public CException {
protected:
    std::string MessageText() const override;
};

class CNotSupportedException : public CException {
protected:
    std::string MessageText() const override;
};

class CFileException : public CException {
public:
    enum Cause {
        none = 0,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };
    CFileException(int cause = none, std::int32_t osError = -1, std::string fileName = std::string())
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}
    // Maps an errno value to the nearest cause.
    static int ErrnoToCause(int err);

    int m_cause;
    std::int32_t m_lOsError;   // errno of the failing call, -1 when none
    std::string m_strFileName;

protected:
    std::string MessageText() const override;
};

class CArchiveException : public CException {
public:
    enum Cause {
        none = 0,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
    };
    explicit CArchiveException(int cause = none, std::string fileName = std::string())
        : m_cause(cause), m_strFileName(std::move(fileName)) {}

    int m_cause;
    std::string m_strFileName;

protected:
    std::string MessageText() const override;
};

class COleException : public CException {
public:
    explicit COleException(HRESULT sc) : m_sc(sc) {}
    HRESULT m_sc;

protected:
    std::string MessageText() const override;
};
