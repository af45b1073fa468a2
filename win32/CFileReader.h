#pragma once

#include "core/InfoPanel.h"
#include "win32/File.h"

// The information text file, read through the framework's file class. The
// one adapter between the panel's rule, which core/ tests natively through
// plain values, and CFile, which keeps the framework's shape: an error
// record from the open, CFileException from a failed read or close, which
// the dialog's message handling reports.
class CFileReader : public InfoFileReader {
public:
    bool Open(const std::string& name, int& cause) override;
    std::size_t Read(char* buffer, std::size_t count) override;
    void Close() override;
    std::size_t SizeHint() override;

private:
    CFile file_;  // closes a file still open when the reading is left
};
