#include "app/cli/CliConsole.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "net/TextCodec.h"

namespace {

std::atomic<bool> interrupted{false};
size_t inPlaceLength = 0;  // of the line PrintInPlace left open; 0 when none

BOOL WINAPI OnConsoleControl(DWORD type)
{
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) {
        interrupted = true;
        return TRUE;
    }
    return FALSE;
}

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

void Write(HANDLE handle, bool console, std::wstring_view text)
{
    DWORD written = 0;
    if (console) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::string bytes = WideToUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Standard output is written in large blocks: a write per line made printing
// a long listing take longer than fetching it. What is held back goes out when
// the block is full, when it has waited long enough to be seen, before
// anything on standard error (to keep the order), before the console is read
// and at exit.
class OutputBuffer {
public:
    void Add(std::wstring_view text)
    {
        if (!started_) {
            started_ = true;
            handle_ = GetStdHandle(STD_OUTPUT_HANDLE);
            console_ = IsConsole(handle_);
            lastFlush_ = GetTickCount64();
            std::atexit(FlushOutput);
        }
        pending_ += text;
        if (pending_.size() >= kFlushUnits || GetTickCount64() - lastFlush_ >= kMaxHoldMs)
            Flush();
    }

    void Flush()
    {
        if (!pending_.empty())
            Write(handle_, console_, pending_);
        pending_.clear();
        lastFlush_ = GetTickCount64();
    }

private:
    static constexpr size_t kFlushUnits = 64 * 1024;
    static constexpr ULONGLONG kMaxHoldMs = 250;

    bool started_ = false;
    HANDLE handle_ = nullptr;
    bool console_ = false;
    ULONGLONG lastFlush_ = 0;
    std::wstring pending_;
};

OutputBuffer& Output()
{
    static OutputBuffer output;
    return output;
}

// A progress line shows at once.
void PrintProgressLine(std::wstring_view text)
{
    PrintLine(text);
    FlushOutput();
}

// Ends the line PrintInPlace left open.
void EndInPlaceLine()
{
    if (inPlaceLength == 0)
        return;
    inPlaceLength = 0;
    Output().Add(L"\r\n");
}

}  // namespace

void PrintLine(std::wstring_view text)
{
    EndInPlaceLine();
    OutputBuffer& output = Output();
    output.Add(text);
    output.Add(L"\r\n");
}

void PrintInPlace(std::wstring_view text)
{
    std::wstring line = L"\r" + std::wstring(text);
    if (text.size() < inPlaceLength)
        line.append(inPlaceLength - text.size(), L' ');  // clears the rest of the longer line before
    Output().Add(line);
    FlushOutput();
    inPlaceLength = std::max<size_t>(text.size(), 1);
}

void FlushOutput()
{
    Output().Flush();
}

void PrintError(std::wstring_view text)
{
    EndInPlaceLine();
    FlushOutput();
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    Write(handle, IsConsole(handle), L"tarnwick-cli: " + std::wstring(text) + L"\r\n");
}

void ConsoleLogEcho::LineAdded(const std::wstring& stamp, const std::wstring& text, LogLevel level)
{
    PrintLine(stamp + L" " + text);
}

ConsoleTaskContext::ConsoleTaskContext(bool showProgress) : showProgress_(showProgress)
{
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool ConsoleTaskContext::IsCancelled()
{
    return interrupted;
}

void ConsoleTaskContext::ShowError(const std::wstring& text)
{
    PrintError(text);
}

void ConsoleTaskContext::SetStatus(const std::wstring& text, int line)
{
    if (showProgress_ && line == 0)
        PrintProgressLine(text);
}

void ConsoleTaskContext::SetProgress(double fraction)
{
    if (!showProgress_)
        return;
    int percent = static_cast<int>(std::min(fraction, 1.0) * 100.0);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    PrintProgressLine(std::to_wstring(percent) + L"%");
}

std::wstring FullLocalPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    std::wstring result = length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
    while (result.size() > 3 && (result.back() == L'\\' || result.back() == L'/'))
        result.pop_back();
    return result;
}
