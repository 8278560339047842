#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/PaneSide.h"
#include "store/Registry.h"
#include "store/UserPrompt.h"

// Each saved site keeps a local and a remote bookmark list below the slot of
// the current user: values "0", "1", … of its LocalBookmarks or
// RemoteBookmarks key, each a folder path, without duplicates.

// The current site's list key for a pane; a key with an empty path when no
// site is current (bookmarks then have nowhere to go).
RegKeyRef BookmarkListKey(PaneSide side);

// Read afresh every time a menu or dialog is built.
std::vector<std::wstring> ReadBookmarks(PaneSide side);

enum class AddBookmarkResult { Added, AlreadyListed, EmptyPath, QuickConnection, NoSite };

// Texts of the refusals the Add Bookmark dialog shows.
constexpr std::wstring_view kEnterBookmarkFolder = L"Please enter the directory to bookmark.";
constexpr std::wstring_view kCannotAddBookmarkCaption = L"Cannot add bookmark";
constexpr std::wstring_view kNoQuickConnectBookmarks = L"You cannot add bookmarks to Quick Connect sites";

// Stores path under the first free number unless the list holds it exactly.
AddBookmarkResult AddBookmark(PaneSide side, std::wstring_view path);

// "Delete" in the Remove Bookmark dialog: once the user confirms, the rows
// not selected are written back from "0". Returns the rows left to show.
std::vector<std::wstring> DeleteBookmarks(PaneSide side, const std::vector<std::wstring>& rows,
                                          const std::vector<size_t>& selectedRows, UserPrompt& prompt);

// After files or folders were deleted: drops the bookmarks equal to one of
// the deleted paths and closes the gaps.
void ForgetBookmarks(PaneSide side, const std::vector<std::wstring>& deletedPaths);
