#pragma once
#include <cstdint>
#include <string>

// The kind of a remote name.
enum class RemoteKind : uint8_t { File = 0, Folder = 1, Link = 2, Unknown = 255 };

// One listed file, folder or link. Each has-flag tells whether its field is
// known. The flags lie together: a folder of 100,000 entries is 3 MB smaller.
struct RemoteEntry {
    // As listed, at most 259 units. A link listed by LIST keeps " -> target".
    std::wstring name;
    int64_t modified = 0;  // seconds since 1970-01-01 UTC
    uint64_t size = 0;     // 0 for folders listed as "<DIR>"
    // The Unix column of LIST ("drwxr-xr-x") or the MLSD mode fact ("0755").
    std::wstring permissions;
    std::wstring owner;  // empty for MLSD entries
    std::wstring group;  // empty for MLSD entries
    bool hasModified = false;
    bool hasSize = false;
    bool isFolder = false;
    bool isLink = false;
    bool hasKind = false;  // isFolder and isLink are known
    bool hasPermissions = false;
    bool hasOwner = false;
    bool hasGroup = false;
};

// "." and "..".
inline bool IsDotEntry(const RemoteEntry& entry)
{
    return entry.name == L"." || entry.name == L"..";
}
