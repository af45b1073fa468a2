#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A file error: its cause (see FileError.h), the operating-system error
// code and the file's name, empty when the error is not tied to a name.
class CFileException {
public:
    CFileException() = default;
    CFileException(int cause, long osError, std::string fileName)
        : cause(cause), osError(osError), fileName(std::move(fileName)) {}

    // Shows the cause's text in the message box.
    void ReportError(UINT type) const;

    int cause = 0;
    long osError = -1;
    std::string fileName;
};

// A file opened for reading. Open reports failure in its error record;
// read and close failures throw CFileException.
class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes a file still open, without a word: this runs when an error
    // leaves the reading.
    ~CFile();

    // Opens an existing file to read it, shared with no one, with a handle
    // that started programs inherit. On failure, error holds the cause.
    bool Open(const std::string& name, CFileException* error);

    // Reads up to count bytes; fewer only at the end of the file.
    UINT Read(void* buffer, UINT count);

    // The size of a disk file; 0 for anything else or when it is unknown.
    ULONGLONG GetLength() const;

    void Close();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    // A disk file is read ahead in large blocks, since every ReadFile is a
    // costly call under Wine. Anything else (a pipe, a device) is read
    // exactly as asked, because its short reads mean something.
    bool readsAhead_ = false;
    std::vector<char> ahead_;
    std::size_t aheadAt_ = 0;
    std::size_t aheadEnd_ = 0;
};
