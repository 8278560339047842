// Facts a listing did not supply, asked of the server when a consumer needs
// them and then kept in the entry.
#include "ftp/RemoteListing.h"

namespace {

void NoteOutcome(NetResult result, RemoteListing& listing)
{
    if (result == NetResult::Cancelled)
        listing.cancelled = true;
}

void FillInKind(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    if (entry.hasKind)
        return;
    RemoteKind kind = RemoteKind::Unknown;
    NoteOutcome(GetRemoteKind(context, session, entry.name, kind), listing);
    entry.isFolder = kind == RemoteKind::Folder || kind == RemoteKind::Link;
    entry.isLink = kind == RemoteKind::Link;
    entry.hasKind = true;
}

}  // namespace

int64_t EntryModifiedTime(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    if (!entry.hasModified) {
        NoteOutcome(GetRemoteModifiedTime(context, session, entry.name, entry.modified), listing);
        entry.hasModified = true;
    }
    return entry.modified;
}

uint64_t EntrySize(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    if (!entry.hasSize) {
        NoteOutcome(GetRemoteSize(context, session, entry.name, entry.size), listing);
        entry.hasSize = true;
    }
    return entry.size;
}

bool EntryIsFolder(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    FillInKind(context, session, listing, entry);
    return entry.isFolder;
}

bool EntryIsLink(TaskContext& context, FtpSession& session, RemoteListing& listing, RemoteEntry& entry)
{
    FillInKind(context, session, listing, entry);
    return entry.isLink;
}
