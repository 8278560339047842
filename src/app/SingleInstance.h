#pragma once
#include <windows.h>

// The single-instance rendezvous: the start-up mutex held while a copy
// decides whether it is the first, and the hidden instance window through
// which a later start wakes the running copy.
class StartupLock {
public:
    // Waits for the start-up mutex (at most 20 s; access denied is retried).
    StartupLock();
    ~StartupLock() { Release(); }
    StartupLock(const StartupLock&) = delete;
    StartupLock& operator=(const StartupLock&) = delete;
    void Release();

private:
    HANDLE mutex_ = nullptr;
};

// Wakes the running copy; false when there is none.
bool ActivateRunningCopy();

// The hidden instance window of this copy; it forwards the activation
// message to the main window.
HWND CreateInstanceWindow();
void SetInstanceTarget(HWND instanceWindow, HWND mainWindow);
