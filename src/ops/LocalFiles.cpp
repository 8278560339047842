#include "ops/LocalFiles.h"

#include <windows.h>

std::wstring PartPathFor(const std::wstring& target)
{
    return target + L".tarnwick-part";
}

bool CommitPartFile(const std::wstring& part, const std::wstring& target)
{
    return MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool SetLocalFileTime(const std::wstring& path, int64_t utcSeconds)
{
    // FILETIME counts 100 ns from 1601-01-01 UTC.
    uint64_t units = static_cast<uint64_t>(utcSeconds) * 10000000ull + 116444736000000000ull;
    FILETIME time{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool set = SetFileTime(file, &time, nullptr, &time) != 0;
    CloseHandle(file);
    return set;
}

LocalEntry LocalEntryAt(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LocalEntry::None;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? LocalEntry::Folder : LocalEntry::File;
}

bool LocalFileExists(const std::wstring& path)
{
    return LocalEntryAt(path) == LocalEntry::File;
}

bool LocalFolderExists(const std::wstring& path)
{
    return LocalEntryAt(path) == LocalEntry::Folder;
}

bool DeleteLocalFileWaiting(const std::wstring& path)
{
    for (int waited = 0;; waited += 100) {
        if (DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
        if (waited >= 1000)
            return false;
        Sleep(100);
    }
}

std::optional<uint64_t> FreeBytesFor(const std::wstring& folder)
{
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr))
        return std::nullopt;
    return available.QuadPart;
}

std::wstring LocalParent(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
