// Forced into GoogleTest's own build for mingw's win32 thread model, which has no
// std::mutex: the one class that GoogleTest builds on it, on a Windows event instead.
#ifndef MIXFILT_TESTS_GTEST_MINGW_HPP
#define MIXFILT_TESTS_GTEST_MINGW_HPP

#include <windows.h>

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
