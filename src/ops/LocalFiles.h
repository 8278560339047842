#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The local side of the transfer jobs: part files, times, clean-up.

// A download is written under this name beside its target and takes the
// target's name only when it is complete.
std::wstring PartPathFor(const std::wstring& target);

// Gives the finished part file the target's name, replacing an older file.
bool CommitPartFile(const std::wstring& part, const std::wstring& target);

// Creation and last-write time, seconds since 1970 UTC.
bool SetLocalFileTime(const std::wstring& path, int64_t utcSeconds);

enum class LocalEntry { None, File, Folder };
// One look at the path: under Wine each look at a missing name reads its
// whole folder.
LocalEntry LocalEntryAt(const std::wstring& path);
bool LocalFileExists(const std::wstring& path);
bool LocalFolderExists(const std::wstring& path);

// Deletes the file, waiting up to 1000 ms for another program to release it.
// True also when there was nothing to delete.
bool DeleteLocalFileWaiting(const std::wstring& path);

// The bytes the user may still write on the volume of the folder; nothing
// when the system cannot tell.
std::optional<uint64_t> FreeBytesFor(const std::wstring& folder);

// The folder part of a local path (up to its last "\" or "/").
std::wstring LocalParent(const std::wstring& path);
