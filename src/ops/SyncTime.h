#pragma once
#include <cstdint>
#include <string>

// How exactly a modification time is known. MLSD, MLST and MDTM give seconds;
// LIST gives minutes for recent files and only the day for older ones.
enum class TimePrecision : uint8_t { Unknown, Day, Minute, Second };

// A modification time in seconds since 1970 UTC: the start of the second,
// minute or day that was stated.
struct SyncTime {
    int64_t seconds = 0;
    TimePrecision precision = TimePrecision::Unknown;
};

enum class TimeOrder : uint8_t { Same, LocalNewer, RemoteNewer, Unknown };

// Each time stands for the span its precision leaves open (a minute from
// 10:00 is 10:00:00 to 10:00:59); times whose spans overlap are the same, so a
// file downloaded with its time to the second matches a LIST line that shows
// only the minute. Unknown when either time is unknown.
TimeOrder CompareSyncTimes(const SyncTime& local, const SyncTime& remote);

// "2024-03-01 10:00:05 UTC", "2024-03-01 10:00 UTC", "the day from
// 2024-02-29 23:00 UTC" or "no time".
std::wstring FormatSyncTime(const SyncTime& time);
