#pragma once

#include "core/InfoPanel.h"
#include "win32/File.h"

// The information text file, read through the framework's file class. The
// one adapter between the panel's rule, which core/ tests natively through
// plain values, and CFile, which keeps the framework's shape: an error
// record from each call that fails.
class CFileReader : public InfoFileReader {
public:
    bool Open(const CString& name, int& cause) override;
    bool Read(char* buffer, std::size_t count, std::size_t& read, int& cause) override;
    bool Close(int& cause) override;
    std::size_t SizeHint() override;

private:
    CFile file_;  // closes a file still open when the reading is left
};
