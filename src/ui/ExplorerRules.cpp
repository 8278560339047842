#include "ui/ExplorerRules.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr size_t kSortLimit = 800;

std::wstring Format(const wchar_t* format, int a, int b, int c)
{
    wchar_t text[32];
    std::swprintf(text, 32, format, a, b, c);
    return text;
}

}  // namespace

std::wstring ExplorerParentFolder(const std::wstring& path)
{
    std::wstring folder = path;
    if (!folder.empty() && (folder.back() == L'/' || folder.back() == L'\\'))
        folder.pop_back();
    size_t last = folder.find_last_of(L"/\\");
    if (last == std::wstring::npos || last == 0)
        return L"/";
    return folder.substr(0, last);
}

std::wstring ExplorerRowName(const std::wstring& listedName)
{
    if (!listedName.empty() && listedName.back() == L'/')
        return listedName.substr(0, listedName.size() - 1);
    return listedName;
}

void OrderExplorerEntries(std::vector<ExplorerEntry>& entries)
{
    if (entries.size() >= kSortLimit)
        return;
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ExplorerEntry& a, const ExplorerEntry& b) { return a.name < b.name; });
}

std::wstring ExplorerDateText(const LocalTimeParts& time, int dateOrder)
{
    if (dateOrder == 1)
        return Format(L"%.2d/%.2d/%.4d", time.day, time.month, time.year);
    if (dateOrder == 2)
        return Format(L"%.4d/%.2d/%.2d", time.year, time.month, time.day);
    return Format(L"%.2d/%.2d/%.4d", time.month, time.day, time.year);
}

std::wstring ExplorerTimeText(const LocalTimeParts& time)
{
    return Format(L"%.2d:%.2d:%.2d", time.hour, time.minute, time.second);
}

ExplorerCommandStates DecideExplorerCommands(size_t selected)
{
    ExplorerCommandStates states;
    states.changeDirectory = states.rename = states.changeIsDefault = selected == 1;
    states.remove = selected >= 1;
    return states;
}

std::wstring ExplorerOpenTip(size_t selected)
{
    return selected == 1 ? L"Change Directory (Enter)" : L"Download File (Enter)";
}

std::wstring ExplorerCountText(size_t rows, size_t selected)
{
    wchar_t text[64];
    if (selected == 0)
        std::swprintf(text, 64, L"%zu objects", rows);
    else
        std::swprintf(text, 64, L"%zu objects selected", selected);
    return text;
}
