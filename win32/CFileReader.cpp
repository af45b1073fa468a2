#include "win32/CFileReader.h"

#include <cstdint>

bool CFileReader::Open(const CString& name, int& cause)
{
    CFileException error;
    if (file_.Open(name.GetString(), &error))
        return true;
    cause = error.cause;
    return false;
}

bool CFileReader::Read(char* buffer, std::size_t count, std::size_t& read, int& cause)
{
    CFileException error;
    UINT got = 0;
    const bool ok = file_.Read(buffer, static_cast<UINT>(count), got, &error);
    read = got;
    if (!ok)
        cause = error.cause;
    return ok;
}

bool CFileReader::Close(int& cause)
{
    CFileException error;
    if (file_.Close(&error))
        return true;
    cause = error.cause;
    return false;
}

std::size_t CFileReader::SizeHint()
{
    const ULONGLONG length = file_.GetLength();
    return length < SIZE_MAX ? static_cast<std::size_t>(length) : SIZE_MAX;
}
