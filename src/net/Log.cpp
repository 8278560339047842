#include "net/Log.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "net/TextCodec.h"

namespace {

std::vector<LogSink*>& Sinks()
{
    static std::vector<LogSink*> sinks;
    return sinks;
}

void LogFormatted(LogLevel level, const wchar_t* format, va_list args)
{
    std::vector<wchar_t> buffer(512);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size())
            break;
        if (buffer.size() >= 65536) {
            buffer[0] = L'\0';
            break;
        }
        buffer.resize(buffer.size() * 4);
    }
    std::wstring text(buffer.data());
    LogWrite(CutText(text, 511), level);
}

}  // namespace

void AddLogSink(LogSink* sink)
{
    if (std::find(Sinks().begin(), Sinks().end(), sink) == Sinks().end())
        Sinks().push_back(sink);
}

void RemoveLogSink(LogSink* sink)
{
    std::erase(Sinks(), sink);
}

void LogWrite(std::wstring_view text, LogLevel level)
{
    if (text.empty())
        return;
    for (LogSink* sink : Sinks())
        sink->Write(text, level);
}

void LogWriteJoined(std::wstring_view text, std::wstring_view suffix, LogLevel level)
{
    LogWrite(std::wstring(text) + std::wstring(suffix), level);
}

void LogInfo(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    LogFormatted(LogInformation, format, args);
    va_end(args);
}

void LogError(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    LogFormatted(LogErrorLevel, format, args);
    va_end(args);
}

void LogWarning(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    LogFormatted(LogWarningLevel, format, args);
    va_end(args);
}

void LogCommand(std::string_view commandLine)
{
    LogWrite(CommandLogText(commandLine), LogCommandLevel);
}

std::wstring CommandLogText(std::string_view commandLine)
{
    if (commandLine.starts_with("PASS")) {
        // The password itself never reaches the log.
        size_t stars = 0;
        for (size_t i = 5; i < commandLine.size() && commandLine[i] != '\r' && commandLine[i] != '\n'; ++i)
            ++stars;
        return L"Command: PASS " + std::wstring(stars, L'*');
    }
    return TrimControlsAndSpaces(L"Command: " + Utf8ToWide(commandLine));
}

std::wstring ResponseLogText(std::string_view replyLine)
{
    return L"Response:  " + TrimControlsAndSpaces(Utf8ToWide(replyLine));
}
