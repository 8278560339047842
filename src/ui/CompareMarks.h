#pragma once
#include <string>
#include <string_view>
#include <vector>

// Compare Directories marks, in each pane, the entries of the folder shown
// that hold something to transfer: a difference deep inside a sub-folder
// marks that sub-folder.

// The entry of root that holds name, which lies in folder: name itself when
// folder is root, otherwise folder's first component below root; empty when
// folder is not inside root. separator is "/" (remote) or "\" (local); a
// trailing separator of root or folder is ignored, case counts.
std::wstring EntryOfRoot(std::wstring_view root, std::wstring_view folder, std::wstring_view name,
                         wchar_t separator);

// Adds entry to names unless it is empty or already there.
void AddMark(std::vector<std::wstring>& names, const std::wstring& entry);
