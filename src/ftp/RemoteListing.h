#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ftp/FtpSession.h"

// The kind of a remote name.
enum class RemoteKind : uint8_t { File = 0, Folder = 1, Link = 2, Unknown = 255 };

// One listed file, folder or link. Each has-flag tells whether the field
// before it is known.
struct RemoteEntry {
    // As listed, at most 259 units. A link listed by LIST keeps " -> target".
    std::wstring name;
    int64_t modified = 0;  // seconds since 1970-01-01 UTC
    bool hasModified = false;
    uint64_t size = 0;  // 0 for folders listed as "<DIR>"
    bool hasSize = false;
    bool isFolder = false;
    bool isLink = false;
    bool hasKind = false;  // isFolder and isLink are known
    // The Unix column of LIST ("drwxr-xr-x") or the MLSD mode fact ("0755").
    std::wstring permissions;
    bool hasPermissions = false;
    std::wstring owner;  // empty for MLSD entries
    bool hasOwner = false;
    std::wstring group;  // empty for MLSD entries
    bool hasGroup = false;
};

// The listing of one remote folder, in the order the server sent it. It does
// not refer back to the session, so it stays valid after the session moves on.
class RemoteListing {
public:
    std::vector<RemoteEntry> entries;
    size_t count = 0;
    size_t cursor = 0;  // index of the current entry; entries.size() past the end
    bool dataConnectionFailed = false;  // the data connection could not be opened
    bool cancelled = false;
    bool succeeded = false;

    void Clear();
    // The entry at the cursor, or null past the end.
    RemoteEntry* Current();
    // Moves the cursor on; false when it has passed the last entry.
    bool Next();
};

// Lists the session's current folder: MLSD when the server offers it, LIST
// otherwise (also on the same data connection when MLSD is refused).
NetResult ListRemoteFolder(TaskContext& context, FtpSession& session, RemoteListing& listing);

// Per-name queries, each trying the server's commands from the most exact to
// the most widely supported.
NetResult GetRemoteModifiedTime(TaskContext& context, FtpSession& session, const std::wstring& name, int64_t& time);
NetResult GetRemoteSize(TaskContext& context, FtpSession& session, const std::wstring& name, uint64_t& size);
NetResult GetRemoteKind(TaskContext& context, FtpSession& session, const std::wstring& path, RemoteKind& kind);
// Empty text when the name is not found.
NetResult GetRemotePermissions(TaskContext& context, FtpSession& session, const std::wstring& name,
                               std::wstring& text);
NetResult GetRemoteOwner(TaskContext& context, FtpSession& session, const std::wstring& name, std::wstring& text);
NetResult GetRemoteGroup(TaskContext& context, FtpSession& session, const std::wstring& name, std::wstring& text);

// Whether the current folder holds an entry of exactly this name.
bool FindRemoteEntry(TaskContext& context, FtpSession& session, const std::wstring& name);

// "." and "..".
bool IsDotEntry(const RemoteEntry& entry);

// Facts of a listed entry: the stored value when the listing supplied it,
// otherwise the answer of the matching query on the entry's name, which is then
// stored (also when the query failed, so it is asked once). A cancelled query
// marks the listing cancelled.
int64_t EntryModifiedTime(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
uint64_t EntrySize(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
bool EntryIsFolder(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
bool EntryIsLink(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
