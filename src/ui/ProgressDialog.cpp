#include "ui/ProgressDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/ControlIds.h"

namespace {
constexpr int kBarRange = 1000;
}  // namespace

NetResult ProgressDialog::Run(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step)
{
    // A step that opens another (a reconnect inside a transfer) shares the
    // dialog that is already up.
    if (dialog_) {
        SetWindowTextW(dialog_, title.c_str());
        return step(*this);
    }
    if (!Open(title))
        return step(NullContext());
    NetResult result = step(*this);
    Close();
    return result;
}

bool ProgressDialog::Open(const std::wstring& title)
{
    cancelled_ = false;
    focusBefore_ = GetFocus();
    dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), owner_, Procedure,
                                 reinterpret_cast<LPARAM>(this));
    if (!dialog_)
        return false;
    SetWindowTextW(dialog_, title.c_str());
    SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, kBarRange);
    EnableWindow(owner_, FALSE);
    ShowWindow(dialog_, SW_SHOW);
    UpdateWindow(dialog_);
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                   reinterpret_cast<void**>(&taskbar_))) &&
        FAILED(taskbar_->HrInit())) {
        taskbar_->Release();
        taskbar_ = nullptr;
    }
    if (taskbar_)
        taskbar_->SetProgressState(owner_, TBPF_NORMAL);
    return true;
}

void ProgressDialog::Close()
{
    if (taskbar_) {
        taskbar_->SetProgressState(owner_, TBPF_NOPROGRESS);
        taskbar_->Release();
        taskbar_ = nullptr;
    }
    SetThreadExecutionState(ES_CONTINUOUS);
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
    // The focus goes back where the user left it, else to the owner.
    SetFocus(focusBefore_ && IsWindow(focusBefore_) && IsWindowEnabled(focusBefore_) ? focusBefore_ : owner_);
    DestroyWindow(dialog_);
    dialog_ = nullptr;
}

void ProgressDialog::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must see it too, after the step has ended.
            PostQuitMessage(static_cast<int>(message.wParam));
            cancelled_ = true;
            return;
        }
        if (dialog_ && IsDialogMessageW(dialog_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool ProgressDialog::IsCancelled()
{
    Pump();
    return cancelled_;
}

NetResult ProgressDialog::Sleep(uint32_t milliseconds)
{
    return WaitHandles({}, milliseconds) == NetResult::Cancelled ? NetResult::Cancelled : NetResult::Ok;
}

NetResult ProgressDialog::WaitHandle(WaitableHandle handle, uint32_t milliseconds)
{
    return WaitHandles({handle}, milliseconds);
}

NetResult ProgressDialog::WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds)
{
    DWORD count = static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
    DWORD start = GetTickCount();
    for (;;) {
        if (IsCancelled())
            return NetResult::Cancelled;
        DWORD elapsed = GetTickCount() - start;
        if (milliseconds != kWaitForever && elapsed >= milliseconds)
            return NetResult::Failed;
        DWORD left = milliseconds == kWaitForever ? INFINITE : milliseconds - elapsed;
        DWORD status = MsgWaitForMultipleObjects(count, handles.data(), FALSE, left, QS_ALLINPUT);
        if (status < WAIT_OBJECT_0 + count)
            return NetResult::Ok;
        if (status == WAIT_FAILED)
            return NetResult::Failed;
    }
}

void ProgressDialog::ShowError(const std::wstring& text)
{
    wchar_t title[128] = L"";
    GetWindowTextW(dialog_, title, 128);
    MessageBoxW(dialog_, text.c_str(), title, MB_OK | MB_ICONERROR);
}

void ProgressDialog::SetStatus(const std::wstring& text, int line)
{
    SetDlgItemTextW(dialog_, line == 0 ? IDC_PROGRESS_LINE1 : IDC_PROGRESS_LINE2, text.c_str());
}

void ProgressDialog::SetProgress(double fraction)
{
    int position = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kBarRange);
    SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETPOS, position, 0);
    if (taskbar_)
        taskbar_->SetProgressValue(owner_, static_cast<ULONGLONG>(position), kBarRange);
}

void ProgressDialog::BeginBusy()
{
    HWND bar = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
    SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) | PBS_MARQUEE);
    SendMessageW(bar, PBM_SETMARQUEE, TRUE, 50);
    if (taskbar_)
        taskbar_->SetProgressState(owner_, TBPF_INDETERMINATE);
}

void ProgressDialog::EndBusy()
{
    HWND bar = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
    SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
    SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) & ~PBS_MARQUEE);
    if (taskbar_)
        taskbar_->SetProgressState(owner_, TBPF_NORMAL);
}

INT_PTR CALLBACK ProgressDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<ProgressDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        self->cancelled_ = true;
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}
