#pragma once
#include <string>
#include <string_view>

// Where the remote pane's Up leads.

// The parent for Up: a trailing separator is cut first, then everything from
// the last "/" or "\"; "/" when nothing is left.
std::wstring RemoteParentFolder(std::wstring_view folder);

// The last component of a folder, the row that Up focuses in the parent;
// empty for "/".
std::wstring RemoteFolderName(std::wstring_view folder);
