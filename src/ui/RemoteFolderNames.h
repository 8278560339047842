#pragma once
#include <string>
#include <string_view>

// Up one folder in the remote pane: the parent is the folder cut at its last
// "/" or "\" once a trailing separator is dropped, "/" when nothing is left;
// the row to focus there is the folder that was left.
std::wstring RemoteParent(std::wstring_view folder);
std::wstring FolderLeftByUp(std::wstring_view folder);
