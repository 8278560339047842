#pragma once
#include <string>

// The time stamp and the name of the day's log file for a local time.
std::wstring LogTimeStamp(int hour, int minute, int second);
std::wstring LogFileName(int year, int month, int day);
