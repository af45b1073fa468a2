// GoogleTest's own customisation point, found before its stock header.
//
// The MinGW-w64 runtime that the shipped programs use (Windows threads) has
// no std::mutex, which GoogleTest's Notification needs. The test programs
// are built with that same runtime, so they get a Notification made of a
// Win32 event instead. Everywhere else nothing changes.
#pragma once

#include <cstddef>

#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#endif
