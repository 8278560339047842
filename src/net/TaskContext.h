#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/NetResult.h"

// A waitable kernel object (a Windows HANDLE); kept opaque so that this header
// pulls in no Windows header.
using WaitableHandle = void*;

constexpr uint32_t kWaitForever = 0xFFFFFFFFu;

// The seam between long operations and whoever runs them: cancellation,
// message-aware waits, error display, status lines and progress.
class TaskContext {
public:
    virtual ~TaskContext() = default;

    virtual bool IsCancelled() = 0;
    virtual NetResult Sleep(uint32_t milliseconds) = 0;
    virtual NetResult WaitHandle(WaitableHandle handle, uint32_t milliseconds) = 0;
    virtual NetResult WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds) = 0;
    NetResult SleepForever() { return Sleep(kWaitForever); }
    NetResult WaitHandleForever(WaitableHandle handle) { return WaitHandle(handle, kWaitForever); }
    NetResult WaitHandlesForever(const std::vector<WaitableHandle>& handles) { return WaitHandles(handles, kWaitForever); }
    virtual void ShowError(const std::wstring& text) = 0;
    virtual void SetStatus(const std::wstring& text, int line) = 0;
    virtual void SetProgress(double fraction) = 0;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
};

// Never stops, really waits, shows nothing.
class NullTaskContext : public TaskContext {
public:
    bool IsCancelled() override { return false; }
    NetResult Sleep(uint32_t milliseconds) override;
    NetResult WaitHandle(WaitableHandle handle, uint32_t milliseconds) override;
    NetResult WaitHandles(const std::vector<WaitableHandle>& handles, uint32_t milliseconds) override;
    void ShowError(const std::wstring&) override {}
    void SetStatus(const std::wstring&, int) override {}
    void SetProgress(double) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
};

// The process-wide NullTaskContext for callers without a progress display.
NullTaskContext& NullContext();
