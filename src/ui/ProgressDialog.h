#pragma once
#include <windows.h>

#include <shobjidl.h>

#include "net/TaskContext.h"
#include "ops/ProgressRunner.h"

// The modeless progress dialog in which every long step runs on the main
// thread: it disables its owner, keeps the message queue moving whenever
// the step asks whether to stop or waits, shows the step's two status lines
// and its progress (also on the taskbar button), and keeps the computer
// awake until the step ends.
class ProgressDialog : public ProgressRunner, private TaskContext {
public:
    explicit ProgressDialog(HWND owner) : owner_(owner) {}
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    NetResult Run(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step) override;
    // The window of the step running now; null between steps.
    HWND Dialog() const { return dialog_; }

private:
    bool IsCancelled() override;
    NetResult Sleep(uint32_t milliseconds) override;
    NetResult WaitHandle(WaitableHandle handle, uint32_t milliseconds) override;
    NetResult WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds) override;
    void ShowError(const std::wstring& text) override;
    void SetStatus(const std::wstring& text, int line) override;
    void SetProgress(double fraction) override;
    void BeginBusy() override;
    void EndBusy() override;

    bool Open(const std::wstring& title);
    void Close();
    // Dispatches every queued message; a quit request cancels the step.
    void Pump();
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    HWND dialog_ = nullptr;
    HWND focusBefore_ = nullptr;
    ITaskbarList3* taskbar_ = nullptr;
    bool cancelled_ = false;
};
