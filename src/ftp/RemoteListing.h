#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "ftp/FtpSession.h"
#include "ftp/RemoteEntry.h"

// The listing of one remote folder, in the order the server sent it. It does
// not refer back to the session, so it stays valid after the session moves on.
class RemoteListing {
public:
    // A deque: a vector of a large folder's entries, regrown as they arrive,
    // would touch twice their memory afresh, and fresh memory is what such a
    // listing costs most.
    std::deque<RemoteEntry> entries;
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

// Facts of a listed entry: the stored value when the listing supplied it,
// otherwise the answer of the matching query on the entry's name, which is then
// stored (also when the query failed, so it is asked once). A cancelled query
// marks the listing cancelled.
int64_t EntryModifiedTime(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
uint64_t EntrySize(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
bool EntryIsFolder(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
bool EntryIsLink(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry);
