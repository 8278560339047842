// tarnwick.exe: one copy per user desktop, the main window, its message loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include "app/SingleInstance.h"
#include "app/WindowPlacement.h"
#include "store/Registry.h"
#include "ui/MainWindow.h"
#include "ui/SessionLog.h"

namespace {

using DpiContextFunction = BOOL(WINAPI*)(HANDLE);

void AskForDpiAwareness()
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto setContext = user ? reinterpret_cast<DpiContextFunction>(reinterpret_cast<void*>(
                                 GetProcAddress(user, "SetProcessDpiAwarenessContext")))
                           : nullptr;
    // Per-monitor (v2) where the system has it; the manifest asks the same.
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(-4)))
        SetProcessDPIAware();
}

// Wheel messages go to the window under the mouse rather than the focused one.
LRESULT CALLBACK WheelHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        (message->message == WM_MOUSEWHEEL || message->message == WM_MOUSEHWHEEL) && !GetCapture()) {
        POINT at{static_cast<short>(LOWORD(message->lParam)), static_cast<short>(HIWORD(message->lParam))};
        HWND under = WindowFromPoint(at);
        DWORD process = 0;
        if (under && GetWindowThreadProcessId(under, &process) && process == GetCurrentProcessId())
            message->hwnd = under;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RunMessageLoop(MainWindow& main)
{
    MSG message;
    for (;;) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (IsWindow(main.Handle()))
                DestroyWindow(main.Handle());
            break;
        }
        if (main.TranslateKey(message))
            continue;
        if (IsWindow(main.Handle()) && IsDialogMessageW(main.Handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (!IsWindow(main.Handle()))
            break;
    }
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    // "-" options belong to the installer and launcher modes, which this build has not.
    bool otherMode = argv && argc > 1 && argv[1][0] == L'-';
    LocalFree(argv);
    if (otherMode)
        return 0;
    // TARNWICK_REGISTRY keeps sites and settings below another key of
    // HKEY_CURRENT_USER (the GUI tests' scratch keys), as tarnwick-cli's --registry.
    wchar_t registryKey[512];
    DWORD keyLength = GetEnvironmentVariableW(L"TARNWICK_REGISTRY", registryKey, 512);
    if (keyLength > 0 && keyLength < 512)
        SetProductKeyPath(registryKey);
    AskForDpiAwareness();

    StartupLock lock;
    if (ActivateRunningCopy())
        return 0;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    InitSessionLog();

    HWND instanceWindow = CreateInstanceWindow();
    MainWindow main;
    main.OnDestroy(SavePlacement);
    if (!main.Create()) {
        DestroyWindow(instanceWindow);
        return 0;
    }
    SetInstanceTarget(instanceWindow, main.Handle());
    RestorePlacement(main.Handle());
    lock.Release();

    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WheelHook, nullptr, GetCurrentThreadId());
    SendMessageW(main.Handle(), kStartUpDone, 0, 0);
    RunMessageLoop(main);
    if (hook)
        UnhookWindowsHookEx(hook);
    DestroyWindow(instanceWindow);
    CoUninitialize();
    return 0;
}
