#pragma once
#include <string>
#include <string_view>

#include "net/LogLevel.h"

// The session log as the engine sees it: every command it sends and every
// final reply, its warnings and its errors go through these calls to whatever
// sink the program installed (the daily file and the log panel, a test's
// capture); every sink added receives every line. Without one the lines are
// dropped.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void Write(std::wstring_view text, LogLevel level) = 0;
};

// Adding a sink twice has no effect.
void AddLogSink(LogSink* sink);
void RemoveLogSink(LogSink* sink);

void LogWrite(std::wstring_view text, LogLevel level);
void LogWriteJoined(std::wstring_view text, std::wstring_view suffix, LogLevel level);
// printf-style lines; a message keeps at most 511 characters.
void LogInfo(const wchar_t* format, ...);
void LogError(const wchar_t* format, ...);
void LogWarning(const wchar_t* format, ...);
// A command line about to be sent, with a PASS argument masked.
void LogCommand(std::string_view commandLine);

// "Command: PASS " and one '*' per password byte for a PASS line; otherwise
// "Command: " and the UTF-8 command line, trimmed of blanks and controls.
std::wstring CommandLogText(std::string_view commandLine);

// "Response:  " (two spaces) and the reply line, trimmed of blanks and controls.
std::wstring ResponseLogText(std::string_view replyLine);
