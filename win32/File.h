#pragma once

#include <windows.h>

#include <cstddef>

// A file error: its cause (see FileError.h) and the operating-system error
// code. The file class fills it in when an open, a read or the close fails.
class CFileException {
public:
    // Shows the cause's text, naming "an unnamed file", in the message box;
    // "Out of memory." when that text cannot be held.
    void ReportError(UINT type) const;

    int cause = 0;
    long osError = -1;
};

// A file opened for reading. Each call that can fail returns false and,
// given an error record, fills it in.
class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes a file still open, without a word: after a failed read, the
    // file goes with its object.
    ~CFile();

    // Opens an existing file to read it, shared with no one, with a handle
    // that started programs inherit.
    bool Open(const char* name, CFileException* error);

    // Reads up to count bytes, their number into read; fewer only at the
    // end of the file.
    bool Read(void* buffer, UINT count, UINT& read, CFileException* error);

    // The size of a disk file; 0 for anything else or when it is unknown.
    ULONGLONG GetLength() const;

    bool Close(CFileException* error);

private:
    // Reads into buffer as ReadFile does.
    bool ReadOnce(void* buffer, DWORD count, DWORD& read, CFileException* error);

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    // A disk file is read ahead in large blocks, since every ReadFile is a
    // costly call under Wine. Anything else (a pipe, a device) is read
    // exactly as asked, because its short reads mean something.
    bool readsAhead_ = false;
    char* ahead_ = nullptr;  // kReadAheadSize bytes, once the first block is read
    std::size_t aheadAt_ = 0;
    std::size_t aheadEnd_ = 0;
};
