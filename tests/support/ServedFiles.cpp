#include "support/ServedFiles.h"

#include <windows.h>

#include <ctime>

int64_t WholeMinuteNow()
{
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    return now - now % 60;
}

namespace {

void SetTime(HANDLE file, int64_t seconds)
{
    // FILETIME counts 100 ns from 1601.
    uint64_t ticks = static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
}

}  // namespace

void SetModifiedTime(const std::wstring& path, int64_t seconds)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetTime(file, seconds);
    CloseHandle(file);
}

void MakeServedFile(const std::wstring& path, const std::string& bytes, int64_t modified)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    SetTime(file, modified);
    CloseHandle(file);
}

void MakeServedFolder(const std::wstring& path)
{
    CreateDirectoryW(path.c_str(), nullptr);
}

bool PathExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
