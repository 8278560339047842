#pragma once
#include "net/TaskContext.h"

// A child operation's context: everything goes to the parent, but the child's
// progress f (0 to 1) is reported as (done + f) / total, the slice of the
// parent's work the child does.
class ProgressSliceContext : public TaskContext {
public:
    ProgressSliceContext(TaskContext& parent, double done, double total);

    bool IsCancelled() override;
    NetResult Sleep(uint32_t milliseconds) override;
    NetResult WaitHandle(WaitableHandle handle, uint32_t milliseconds) override;
    NetResult WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds) override;
    void ShowError(const std::wstring& text) override;
    void SetStatus(const std::wstring& text, int line) override;
    void SetProgress(double fraction) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    TaskContext& parent_;
    double done_;
    double total_;
};
