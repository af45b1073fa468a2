#pragma once

#include <windows.h>

#include <string>

// Writes a file through the ANSI call, as the launcher names its files, so
// that a name holds the same bytes for both; false when it cannot.
inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL done = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return done && written == bytes.size();
}

// The server end of a byte pipe of this process's own, for the client that
// opens Name(). Once Close() has ended it, the client's next read fails
// with ERROR_BROKEN_PIPE (109): a read that fails after a good open.
class ServerPipe {
public:
    explicit ServerPipe(const std::string& prefix, DWORD bufferSize = 0)
        : name_("\\\\.\\pipe\\" + prefix + "-" + std::to_string(GetCurrentProcessId())),
          handle_(CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, bufferSize,
                                   bufferSize, 0, nullptr))
    {
    }
    ServerPipe(const ServerPipe&) = delete;
    ServerPipe& operator=(const ServerPipe&) = delete;
    ~ServerPipe() { Close(); }

    bool Made() const { return handle_ != INVALID_HANDLE_VALUE; }
    const std::string& Name() const { return name_; }
    HANDLE Handle() const { return handle_; }
    void Close()
    {
        if (Made())
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    std::string name_;
    HANDLE handle_;
};
