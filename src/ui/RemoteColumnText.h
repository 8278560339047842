#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ops/RemoteRow.h"
#include "ui/RemoteSort.h"

// A UTC moment (seconds since 1970) as seconds since 1970 on the local clock.
using LocalClock = int64_t (*)(int64_t utcSeconds);
// The C library's local time zone, daylight saving as in force at that moment.
int64_t SystemLocalClock(int64_t utcSeconds);

// The text of one cell of the remote list: sizes in whole kilobytes rounded up
// ("1,235 KB", empty for folders), "Folder", "Link" or "File", the local
// modification time as "2026-03-04 07:05" (empty when the server gave none).
std::wstring RemoteColumnText(const RemoteRow& row, RemoteColumn column, LocalClock toLocal = SystemLocalClock);

// The text of the Name, Type, Permissions, Owner and Group columns (Name for
// the others).
std::wstring_view RemoteTextField(const RemoteRow& row, RemoteColumn column);
// "Folder", "Link" or "File".
std::wstring_view RemoteTypeText(RemoteKind kind);
// Whole kilobytes, rounded up: 1 byte is 1 KB, 0 bytes 0 KB.
uint64_t RemoteKilobytes(uint64_t bytes);
std::wstring RemoteSizeText(uint64_t bytes);
// Seconds since 1970 on the local clock, as "YYYY-MM-DD HH:MM".
std::wstring RemoteDateText(int64_t localSeconds);

// A text as wide as the column's cells mostly need, for fitting the column:
// a short file name, the size of a 1 GB file, a date with wide digits,
// "Folder", "drwxr-xr-x"; empty where the header is the guide (Owner, Group).
std::wstring RemoteColumnSample(RemoteColumn column);
