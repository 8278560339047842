#include "ui/LogFileWriter.h"

#include <cstdlib>

#include "net/FileRetry.h"

namespace {

// Opened for appending only: each write lands at the end, also when another
// instance wrote since, and no seek is needed.
void AppendToFile(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileWithRetry(path, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

LogFileWriter& LogFileWriter::Instance()
{
    static LogFileWriter* writer = [] {
        auto* created = new LogFileWriter;
        std::atexit([] { Instance().Flush(); });
        return created;
    }();
    return *writer;
}

void LogFileWriter::Append(const std::wstring& path, const std::string& line)
{
    AcquireSRWLockExclusive(&lock_);
    if (!thread_)
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    bool wasEmpty = queued_.empty();
    if (!wasEmpty && queued_.back().path == path)
        queued_.back().text += line;
    else
        queued_.push_back({path, line});
    bool threaded = thread_ != nullptr;
    ReleaseSRWLockExclusive(&lock_);
    if (!threaded) {  // no thread to be had: write at once
        WriteBatches();
        return;
    }
    if (wasEmpty)
        WakeAllConditionVariable(&changed_);
}

void LogFileWriter::Flush()
{
    AcquireSRWLockExclusive(&lock_);
    if (!thread_) {
        ReleaseSRWLockExclusive(&lock_);
        WriteBatches();
        return;
    }
    flushWanted_ = true;
    WakeAllConditionVariable(&changed_);
    while (!queued_.empty() || writing_)
        SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    flushWanted_ = false;
    ReleaseSRWLockExclusive(&lock_);
}

DWORD WINAPI LogFileWriter::Run(void* writer)
{
    auto* self = static_cast<LogFileWriter*>(writer);
    for (;;) {
        AcquireSRWLockExclusive(&self->lock_);
        while (self->queued_.empty())
            SleepConditionVariableSRW(&self->changed_, &self->lock_, INFINITE, 0);
        // Let the lines of the next moments join the first one, unless
        // somebody waits for them.
        DWORD start = GetTickCount();
        for (DWORD waited = 0; !self->flushWanted_ && waited < kGatherMs; waited = GetTickCount() - start)
            SleepConditionVariableSRW(&self->changed_, &self->lock_, kGatherMs - waited, 0);
        ReleaseSRWLockExclusive(&self->lock_);
        self->WriteBatches();
    }
}

void LogFileWriter::WriteBatches()
{
    AcquireSRWLockExclusive(&lock_);
    std::vector<Batch> batches;
    batches.swap(queued_);
    writing_ = true;
    ReleaseSRWLockExclusive(&lock_);
    for (const Batch& batch : batches)
        AppendToFile(batch.path, batch.text);
    AcquireSRWLockExclusive(&lock_);
    writing_ = false;
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&changed_);
}
