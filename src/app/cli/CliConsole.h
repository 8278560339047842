#pragma once
#include <string>
#include <string_view>

#include "net/TaskContext.h"
#include "ui/SessionLog.h"

// Console output in UTF-8 (or UTF-16 to a real console window).
void PrintLine(std::wstring_view text);
void PrintError(std::wstring_view text);
// Rewrites the current console line (CR, no new line); the next PrintLine
// or PrintError starts on a line of its own.
void PrintInPlace(std::wstring_view text);
// Writes out what standard output holds back.
void FlushOutput();

// Echoes every session log line to the console while it is registered.
class ConsoleLogEcho : public LogView {
public:
    ConsoleLogEcho() { RegisterLogView(this); }
    ~ConsoleLogEcho() override { UnregisterLogView(this); }

protected:
    void LineAdded(const std::wstring& stamp, const std::wstring& text, LogLevel level) override;
};

// Cancelled by Ctrl+C; shows status and progress on the console when asked.
class ConsoleTaskContext : public NullTaskContext {
public:
    explicit ConsoleTaskContext(bool showProgress = false);
    bool IsCancelled() override;
    void ShowError(const std::wstring& text) override;
    void SetStatus(const std::wstring& text, int line) override;
    void SetProgress(double fraction) override;

private:
    bool showProgress_;
    int lastPercent_ = -1;
};

// A local path given on the command line as a full path, without trailing
// separators (a drive's root keeps its own).
std::wstring FullLocalPath(const std::wstring& path);
