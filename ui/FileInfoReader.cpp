#include "ui/FileInfoReader.h"

bool FileInfoReader::Open(const std::string& name, int& cause)
{
    CFileException error;
    if (file_.Open(name, &error))
        return true;
    cause = error.cause;
    return false;
}

std::size_t FileInfoReader::Read(char* buffer, std::size_t count)
{
    return file_.Read(buffer, static_cast<UINT>(count));
}

void FileInfoReader::Close()
{
    file_.Close();
}
