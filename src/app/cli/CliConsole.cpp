#include "app/cli/CliConsole.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

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

void Write(DWORD stream, std::wstring_view text);

// Ends the line PrintInPlace left open.
void EndInPlaceLine()
{
    if (inPlaceLength == 0)
        return;
    inPlaceLength = 0;
    Write(STD_OUTPUT_HANDLE, L"\r\n");
}

void Write(DWORD stream, std::wstring_view text)
{
    HANDLE handle = GetStdHandle(stream);
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::string bytes = WideToUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void PrintLine(std::wstring_view text)
{
    EndInPlaceLine();
    Write(STD_OUTPUT_HANDLE, std::wstring(text) + L"\r\n");
}

void PrintError(std::wstring_view text)
{
    EndInPlaceLine();
    Write(STD_ERROR_HANDLE, L"tarnwick-cli: " + std::wstring(text) + L"\r\n");
}

void PrintInPlace(std::wstring_view text)
{
    std::wstring line = L"\r" + std::wstring(text);
    if (text.size() < inPlaceLength)
        line.append(inPlaceLength - text.size(), L' ');  // clears the rest of the longer line before
    Write(STD_OUTPUT_HANDLE, line);
    inPlaceLength = std::max<size_t>(text.size(), 1);
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
        PrintLine(text);
}

void ConsoleTaskContext::SetProgress(double fraction)
{
    if (!showProgress_)
        return;
    int percent = static_cast<int>(std::min(fraction, 1.0) * 100.0);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    PrintLine(std::to_wstring(percent) + L"%");
}
