#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Appends the session log's lines to their day's file on a thread of its own.
// A transfer of many small files logs several lines per file, and opening,
// appending to and closing the file for each line cost the transfer more than
// the file itself; the caller now only queues the line, and a log file that
// another program keeps locked no longer stalls the window. Lines queued
// within kGatherMs of the first waiting one reach their file in one write, so
// the file is still opened only for a moment, never held open between
// writes, and another instance's lines never land inside one of ours.
class LogFileWriter {
public:
    static constexpr DWORD kGatherMs = 20;

    // The process's writer. It is never destroyed: lines may still be queued
    // while the program's static objects are torn down. What is queued when
    // the program returns from main is written out first.
    static LogFileWriter& Instance();

    void Append(const std::wstring& path, const std::string& line);
    // Returns once every line queued before the call is in its file, or lost
    // to a file that stayed locked past the retry budget.
    void Flush();

private:
    LogFileWriter() = default;
    static DWORD WINAPI Run(void* writer);
    void WriteBatches();

    struct Batch {
        std::wstring path;
        std::string text;
    };
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    std::vector<Batch> queued_;
    bool writing_ = false;
    bool flushWanted_ = false;
    HANDLE thread_ = nullptr;
};
