#pragma once
#include <atomic>

#include "net/ProgressSliceContext.h"

// Set while the computer is going to or is in standby. The window sets it
// from the power notifications; a running transfer sees it as a cancel and
// resumes once it is clear again.
class StandbyFlag {
public:
    void Begin() { active_ = true; }
    void End() { active_ = false; }
    bool Active() const { return active_; }

private:
    std::atomic<bool> active_{false};
};

StandbyFlag& Standby();

// The context of one file's transfer: the job's context, whose progress it
// fills as a slice, cancelled also while the standby flag is set.
class FileTransferContext : public ProgressSliceContext {
public:
    FileTransferContext(TaskContext& job, double done, double total) : ProgressSliceContext(job, done, total) {}
    bool IsCancelled() override { return Standby().Active() || ProgressSliceContext::IsCancelled(); }
};
