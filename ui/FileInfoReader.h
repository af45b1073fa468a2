#pragma once

#include "platform/File.h"
#include "ui/InfoPanel.h"

// The information text file, read through the framework's file class.
class FileInfoReader : public InfoFileReader {
public:
    explicit FileInfoReader(CFile& file) : file_(file) {}

    bool Open(const std::string& name, int& cause) override;
    std::size_t Read(char* buffer, std::size_t count) override;
    void Close() override;
    std::size_t SizeHint() override;

private:
    CFile& file_;
};
