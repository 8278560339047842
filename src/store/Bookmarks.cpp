#include "store/Bookmarks.h"

#include <algorithm>

#include "net/TextCodec.h"
#include "store/NumberedValues.h"
#include "store/SiteStore.h"

namespace {

// An unsaved quick connection has no site tree to hold bookmarks.
constexpr std::wstring_view kQuickConnectionLabel = L"Quick Connection";

bool Contains(const std::vector<std::wstring>& list, std::wstring_view text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

RegKeyRef BookmarkListKey(PaneSide side)
{
    CurrentSiteName current = ReadCurrentSiteName();
    RegKeyRef serverKey = SiteServerKey(current.label, current.server);
    std::wstring slot = FindUserSlot(current.label, current.server, current.user);
    RegKeyRef slotKey = ChildKey(serverKey, slot.empty() ? L"0" : slot);
    return ChildKey(slotKey, side == PaneSide::Local ? L"LocalBookmarks" : L"RemoteBookmarks");
}

std::vector<std::wstring> ReadBookmarks(PaneSide side)
{
    return ReadNumberedValues(BookmarkListKey(side));
}

AddBookmarkResult AddBookmark(PaneSide side, std::wstring_view path)
{
    if (path.empty())
        return AddBookmarkResult::EmptyPath;
    if (ReadString(SettingsKey(), L"Current") == kQuickConnectionLabel)
        return AddBookmarkResult::QuickConnection;
    RegKeyRef key = BookmarkListKey(side);
    if (key.path.empty())
        return AddBookmarkResult::NoSite;
    // Paths are 259 characters at most; a longer value could not be read back.
    std::wstring text = CutText(path);
    size_t number = 0;
    for (;; ++number) {
        std::wstring name = std::to_wstring(number);
        if (!ValueExists(key, name))
            break;
        if (ReadString(key, name) == text)
            return AddBookmarkResult::AlreadyListed;
    }
    WriteString(key, std::to_wstring(number), text);
    return AddBookmarkResult::Added;
}

std::vector<std::wstring> DeleteBookmarks(PaneSide side, const std::vector<std::wstring>& rows,
                                          const std::vector<size_t>& selectedRows, UserPrompt& prompt)
{
    if (selectedRows.empty())
        return rows;
    PromptQuestion question{L"Confirm Delete", L"Are you sure you want to delete the selected bookmarks?",
                            L"Delete", L""};
    if (!prompt.Ask(question).accepted)
        return rows;
    std::vector<std::wstring> kept;
    for (size_t row = 0; row < rows.size(); ++row)
        if (std::find(selectedRows.begin(), selectedRows.end(), row) == selectedRows.end())
            kept.push_back(rows[row]);
    WriteNumberedValues(BookmarkListKey(side), kept);
    return ReadBookmarks(side);
}

void ForgetBookmarks(PaneSide side, const std::vector<std::wstring>& deletedPaths)
{
    RegKeyRef key = BookmarkListKey(side);
    std::vector<std::wstring> list = ReadNumberedValues(key);
    if (std::erase_if(list, [&](const std::wstring& bookmark) { return Contains(deletedPaths, bookmark); }) > 0)
        WriteNumberedValues(key, list);
}
