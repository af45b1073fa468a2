#include "win32/File.h"

#include <algorithm>
#include <cstring>

#include "core/FileError.h"
#include "win32/WinApp.h"

namespace {

constexpr std::size_t kReadAheadSize = 64 * 1024;

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
    if (handle_ != INVALID_HANDLE_VALUE) {
        readsAhead_ = GetFileType(handle_) == FILE_TYPE_DISK;
        return true;
    }
    if (error) {
        *error = ErrorOfLastCall();
        error->fileName = name;
    }
    return false;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (!readsAhead_) {
        DWORD read = 0;
        if (!ReadFile(handle_, buffer, count, &read, nullptr))
            throw ErrorOfLastCall();
        return read;
    }
    // A disk file gives fewer bytes than asked only at its end, so the
    // block read ahead ends short there too, and the answer is the same.
    char* out = static_cast<char*>(buffer);
    UINT copied = 0;
    while (copied < count) {
        if (aheadAt_ == aheadEnd_) {
            ahead_.resize(kReadAheadSize);
            DWORD read = 0;
            if (!ReadFile(handle_, ahead_.data(), static_cast<DWORD>(ahead_.size()), &read, nullptr))
                throw ErrorOfLastCall();
            aheadAt_ = 0;
            aheadEnd_ = read;
            if (read == 0)
                break;
        }
        const std::size_t n = std::min<std::size_t>(count - copied, aheadEnd_ - aheadAt_);
        std::memcpy(out + copied, ahead_.data() + aheadAt_, n);
        aheadAt_ += n;
        copied += static_cast<UINT>(n);
    }
    return copied;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    if (!readsAhead_ || !GetFileSizeEx(handle_, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::Close()
{
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle))
        throw ErrorOfLastCall();
}
