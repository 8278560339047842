#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/PaneSide.h"

// The fixed entries that always close a filter box's drop-down list, and the
// cue shown while its text is empty.
constexpr std::wstring_view kFilterNone = L"[None]";
constexpr std::wstring_view kFilterNew = L"[New]";
constexpr std::wstring_view kFilterClearAll = L"[Clear All]";
constexpr std::wstring_view kFilterCue = L"[Filter]";

constexpr size_t kMaxStoredFilters = 6;
constexpr size_t kMaxFilterBoxEntries = 9;

// One pane's filter box (its drop-down entries, most recent filter first, and
// the text of its edit field) and the pane's active filter.
struct PaneFilter {
    std::vector<std::wstring> entries;
    std::wstring boxText;
    std::wstring active;  // lower-cased; empty when nothing is filtered
};

// What the pane does after a filter button.
enum class FilterOutcome { Nothing, RefreshListing, FocusFilterBox };

// A box holding the stored filter texts and the fixed entries; no active filter.
PaneFilter MakePaneFilter(const std::vector<std::wstring>& storedTexts);

// "Apply Filter": the box text becomes the active filter and the newest entry;
// the fixed entries act as commands.
FilterOutcome ApplyFilter(PaneFilter& filter);

// "Remove Filter": drops the box text from the list and clears the filter.
FilterOutcome RemoveFilter(PaneFilter& filter);

// The filter texts to store, at most six, most recent first.
std::vector<std::wstring> FilterTextsToStore(const PaneFilter& filter);

// A file is listed when no filter is active or its lower-cased name contains
// the filter ("*" and "?" are ordinary characters). Folders, and links of the
// remote pane, are always listed: pass isFile false for them.
bool IsListedUnderFilter(std::wstring_view activeFilter, std::wstring_view name, bool isFile);

// The "Filter Warning" prompt before a transfer.
constexpr std::wstring_view kFilterWarningCaption = L"Filter Warning";
constexpr std::wstring_view kFilterWarningContinue = L"Continue";
constexpr std::wstring_view kFilterWarningDontAsk = L"Do not show this dialog again.";

// Whether a transfer from a pane must ask first: its filter box holds text,
// the warning was not switched off and the selection includes a folder.
bool NeedsFilterWarning(std::wstring_view filterBoxText, bool warningOff, bool selectionHasFolder);

// The warning's text for an upload (from the local pane) or a download (from
// the remote pane).
std::wstring_view FilterWarningText(PaneSide from);
