#include "win32/CFileReader.h"

#include <cstdint>

bool CFileReader::Open(const std::string& name, int& cause)
{
    CFileException error;
    if (file_.Open(name, &error))
        return true;
    cause = error.cause;
    return false;
}

std::size_t CFileReader::Read(char* buffer, std::size_t count)
{
    return file_.Read(buffer, static_cast<UINT>(count));
}

void CFileReader::Close()
{
    file_.Close();
}

std::size_t CFileReader::SizeHint()
{
    const ULONGLONG length = file_.GetLength();
    return length < SIZE_MAX ? static_cast<std::size_t>(length) : SIZE_MAX;
}
