// The class library's exceptions. They are thrown as pointers and ended with Delete().
#pragma once

#include "platform/afx/cobject.h"
#include "platform/afx/cstring.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)

public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    // Frees an exception thrown from the heap; a static one stays.
    void Delete();

protected:
    BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)

public:
    explicit CMemoryException(BOOL autoDelete = TRUE) : CException(autoDelete) {}
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)

public:
    enum {
        none,
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

    explicit CFileException(int cause = none, LONG osError = -1, LPCWSTR fileName = nullptr);

    // The cause for a system error code.
    static int OsErrorToException(LONG osError);
    [[noreturn]] static void ThrowOsError(LONG osError, LPCWSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

// Throws the one shared memory exception, which needs no allocation.
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCWSTR fileName = nullptr);
