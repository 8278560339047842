#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "ops/RemoteFolderHistory.h"

// Where the remote pane's Up, Back and Forward lead.

// The parent for Up: a trailing separator is cut first, then everything from
// the last "/" or "\"; "/" when nothing is left.
std::wstring RemoteParentFolder(std::wstring_view folder);

// The last component of a folder, the row that Up focuses in the parent;
// empty for "/".
std::wstring RemoteFolderName(std::wstring_view folder);

// Back goes one step older, only to an entry that holds a folder; Forward one
// step newer while the position is above 0, also only to a folder. Nothing
// when the step cannot be made.
std::optional<size_t> OlderHistoryPosition(const RemoteFolderHistory& history);
std::optional<size_t> NewerHistoryPosition(const RemoteFolderHistory& history);
