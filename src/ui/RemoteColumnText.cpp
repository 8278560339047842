#include "ui/RemoteColumnText.h"

#include <cstdio>
#include <ctime>

#include "ftp/RemoteTime.h"

std::wstring_view RemoteTypeText(RemoteKind kind)
{
    switch (kind) {
    case RemoteKind::Folder:
        return L"Folder";
    case RemoteKind::Link:
        return L"Link";
    default:
        return L"File";
    }
}

int64_t SystemLocalClock(int64_t utcSeconds)
{
    std::time_t moment = static_cast<std::time_t>(utcSeconds);
    const std::tm* local = std::localtime(&moment);
    if (!local)  // outside what the C library converts
        return utcSeconds;
    // The local fields read as if they were UTC give the seconds of the local clock.
    CalendarTime fields{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                        local->tm_hour,        local->tm_min,     local->tm_sec};
    return UtcTimeToSeconds(fields).value_or(utcSeconds);
}

uint64_t RemoteKilobytes(uint64_t bytes)
{
    return bytes / 1024 + (bytes % 1024 != 0);
}

std::wstring RemoteSizeText(uint64_t bytes)
{
    std::wstring digits = std::to_wstring(RemoteKilobytes(bytes));
    std::wstring text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += L',';
        text += digits[i];
    }
    return text + L" KB";
}

std::wstring RemoteDateText(int64_t localSeconds)
{
    CalendarTime date = SecondsToUtcTime(localSeconds);
    wchar_t text[40];
    std::swprintf(text, 40, L"%04d-%02d-%02d %02d:%02d", static_cast<int>(date.year), static_cast<int>(date.month),
                  static_cast<int>(date.day), static_cast<int>(date.hour), static_cast<int>(date.minute));
    return text;
}

std::wstring_view RemoteTextField(const RemoteRow& row, RemoteColumn column)
{
    switch (column) {
    case RemoteColumn::Type:
        return RemoteTypeText(row.kind);
    case RemoteColumn::Permissions:
        return row.permissions;
    case RemoteColumn::Owner:
        return row.owner;
    case RemoteColumn::Group:
        return row.group;
    default:
        return row.name;
    }
}

std::wstring RemoteColumnText(const RemoteRow& row, RemoteColumn column, LocalClock toLocal)
{
    switch (column) {
    case RemoteColumn::Size:
        return row.kind == RemoteKind::Folder ? std::wstring() : RemoteSizeText(row.size);
    case RemoteColumn::Date:
        return row.modified == 0 ? std::wstring() : RemoteDateText(toLocal(row.modified));
    default:
        return std::wstring(RemoteTextField(row, column));
    }
}

std::wstring RemoteColumnSample(RemoteColumn column)
{
    switch (column) {
    case RemoteColumn::Name:
        return L"file name.txt";
    case RemoteColumn::Size:
        return RemoteSizeText(1'000'000'000);
    case RemoteColumn::Date:
        return RemoteDateText(1'798'498'680);  // 2026-12-28 22:58
    case RemoteColumn::Type:
        return std::wstring(RemoteTypeText(RemoteKind::Folder));
    case RemoteColumn::Permissions:
        return L"drwxr-xr-x";
    default:
        return L"";
    }
}
