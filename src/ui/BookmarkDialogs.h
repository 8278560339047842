#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "store/PaneSide.h"

// "Add Bookmark": the folder to bookmark, starting from folder. The "..."
// button picks a local folder and is hidden when browse is false (remote
// paths cannot be picked). OK with an empty field keeps the dialog open.
// Nothing when cancelled.
std::optional<std::wstring> AskBookmarkFolder(HWND owner, const std::wstring& folder, bool browse);

// "Remove Bookmark": the pane's list, whose selected rows "Delete" removes
// after asking.
void EditBookmarks(HWND owner, PaneSide side);
