#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "net/TaskContext.h"

// A TaskContext for tests: cancels on request or after a delay, and keeps
// what the operation reported.
class RecordingContext : public NullTaskContext {
public:
    bool IsCancelled() override
    {
        ++polls;
        return cancelled || (cancelAt_ != 0 && static_cast<LONG>(GetTickCount() - cancelAt_) >= 0);
    }
    void CancelAfter(DWORD milliseconds) { cancelAt_ = GetTickCount() + milliseconds; }
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    void SetStatus(const std::wstring& text, int line) override { statuses.push_back({line, text}); }
    void SetProgress(double fraction) override { progress.push_back(fraction); }

    std::atomic<bool> cancelled{false};
    std::atomic<int> polls{0};
    std::vector<std::wstring> errors;
    std::vector<std::pair<int, std::wstring>> statuses;
    std::vector<double> progress;

private:
    DWORD cancelAt_ = 0;
};
