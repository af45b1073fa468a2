#include "win32/File.h"

#include <cstdlib>
#include <cstring>

#include "core/FileError.h"
#include "core/Messages.h"
#include "core/Text.h"
#include "win32/WinApp.h"

namespace {

constexpr std::size_t kReadAheadSize = 64 * 1024;

// The record of the last call's failure; false, for the caller to return.
bool Failed(CFileException* error)
{
    if (error) {
        error->osError = static_cast<long>(GetLastError());
        error->cause = FileErrorCauseFor(error->osError);
    }
    return false;
}

}  // namespace

void CFileException::ReportError(UINT type) const
{
    CString message;
    ReportMessage(FileErrorMessage(cause, nullptr, message) ? message.GetString() : kOutOfMemoryMessage, type);
}

CFile::~CFile()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    std::free(ahead_);
}

bool CFile::Open(const char* name, CFileException* error)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    handle_ = CreateFileA(name, GENERIC_READ, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return Failed(error);
    readsAhead_ = GetFileType(handle_) == FILE_TYPE_DISK;
    return true;
}

bool CFile::ReadOnce(void* buffer, DWORD count, DWORD& read, CFileException* error)
{
    read = 0;
    return ReadFile(handle_, buffer, count, &read, nullptr) || Failed(error);
}

bool CFile::Read(void* buffer, UINT count, UINT& read, CFileException* error)
{
    read = 0;
    if (readsAhead_ && !ahead_) {
        // Without the room for a block, the file is read as asked.
        ahead_ = static_cast<char*>(std::malloc(kReadAheadSize));
        readsAhead_ = ahead_ != nullptr;
    }
    if (!readsAhead_) {
        DWORD got = 0;
        const bool ok = ReadOnce(buffer, count, got, error);
        read = got;
        return ok;
    }
    // A disk file gives fewer bytes than asked only at its end, so the
    // block read ahead ends short there too, and the answer is the same.
    char* out = static_cast<char*>(buffer);
    while (read < count) {
        if (aheadAt_ == aheadEnd_) {
            DWORD got = 0;
            if (!ReadOnce(ahead_, static_cast<DWORD>(kReadAheadSize), got, error))
                return false;
            aheadAt_ = 0;
            aheadEnd_ = got;
            if (got == 0)
                break;
        }
        std::size_t n = aheadEnd_ - aheadAt_;
        if (n > count - read)
            n = count - read;
        std::memcpy(out + read, ahead_ + aheadAt_, n);
        aheadAt_ += n;
        read += static_cast<UINT>(n);
    }
    return true;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    if (!readsAhead_ || !GetFileSizeEx(handle_, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

bool CFile::Close(CFileException* error)
{
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) || Failed(error);
}
