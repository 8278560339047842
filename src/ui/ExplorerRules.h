#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The rules of the FTP Explorer that need no window: paths, the order and the
// texts of its rows, and what its commands allow.

// The folder above path: up to its last '/' or '\' (a trailing separator is
// dropped first); "/" when nothing remains.
std::wstring ExplorerParentFolder(const std::wstring& path);

struct ExplorerEntry {
    std::wstring name;  // without a trailing "/"
    int64_t modified = 0;  // seconds since 1970 UTC; 0 unknown
};
// A listed folder name as a row shows it.
std::wstring ExplorerRowName(const std::wstring& listedName);
// Sorts by name in code-unit order when there are fewer than 800 entries;
// larger folders keep the server's order.
void OrderExplorerEntries(std::vector<ExplorerEntry>& entries);

// The locale's date order (LOCALE_IDATE): 0 month first, 1 day first, 2 year first.
struct LocalTimeParts {
    int year, month, day, hour, minute, second;
};
std::wstring ExplorerDateText(const LocalTimeParts& time, int dateOrder);
std::wstring ExplorerTimeText(const LocalTimeParts& time);

// Enabled entries of the context menu and toolbar for selected rows (all folders).
struct ExplorerCommandStates {
    bool changeDirectory = false;
    bool rename = false;
    bool remove = false;
    bool changeIsDefault = false;  // otherwise the (disabled) download entry is the default
};
ExplorerCommandStates DecideExplorerCommands(size_t selected);
// The open button's tooltip for the selection.
std::wstring ExplorerOpenTip(size_t selected);
// The first status-bar part.
std::wstring ExplorerCountText(size_t rows, size_t selected);
