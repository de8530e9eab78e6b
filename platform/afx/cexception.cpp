#include "platform/afx/cexception.h"

#include "platform/win/error_codes.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CFileException::CFileException(int cause, LONG osError, LPCWSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

int CFileException::OsErrorToException(LONG osError)
{
    switch (static_cast<DWORD>(osError)) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, LPCWSTR fileName)
{
    AfxThrowFileException(OsErrorToException(osError), osError, fileName);
}

void AfxThrowMemoryException()
{
    static CMemoryException shared(FALSE);
    throw &shared;
}

void AfxThrowFileException(int cause, LONG osError, LPCWSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}
