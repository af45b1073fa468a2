#include "platform/File.h"

#include "platform/FileError.h"
#include "platform/WinApp.h"

namespace {

CFileException ErrorOfLastCall()
{
    const long osError = static_cast<long>(GetLastError());
    return CFileException(FileErrorCauseFor(osError), osError, std::string());
}

}  // namespace

void CFileException::ReportError(UINT type) const
{
    ReportMessage(FileErrorMessage(cause, fileName), type);
}

CFile::~CFile()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

bool CFile::Open(const std::string& name, CFileException* error)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    handle_ = CreateFileA(name.c_str(), GENERIC_READ, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (handle_ != INVALID_HANDLE_VALUE)
        return true;
    if (error) {
        *error = ErrorOfLastCall();
        error->fileName = name;
    }
    return false;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, count, &read, nullptr))
        throw ErrorOfLastCall();
    return read;
}

void CFile::Close()
{
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle))
        throw ErrorOfLastCall();
}
