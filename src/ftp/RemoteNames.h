#pragma once
#include <string>
#include <string_view>

#include "ftp/ListingParser.h"
#include "ftp/RemoteEntry.h"

// Remote paths as the per-name queries take them apart (UTF-8, '/' or '\').

// The folder holding a path: up to its last separator, "/" for a name
// directly under the root, empty for a bare name (the current folder).
std::string ParentFolder(std::string_view path);

// The last component of a path.
std::string_view FileNamePart(std::string_view path);

// `*` stands for any run of bytes, `?` for one byte; A-Z match a-z.
bool MatchesWildcard(std::string_view pattern, std::string_view text);

// A LIST line names the requested path when its own name (a link's without
// " -> target") is the path or the path's last component: servers list
// "LIST dir/file" as "file" or as "dir/file".
bool ListedNameIs(const ListingLine& line, std::string_view path);

// A listed entry's own name: a link listed by LIST without " -> target".
std::wstring_view OwnName(const RemoteEntry& entry);

// folder + "/" + name, without doubling a "/" the folder ends in.
std::wstring JoinRemotePath(std::wstring_view folder, std::wstring_view name);

// Why a listed name is suspicious, for the log: it holds "/" or "\", it is
// exactly a drive name ("C:"), or it is longer than 259 characters. Empty for
// any other name.
std::wstring_view SuspiciousNameReason(std::wstring_view name);
