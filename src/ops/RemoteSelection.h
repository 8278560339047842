#pragma once
#include <string>
#include <vector>

#include "ftp/RemoteEntry.h"
#include "ftp/RemoteNames.h"

// Selected rows of the remote pane, as the file commands take them.
struct SelectedRemoteRow {
    std::wstring name;  // as listed: a link listed by LIST keeps " -> target"
    RemoteKind kind = RemoteKind::Unknown;
    std::wstring permissions;  // as listed; a permission change rewrites it
};

struct RemoteSelection {
    std::wstring folder;  // the server's absolute form of the current folder
    std::vector<SelectedRemoteRow> rows;  // in list order
};

inline SelectedRemoteRow RowOf(const RemoteEntry& entry)
{
    RemoteKind kind = !entry.hasKind ? RemoteKind::Unknown
                      : entry.isLink ? RemoteKind::Link
                      : entry.isFolder ? RemoteKind::Folder
                                       : RemoteKind::File;
    return {entry.name, kind, entry.permissions};
}

// The name the server knows a row by: a link listed by LIST without " -> target".
inline std::wstring ServerName(const SelectedRemoteRow& row)
{
    RemoteEntry entry;
    entry.name = row.name;
    entry.isLink = row.kind == RemoteKind::Link;
    return std::wstring(OwnName(entry));
}
