#pragma once

#include "core/InfoPanel.h"
#include "win32/File.h"

// The information text file, read through the framework's file class.
class CFileReader : public InfoFileReader {
public:
    explicit CFileReader(CFile& file) : file_(file) {}

    bool Open(const std::string& name, int& cause) override;
    std::size_t Read(char* buffer, std::size_t count) override;
    void Close() override;
    std::size_t SizeHint() override;

private:
    CFile& file_;
};
