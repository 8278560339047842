#include "store/FilterList.h"

#include <algorithm>
#include <optional>

#include "net/TextCodec.h"

namespace {

constexpr std::wstring_view kFixedEntries[] = {kFilterNone, kFilterNew, kFilterClearAll};

bool IsFixedEntry(std::wstring_view text)
{
    return std::find(std::begin(kFixedEntries), std::end(kFixedEntries), text) != std::end(kFixedEntries);
}

void AppendFixedEntries(std::vector<std::wstring>& entries)
{
    for (std::wstring_view fixed : kFixedEntries)
        entries.emplace_back(fixed);
}

void EraseEntry(std::vector<std::wstring>& entries, std::wstring_view text)
{
    std::erase_if(entries, [&](const std::wstring& entry) { return entry == text; });
}

// The fixed entries act as commands when they stand in the box.
std::optional<FilterOutcome> ChooseFixedEntry(PaneFilter& filter)
{
    if (filter.boxText == kFilterNone) {
        filter.boxText.clear();
        filter.active.clear();
        return FilterOutcome::RefreshListing;
    }
    if (filter.boxText == kFilterNew) {
        filter.boxText.clear();
        return FilterOutcome::FocusFilterBox;
    }
    if (filter.boxText == kFilterClearAll) {
        // The history goes; the listing stays filtered until the filter is removed.
        filter.entries.clear();
        AppendFixedEntries(filter.entries);
        filter.boxText.clear();
        return FilterOutcome::Nothing;
    }
    return std::nullopt;
}

}  // namespace

PaneFilter MakePaneFilter(const std::vector<std::wstring>& storedTexts)
{
    PaneFilter filter;
    for (const std::wstring& text : storedTexts) {
        if (filter.entries.size() == kMaxStoredFilters)
            break;
        // Empty or fixed texts can only come from a damaged list.
        if (!text.empty() && !IsFixedEntry(text))
            filter.entries.push_back(text);
    }
    AppendFixedEntries(filter.entries);
    return filter;
}

FilterOutcome ApplyFilter(PaneFilter& filter)
{
    if (std::optional<FilterOutcome> outcome = ChooseFixedEntry(filter))
        return *outcome;
    const std::wstring& text = filter.boxText;
    if (!text.empty()) {
        EraseEntry(filter.entries, text);
        filter.entries.insert(filter.entries.begin(), text);
        // The fixed entries stay last, so this drops the oldest filter text.
        if (filter.entries.size() > kMaxFilterBoxEntries)
            filter.entries.erase(filter.entries.begin() + (kMaxFilterBoxEntries - std::size(kFixedEntries)));
        filter.active = AsciiLower(text);
    }
    return FilterOutcome::RefreshListing;
}

FilterOutcome RemoveFilter(PaneFilter& filter)
{
    if (std::optional<FilterOutcome> outcome = ChooseFixedEntry(filter))
        return *outcome;
    if (!filter.boxText.empty())
        EraseEntry(filter.entries, filter.boxText);
    // An empty box still removes the filter: after "[Clear All]" the box is
    // empty while the listing is still filtered.
    filter.boxText.clear();
    filter.active.clear();
    return FilterOutcome::RefreshListing;
}

std::vector<std::wstring> FilterTextsToStore(const PaneFilter& filter)
{
    std::vector<std::wstring> texts;
    for (const std::wstring& entry : filter.entries) {
        if (IsFixedEntry(entry))
            continue;
        texts.push_back(entry);
        if (texts.size() == kMaxStoredFilters)
            break;
    }
    return texts;
}

bool IsListedUnderFilter(std::wstring_view activeFilter, std::wstring_view name, bool isFile)
{
    if (!isFile || activeFilter.empty())
        return true;
    return AsciiLower(name).find(activeFilter) != std::wstring::npos;
}

bool NeedsFilterWarning(std::wstring_view filterBoxText, bool warningOff, bool selectionHasFolder)
{
    return !filterBoxText.empty() && !warningOff && selectionHasFolder;
}

std::wstring_view FilterWarningText(PaneSide from)
{
    if (from == PaneSide::Local)
        return L"When downloading or uploading files, the filter will not remove files within subfolders. "
               L"Do you wish to continue?";
    return L"All files contained in a folder will be transferred even though a filter is applied to the directory "
           L"view. Do you wish to continue?";
}
