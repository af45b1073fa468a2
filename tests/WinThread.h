#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// A second thread of a test program, joined when it goes out of scope. The
// runtime the programs are built with has no std::thread.
class WinThread {
public:
    explicit WinThread(std::function<void()> body)
        : body_(std::move(body)), handle_(CreateThread(nullptr, 0, &WinThread::Main, this, 0, nullptr))
    {
    }
    WinThread(const WinThread&) = delete;
    WinThread& operator=(const WinThread&) = delete;
    ~WinThread() { join(); }

    void join()
    {
        if (!handle_)
            return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI Main(LPVOID self)
    {
        static_cast<WinThread*>(self)->body_();
        return 0;
    }

    std::function<void()> body_;
    HANDLE handle_;
};
