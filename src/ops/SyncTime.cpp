#include "ops/SyncTime.h"

#include <cwchar>

#include "ftp/RemoteTime.h"

namespace {

int64_t Span(TimePrecision precision)
{
    switch (precision) {
    case TimePrecision::Day:
        return 86400;
    case TimePrecision::Minute:
        return 60;
    default:
        return 1;
    }
}

// later lies at least one span after earlier (no overflow at the ends of the range).
bool SpanAfter(int64_t later, int64_t earlier, TimePrecision earlierPrecision)
{
    return later > earlier &&
           static_cast<uint64_t>(later) - static_cast<uint64_t>(earlier) >= static_cast<uint64_t>(Span(earlierPrecision));
}

}  // namespace

TimeOrder CompareSyncTimes(const SyncTime& local, const SyncTime& remote)
{
    if (local.precision == TimePrecision::Unknown || remote.precision == TimePrecision::Unknown)
        return TimeOrder::Unknown;
    if (SpanAfter(local.seconds, remote.seconds, remote.precision))
        return TimeOrder::LocalNewer;
    if (SpanAfter(remote.seconds, local.seconds, local.precision))
        return TimeOrder::RemoteNewer;
    return TimeOrder::Same;
}

std::wstring FormatSyncTime(const SyncTime& time)
{
    if (time.precision == TimePrecision::Unknown)
        return L"no time";
    CalendarTime t = SecondsToUtcTime(time.seconds);
    wchar_t text[48];
    if (time.precision == TimePrecision::Second)
        swprintf(text, 48, L"%04d-%02d-%02d %02d:%02d:%02d UTC", t.year, t.month, t.day, t.hour, t.minute, t.second);
    else
        swprintf(text, 48, L"%04d-%02d-%02d %02d:%02d UTC", t.year, t.month, t.day, t.hour, t.minute);
    return time.precision == TimePrecision::Day ? L"the day from " + std::wstring(text) : std::wstring(text);
}
