#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ftp/RemoteEntry.h"

// One row of the remote pane, as the listing gave it; the window formats the
// columns, picks the icon and sorts.
struct RemoteRow {
    RemoteKind kind = RemoteKind::File;  // File, Folder or Link
    std::wstring name;
    int64_t modified = 0;  // seconds since 1970-01-01 UTC
    uint64_t size = 0;     // 0 for folders
    std::wstring permissions;
    std::wstring owner;
    std::wstring group;
};

// The listed name as the pane shows it: at most 259 characters, a trailing
// "/" cut from names longer than one character ("dir/" is "dir", "/" stays).
std::wstring RemoteRowName(std::wstring_view listed);
// The same name as the start of the listed one, without a copy.
std::wstring_view RemoteRowNameIn(std::wstring_view listed);
