// The single-instance guard: a named mutex every user's copy of the launcher can open.
#pragma once
#include <windows.h>

class InstanceGuard {
public:
    explicit InstanceGuard(const wchar_t* name);
    ~InstanceGuard() { Release(); }
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    bool AlreadyRunning() const { return alreadyRunning_; }
    HANDLE Handle() const { return mutex_; }
    // Releases and closes the mutex; safe to call more than once.
    void Release();

private:
    HANDLE mutex_ = nullptr;
    bool alreadyRunning_ = false;
};
