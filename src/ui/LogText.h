#pragma once
#include <string>
#include <string_view>

// "Command: PASS " and one '*' per password byte for a PASS line; otherwise
// "Command: " and the UTF-8 command line, trimmed of blanks and controls.
std::wstring CommandLogText(std::string_view commandLine);

// "Response:  " (two spaces) and the reply line, trimmed of blanks and controls.
std::wstring ResponseLogText(std::string_view replyLine);

// The time stamp and the name of the day's log file for a local time.
std::wstring LogTimeStamp(int hour, int minute, int second);
std::wstring LogFileName(int year, int month, int day);
