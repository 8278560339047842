#include "app/SingleInstance.h"

#include "ui/MainMessages.h"

namespace {

const wchar_t kMutexName[] = L"TarnwickStarting";
const wchar_t kInstanceClass[] = L"VelmoraSoftware_InstanceWindow";
const wchar_t kInstanceTitle[] = L"Tarnwick";
constexpr DWORD kMutexBudgetMs = 20000;
constexpr DWORD kAccessRetryMs = 50;

LRESULT CALLBACK InstanceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActivate) {
        if (HWND main = reinterpret_cast<HWND>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            PostMessageW(main, message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

StartupLock::StartupLock()
{
    DWORD spent = 0;
    for (;;) {
        mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
        if (mutex_ || GetLastError() != ERROR_ACCESS_DENIED || spent >= kMutexBudgetMs)
            break;
        // Made by a copy with other rights: it goes away when that copy is up.
        Sleep(kAccessRetryMs);
        spent += kAccessRetryMs;
    }
    // A time-out is no error: start-up goes on as if no other copy were starting.
    if (mutex_ && WaitForSingleObject(mutex_, kMutexBudgetMs - spent) == WAIT_TIMEOUT) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

void StartupLock::Release()
{
    if (!mutex_)
        return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
    mutex_ = nullptr;
}

bool ActivateRunningCopy()
{
    HWND running = FindWindowW(kInstanceClass, kInstanceTitle);
    if (!running)
        return false;
    PostMessageW(running, kActivate, 0, 0);
    return true;
}

HWND CreateInstanceWindow()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = InstanceProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kInstanceClass;
    RegisterClassExW(&windowClass);
    // A copy started with other rights can still wake this one.
    ChangeWindowMessageFilter(kActivate, MSGFLT_ADD);
    return CreateWindowExW(0, kInstanceClass, kInstanceTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

void SetInstanceTarget(HWND instanceWindow, HWND mainWindow)
{
    SetWindowLongPtrW(instanceWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mainWindow));
}
